// Builds the demo plan testplans/demo1.ept with golden signatures measured,
// not written by hand:
//   make_demo_plan RESOURCE_DIR SIM_LIBRARY SCRATCH_DIR
// It loads the simulated instrument (SIM_LIBRARY) through the program's
// link exactly as the program does, as an ORXC on the simulator's built-in
// board, which is the demo board. For every record it applies the record's
// generator settings and puts the pin's net on the scanner (the scanner's
// signal lead against the instrument's ground lead measures what a probe
// on that pin measures), waits for a settled signature and stores it in
// the golden slot with StoreLiveSignature. The plan itself is a probe
// plan: its scanner cells stay empty.
//
// The instrument works in real time (about ten frames a second), so the
// records are shared among a few worker processes, each with its own
// simulated instrument, its own part of the plan and its own folder for
// the link's files (log, calibration record) under SCRATCH_DIR.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/messages.h"
#include "foundation/number_text.h"
#include "foundation/system_clock.h"
#include "demo_board.h"
#include "demo_capture.h"
#include "demo_plan.h"
#include "testplan/signature_record.h"

namespace {

// Stable frames in a row before a golden is taken, the most a record may
// take, and how many instruments capture at once.
constexpr int kSettledFrames = 5;
constexpr int kRecordTimeoutMs = 15000;
constexpr int kWorkers = 4;

class StderrBoxes final : public vanto::MessageBoxes {
 public:
  void Show(vanto::BoxIcon, const std::string& title, const std::string& body) override {
    std::fprintf(stderr, "make_demo_plan: %s: %s\n", title.c_str(), body.c_str());
  }
};

std::filesystem::path WorkerFolder(const std::filesystem::path& scratch, int worker) {
  return scratch / ("worker" + std::to_string(worker));
}

// One worker's share: the records whose index is `worker` modulo kWorkers,
// captured into `plan` and saved as part.ept in the worker's folder.
// Returns the process exit code.
int CaptureShare(int worker, const std::filesystem::path& library,
                 const std::filesystem::path& scratch, vanto::TestPlanState& plan) {
  namespace fs = std::filesystem;
  using namespace vanto;
  using namespace vanto::demo;
  const fs::path folder = WorkerFolder(scratch, worker);
  std::error_code error;
  fs::create_directories(folder, error);
  fs::current_path(folder, error);
  if (error) {
    std::fprintf(stderr, "make_demo_plan: cannot work in %s\n", folder.c_str());
    return 1;
  }
  // The built-in board as it is, on a scanner model; calibration in memory.
  {
    std::ofstream config("capture.cfg", std::ios::trunc);
    config << "model=ORXC\neeprom_file=\nseed=1\n";
  }
  ::setenv("ORX_SIM_CONFIG", (folder / "capture.cfg").c_str(), 1);
  ::unsetenv("ORX_SIM_MODEL");

  const DemoBoard& board = TheDemoBoard();
  CaptureSession session("ORXC", library.string());
  if (!session.Connect()) {
    for (const std::string& text : session.Errors()) {
      std::fprintf(stderr, "make_demo_plan: %s\n", text.c_str());
    }
    std::fprintf(stderr, "make_demo_plan: the simulated instrument %s did not connect\n",
                 library.c_str());
    return 1;
  }
  const std::vector<DemoRecord> records = DemoRecords(board);
  for (std::size_t i = static_cast<std::size_t>(worker); i < records.size(); i += kWorkers) {
    const DemoRecord& record = records[i];
    const TestSettings& s = record.component->settings;
    const int channel = ScannerChannel(board, record.pin->net);
    if (channel == 0) {
      std::fprintf(stderr, "make_demo_plan: net %s is not on the scanner\n",
                   record.pin->net.c_str());
      return 1;
    }
    const std::optional<Signature> golden = session.CaptureSettled(
        {s.millivolts, s.ohms, s.hertz, channel}, kSettledFrames, kRecordTimeoutMs);
    if (!golden) {
      std::fprintf(stderr, "make_demo_plan: %s pin %d (net %s) did not settle\n",
                   record.component->name.c_str(), record.pin->number, record.pin->net.c_str());
      return 1;
    }
    StoreLiveSignature(plan.table, record.row, 0, *golden, session.Generator());
    plan.table.SetCell(record.row, column::kSignature, "Yes");
  }
  session.Disconnect();

  SystemClock clock;
  StderrBoxes boxes;
  Messages messages(clock, boxes);
  return SaveTestPlan(plan, "part.ept", messages) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  using namespace vanto;
  using namespace vanto::demo;
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_demo_plan RESOURCE_DIR SIM_LIBRARY SCRATCH_DIR\n");
    return 2;
  }
  const fs::path resources = fs::absolute(argv[1]);
  const fs::path library = fs::absolute(argv[2]);
  const fs::path scratch = fs::absolute(argv[3]);
  std::error_code error;
  fs::create_directories(resources / "testplans", error);
  fs::create_directories(scratch, error);

  const auto started = std::chrono::steady_clock::now();
  const DemoBoard& board = TheDemoBoard();
  TestPlanState plan;
  LayOutDemoPlan(plan, board);

  // Workers are forked before anything starts a thread or loads a library.
  std::fflush(stdout);
  std::fflush(stderr);
  std::vector<pid_t> workers;
  for (int worker = 0; worker < kWorkers; ++worker) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      const int code = CaptureShare(worker, library, scratch, plan);
      std::fflush(stderr);
      ::_exit(code);
    }
    if (pid < 0) {
      std::fprintf(stderr, "make_demo_plan: cannot start a worker\n");
      return 1;
    }
    workers.push_back(pid);
  }
  bool allCaptured = true;
  for (pid_t pid : workers) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    allCaptured = allCaptured && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  if (!allCaptured) return 1;

  SystemClock clock;
  StderrBoxes boxes;
  Messages messages(clock, boxes);
  const std::vector<DemoRecord> records = DemoRecords(board);
  for (int worker = 0; worker < kWorkers; ++worker) {
    TestPlanState part;
    const fs::path partFile = WorkerFolder(scratch, worker) / "part.ept";
    if (!LoadTestPlan(part, partFile.string(), messages)) return 1;
    for (std::size_t i = static_cast<std::size_t>(worker); i < records.size(); i += kWorkers) {
      const int row = records[i].row;
      for (int c = 1; c <= plan.table.Columns(); ++c) {
        plan.table.SetCell(row, c, part.table.CellView(row, c));
      }
    }
  }

  const fs::path planFile = resources / kDemoPlanFile;
  if (!SaveTestPlan(plan, planFile.string(), messages)) return 1;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%s: %d records captured in %s s\n", planFile.c_str(), RowCount(plan) - 1,
              FormatFixed(seconds, 1).c_str());
  return 0;
}
