// The crash handler: signal handlers on an alternate stack that write the
// report to "bugreport.txt", show it through a viewer process and end the
// program. Everything the handler touches is prepared at install time.
#include "foundation/crash_handler.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <utility>

namespace vanto {
namespace {

constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

constexpr std::uint32_t kInvalidAccess = 0xC0000005;
constexpr std::uint32_t kIllegalInstruction = 0xC000001D;
constexpr std::uint32_t kFloatDivideByZero = 0xC000008E;
constexpr std::uint32_t kFloatInexactResult = 0xC000008F;
constexpr std::uint32_t kFloatInvalidOperation = 0xC0000090;
constexpr std::uint32_t kFloatOverflow = 0xC0000091;
constexpr std::uint32_t kFloatUnderflow = 0xC0000093;
constexpr std::uint32_t kIntegerDivideByZero = 0xC0000094;
constexpr std::uint32_t kIntegerOverflow = 0xC0000095;
constexpr std::uint32_t kPrivilegedInstruction = 0xC0000096;
constexpr std::uint32_t kProgramAborted = 0xC0000409;

constexpr const char* kEntrySeparator = "***************************";
constexpr const char* kNoSourceLine =
    "Sourcecode line: Enable OnError lines support to get code line information.";
constexpr const char* kClosingSentence =
    "We will fix it as soon as possible - thank you for your help!";

constexpr std::size_t kAlternateStackBytes = 64 * 1024;

FaultKind Fault(std::uint32_t code, const char* description, bool invalidAccess = false) {
  return FaultKind{static_cast<std::int32_t>(code), description, invalidAccess};
}

// Text into a caller's fixed buffer; what does not fit is dropped. No
// allocation and no locale, so the signal handler can use it.
class FixedText {
 public:
  FixedText(char* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) {}

  void Put(char c) {
    if (length_ < capacity_) buffer_[length_++] = c;
  }
  void Append(const char* text) {
    while (*text != '\0') Put(*text++);
  }
  void AppendUnsigned(std::uint64_t value) {
    char digits[20];
    int count = 0;
    do {
      digits[count++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0);
    while (count > 0) Put(digits[--count]);
  }
  void AppendSigned(std::int64_t value) {
    if (value < 0) {
      Put('-');
      AppendUnsigned(0 - static_cast<std::uint64_t>(value));
    } else {
      AppendUnsigned(static_cast<std::uint64_t>(value));
    }
  }
  void AppendTwoDigits(int value) {
    Put(static_cast<char>('0' + value / 10 % 10));
    Put(static_cast<char>('0' + value % 10));
  }
  std::size_t Length() const { return length_; }

 private:
  char* buffer_;
  std::size_t capacity_;
  std::size_t length_ = 0;
};

// Days since 1970-01-01 to a calendar date (proleptic Gregorian).
void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // March = 0
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

void AppendStamp(FixedText& text, std::int64_t localSeconds) {
  const std::int64_t secondsPerDay = 86400;
  std::int64_t days = localSeconds / secondsPerDay;
  std::int64_t secondOfDay = localSeconds % secondsPerDay;
  if (secondOfDay < 0) {
    secondOfDay += secondsPerDay;
    --days;
  }
  int year = 0;
  int month = 0;
  int day = 0;
  CivilFromDays(days, year, month, day);
  text.Append("*** ");
  text.AppendTwoDigits(day);
  text.Put('/');
  text.AppendTwoDigits(month);
  text.Put('/');
  text.AppendUnsigned(static_cast<std::uint64_t>(year));
  text.Put(' ');
  text.AppendTwoDigits(static_cast<int>(secondOfDay / 3600));
  text.Put(':');
  text.AppendTwoDigits(static_cast<int>(secondOfDay / 60 % 60));
  text.Put(':');
  text.AppendTwoDigits(static_cast<int>(secondOfDay % 60));
  text.Append(" ***");
}

// --- What the handler uses; written at install time only. -----------------

// The viewer command line with a last slot for the report text. Never freed:
// the handler may need it until the process ends.
struct ViewerCommand {
  std::string path;
  std::vector<std::string> arguments;
  std::vector<char*> argv;  // path, arguments, report, null
};
ViewerCommand* viewerCommand = nullptr;

// Local time minus UTC when the handler was installed: localtime_r may take
// locks and read files, so the handler adds this to the clock instead. A
// daylight-saving change during the run shifts the stamp by that hour.
std::int64_t localOffsetSeconds = 0;

// Set by the first thread that reports; a second faulting thread waits for
// that report to end the process instead of writing its own.
std::atomic<bool> reportStarted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

char reportText[4096];
char entryHeader[128];

void WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

void FaultSignalSet(sigset_t& set) {
  sigemptyset(&set);
  for (int signalNumber : kFaultSignals) sigaddset(&set, signalNumber);
}

CrashFacts FactsOf(int signalNumber, const siginfo_t* info, const void* context) {
  CrashFacts facts;
  const int signalCode = info != nullptr ? info->si_code : 0;
  facts.fault = ClassifyFault(signalNumber, signalCode);
  // si_addr only means the accessed address when the kernel raised the fault.
  if (facts.fault.invalidAccess && info != nullptr && signalCode > 0) {
    facts.targetAddress = reinterpret_cast<std::uintptr_t>(info->si_addr);
  }
#if defined(__x86_64__)
  if (context != nullptr) {
    const greg_t* registers = static_cast<const ucontext_t*>(context)->uc_mcontext.gregs;
    facts.codeAddress = static_cast<std::uint64_t>(registers[REG_RIP]);
    facts.registers.rax = registers[REG_RAX];
    facts.registers.rbx = registers[REG_RBX];
    facts.registers.rcx = registers[REG_RCX];
    facts.registers.rdx = registers[REG_RDX];
    facts.registers.rbp = registers[REG_RBP];
    facts.registers.rsi = registers[REG_RSI];
    facts.registers.rdi = registers[REG_RDI];
    facts.registers.rsp = registers[REG_RSP];
  }
#else
  (void)context;  // registers are read on x86-64 only; the rest reports zeros
#endif
  return facts;
}

void AppendToBugReport(const char* report, std::size_t reportLength) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  FixedText header(entryHeader, sizeof entryHeader);
  header.Append(kEntrySeparator);
  header.Append("\r\n");
  AppendStamp(header, static_cast<std::int64_t>(now.tv_sec) + localOffsetSeconds);
  header.Append("\r\n");

  const int fd = ::open(kBugReportFileName, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;  // the report is still shown
  WriteAll(fd, entryHeader, header.Length());
  WriteAll(fd, report, reportLength);
  WriteAll(fd, "\r\n", 2);
  ::close(fd);
}

pid_t ForkForViewer() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  return ::_Fork();  // unlike fork(), runs no atfork handlers: safe in a handler
#else
  return ::fork();
#endif
}

void ShowInViewer(char* report) {
  if (viewerCommand == nullptr) return;
  char** argv = viewerCommand->argv.data();
  argv[viewerCommand->argv.size() - 2] = report;
  const pid_t child = ForkForViewer();
  if (child == 0) {
    // The handler blocks the fault signals; the viewer must not inherit that.
    sigset_t faults;
    FaultSignalSet(faults);
    sigprocmask(SIG_UNBLOCK, &faults, nullptr);
    ::execv(viewerCommand->path.c_str(), argv);
    ::_exit(127);
  }
  if (child < 0) return;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

void OnFault(int signalNumber, siginfo_t* info, void* context) {
  if (reportStarted.exchange(true)) {
    for (;;) ::pause();
  }
  const CrashFacts facts = FactsOf(signalNumber, info, context);
  const std::size_t length = FormatCrashReport(facts, reportText, sizeof reportText - 1);
  reportText[length] = '\0';
  AppendToBugReport(reportText, length);
  ShowInViewer(reportText);
  ::_exit(128 + signalNumber);
}

// One thread's alternate signal stack, with a guard page below it so that an
// overflow of the handler itself faults instead of overwriting memory.
class AlternateStack {
 public:
  AlternateStack() = default;
  AlternateStack(const AlternateStack&) = delete;
  AlternateStack& operator=(const AlternateStack&) = delete;
  ~AlternateStack() {
    if (memory_ == nullptr) return;
    stack_t off{};
    off.ss_flags = SS_DISABLE;
    sigaltstack(&off, nullptr);
    ::munmap(memory_, mappedBytes_);
  }

  void Install() {
    if (memory_ != nullptr) return;
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    std::size_t usable = std::max<std::size_t>(kAlternateStackBytes, SIGSTKSZ);
    usable = (usable + page - 1) / page * page;
    void* memory =
        ::mmap(nullptr, usable + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return;  // faults are still reported, overflows not
    ::mprotect(memory, page, PROT_NONE);
    stack_t stack{};
    stack.ss_sp = static_cast<char*>(memory) + page;
    stack.ss_size = usable;
    if (sigaltstack(&stack, nullptr) != 0) {
      ::munmap(memory, usable + page);
      return;
    }
    memory_ = memory;
    mappedBytes_ = usable + page;
  }

 private:
  void* memory_ = nullptr;
  std::size_t mappedBytes_ = 0;
};

thread_local AlternateStack threadAlternateStack;

}  // namespace

CrashHandlerOptions CrashHandlerOptions::ShowWithThisProgram() {
  CrashHandlerOptions options;
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  if (length > 0 && static_cast<std::size_t>(length) < sizeof path) {
    options.viewerPath.assign(path, static_cast<std::size_t>(length));
    options.viewerArguments.push_back(kShowCrashReportOption);
  }
  return options;
}

FaultKind ClassifyFault(int signalNumber, int signalCode) {
  switch (signalNumber) {
    case SIGSEGV: return Fault(kInvalidAccess, "Invalid memory access", true);
    case SIGBUS: return Fault(kInvalidAccess, "Invalid memory access (bus error)", true);
    case SIGFPE:
      switch (signalCode) {
        case FPE_INTDIV: return Fault(kIntegerDivideByZero, "Integer division by zero");
        case FPE_INTOVF: return Fault(kIntegerOverflow, "Integer overflow");
        case FPE_FLTDIV: return Fault(kFloatDivideByZero, "Floating point division by zero");
        case FPE_FLTOVF: return Fault(kFloatOverflow, "Floating point overflow");
        case FPE_FLTUND: return Fault(kFloatUnderflow, "Floating point underflow");
        case FPE_FLTRES: return Fault(kFloatInexactResult, "Floating point inexact result");
        default: return Fault(kFloatInvalidOperation, "Invalid floating point operation");
      }
    case SIGILL:
      if (signalCode == ILL_PRVOPC || signalCode == ILL_PRVREG) {
        return Fault(kPrivilegedInstruction, "Privileged instruction");
      }
      return Fault(kIllegalInstruction, "Illegal instruction");
    case SIGABRT: return Fault(kProgramAborted, "Program aborted");
    default: return Fault(kProgramAborted, "Unexpected signal");
  }
}

std::size_t FormatCrashReport(const CrashFacts& facts, char* buffer, std::size_t capacity) {
  FixedText text(buffer, capacity);
  const auto line = [&text](const char* content) {
    text.Append(content);
    text.Put('\r');
  };
  const auto registerLine = [&text](const char* name, std::int64_t value) {
    text.Append(name);
    text.Append(" = ");
    text.AppendSigned(value);
    text.Put('\r');
  };

  line("Sorry! A program error was detected:");
  line("");
  text.Append("Error Message:   ");
  line(facts.fault.description);
  text.Append("Error Code:      ");
  text.AppendSigned(facts.fault.code);
  text.Put('\r');
  text.Append("Code Address:    ");
  text.AppendUnsigned(facts.codeAddress);
  text.Put('\r');
  if (facts.fault.invalidAccess) {
    text.Append("Target Address:  ");
    text.AppendUnsigned(facts.targetAddress);
    text.Put('\r');
  }
  line(kNoSourceLine);
  line("");
  line("Register content:");
  const CrashRegisters& r = facts.registers;
  registerLine("RAX", r.rax);
  registerLine("RBX", r.rbx);
  registerLine("RCX", r.rcx);
  registerLine("RDX", r.rdx);
  registerLine("RBP", r.rbp);
  registerLine("RSI", r.rsi);
  registerLine("RDI", r.rdi);
  registerLine("RSP", r.rsp);
  line("");
  text.Append("Please email both 'bugreport.txt' and 'log.txt' to ");
  line(kSupportEmail);
  line(kClosingSentence);
  return text.Length();
}

std::string BuildCrashReport(const CrashFacts& facts) {
  char buffer[sizeof reportText];
  return std::string(buffer, FormatCrashReport(facts, buffer, sizeof buffer));
}

std::string BugReportStamp(std::int64_t localSeconds) {
  char buffer[64];
  FixedText text(buffer, sizeof buffer);
  AppendStamp(text, localSeconds);
  return std::string(buffer, text.Length());
}

void PrepareThreadForCrashReports() {
  threadAlternateStack.Install();
}

void InstallCrashHandler(const CrashHandlerOptions& options) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) != nullptr) localOffsetSeconds = local.tm_gmtoff;

  viewerCommand = nullptr;
  if (!options.viewerPath.empty()) {
    auto* command = new ViewerCommand{options.viewerPath, options.viewerArguments, {}};
    command->argv.push_back(command->path.data());
    for (std::string& argument : command->arguments) command->argv.push_back(argument.data());
    command->argv.push_back(nullptr);  // the report goes here
    command->argv.push_back(nullptr);
    viewerCommand = command;
  }

  PrepareThreadForCrashReports();

  struct sigaction action {};
  action.sa_sigaction = OnFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  // With the fault signals blocked in the handler, a fault inside it is
  // handled by the kernel's default action, while a fault on another thread
  // still reaches the handler and waits there for the first report.
  FaultSignalSet(action.sa_mask);
  for (int signalNumber : kFaultSignals) sigaction(signalNumber, &action, nullptr);
}

}  // namespace vanto
