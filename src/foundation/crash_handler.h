// The crash handler: turns an unhandled fault (SIGSEGV, SIGBUS, SIGFPE,
// SIGILL, SIGABRT) into a report appended to "bugreport.txt", shows it through
// a separate viewer process and ends the program with status 128 + signal.
//
// The handler runs on the thread that faulted, on an alternate signal stack,
// so that a stack overflow is reported too. Inside it only async-signal-safe
// calls are made: the report is formatted into static buffers, the viewer is
// started with fork and exec. A fault inside the handler itself gets the
// system's default handling. The report is never written to "log.txt".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vanto {

inline constexpr const char* kBugReportFileName = "bugreport.txt";
inline constexpr const char* kSupportEmail = "support@vanto-analyser.org";
// The option that makes the program only show a crash report and end.
inline constexpr const char* kShowCrashReportOption = "--show-crash-report";

// How the report is shown: the handler cannot open windows in the crashed
// process, so it runs `viewerPath` with `viewerArguments` followed by the
// report text as the last argument, and waits for it to end.
struct CrashHandlerOptions {
  std::string viewerPath;  // empty: the report is only written to the file
  std::vector<std::string> viewerArguments;

  // This very program (resolved now, so a later change of the working folder
  // or a replaced file does not matter) with kShowCrashReportOption.
  static CrashHandlerOptions ShowWithThisProgram();
};

// Installs the handler for the whole process and prepares the calling thread
// (see PrepareThreadForCrashReports). Called once, at start-up, on the main
// thread before any other thread starts.
void InstallCrashHandler(const CrashHandlerOptions& options);

// Gives the calling thread its own alternate signal stack, so a fault on it
// (a stack overflow included) can still be reported. Every thread that may
// fault calls it once when it starts; the stack is freed when the thread ends.
void PrepareThreadForCrashReports();

// What kind of fault a signal stands for, with the Windows-style fault code
// the stored reports use ($C0000005 for an invalid memory access).
struct FaultKind {
  std::int32_t code = 0;
  const char* description = "";  // one line, static text
  bool invalidAccess = false;    // only these report the target address
};
FaultKind ClassifyFault(int signalNumber, int signalCode);

// The registers reported, as signed values.
struct CrashRegisters {
  std::int64_t rax = 0;
  std::int64_t rbx = 0;
  std::int64_t rcx = 0;
  std::int64_t rdx = 0;
  std::int64_t rbp = 0;
  std::int64_t rsi = 0;
  std::int64_t rdi = 0;
  std::int64_t rsp = 0;
};

struct CrashFacts {
  FaultKind fault;
  std::uint64_t codeAddress = 0;    // the faulting instruction
  std::uint64_t targetAddress = 0;  // the address accessed (invalid access only)
  CrashRegisters registers;
};

// The report text, lines separated (and the last one ended) by a single CR.
// Writes at most `capacity` bytes and returns the length; no allocation, so
// the handler uses it directly.
std::size_t FormatCrashReport(const CrashFacts& facts, char* buffer, std::size_t capacity);
std::string BuildCrashReport(const CrashFacts& facts);

// The second line of a report entry, "*** 05/03/2023 14:07:09 ***", for a
// moment given as seconds since 1970 in local time (UTC plus the local offset).
std::string BugReportStamp(std::int64_t localSeconds);

}  // namespace vanto
