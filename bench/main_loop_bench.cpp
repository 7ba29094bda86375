// The whole program's main loop, headless: how much of a core it takes
// idle (no instrument) and while the simulated instrument streams, and how
// long a verified frame waits before the main scope shows it.
#include <benchmark/benchmark.h>

#include <time.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/qt/application.h"
#include "app/qt/main_loop.h"
#include "foundation/system_clock.h"
#include "link/acquisition_thread.h"

namespace vanto {
namespace {

class NoBoxes final : public MessageBoxes {
 public:
  void Show(BoxIcon, const std::string&, const std::string&) override {}
};

class NoSound final : public SoundOutput {
 public:
  bool Available() override { return false; }
  bool Load(SoundId, const std::string&) override { return false; }
  void Play(SoundId) override {}
};

double ThreadCpuSeconds() {
  timespec time{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

// A working folder of its own with the program's resources.
class BenchFolder {
 public:
  BenchFolder() {
    char pattern[] = "/tmp/vanto-bench-XXXXXX";
    path_ = ::mkdtemp(pattern);
    previous_ = std::filesystem::current_path();
    std::filesystem::copy(VANTO_RESOURCE_DIR, path_, std::filesystem::copy_options::recursive);
    std::filesystem::current_path(path_);
  }
  ~BenchFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

// Runs `pass` over and over, one second per benchmark iteration, and
// reports the main thread's share of one core.
template <typename Pass>
void MeasureLoopCpu(benchmark::State& state, Pass pass) {
  double cpu = 0.0;
  double wall = 0.0;
  for (auto _ : state) {
    const double cpuStart = ThreadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(1)) pass();
    cpu += ThreadCpuSeconds() - cpuStart;
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["cpu_percent_of_core"] = 100.0 * cpu / wall;
}

// Runs the main loop for the benchmark's iterations of one second each;
// reports the main thread's CPU share and, while connected, the time from
// a verified frame to the end of the pass that redrew the main scope.
void RunLoop(benchmark::State& state, bool connect) {
  BenchFolder folder;
  SystemClock clock;
  NoBoxes boxes;
  AppContext context(clock, boxes);
  NoSound sound;
  Application app(context, sound);
  CommandLine options;
  options.d2xxPath = ORX_SIM_LIBRARY;
  options.connect = connect;
  app.SetInstrumentOptions(options);
  app.Start();
  QTimer wake;
  wake.start(1);

  // Settle first: the first passes lay out, decode the board photograph,
  // fill the trees and (when connecting) start the stream.
  const auto warmUp = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - warmUp < std::chrono::seconds(2)) {
    RunMainLoopPass(context.app, app.Dispatcher());
  }

  std::vector<double> latenciesMs;
  MeasureLoopCpu(state, [&] {
    const std::uint16_t shownFrame = context.link.lastFrame.header[0];
    RunMainLoopPass(context.app, app.Dispatcher());
    if (context.link.lastFrame.header[0] != shownFrame) {
      // From the moment the frame was read and verified (the link's own
      // stamp, in ms of the same clock) to the end of the redraw.
      latenciesMs.push_back(
          static_cast<double>(clock.MonotonicMs() - context.link.usb.lastGoodFrameMs.load()));
    }
  });
  state.counters["frames"] = static_cast<double>(latenciesMs.size());
  if (!latenciesMs.empty()) {
    std::sort(latenciesMs.begin(), latenciesMs.end());
    state.counters["frame_to_scope_ms_median"] = latenciesMs[latenciesMs.size() / 2];
    state.counters["frame_to_scope_ms_max"] = latenciesMs.back();
  }
  ShutDownLink(context.link);
}

// The floor under both: a loop that only waits up to 1 ms for events, as
// every pass must, and does nothing else.
void BM_BareOneMillisecondLoop(benchmark::State& state) {
  QTimer wake;
  wake.start(1);
  MeasureLoopCpu(state, [] {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  });
}

void BM_MainLoopIdleDisconnected(benchmark::State& state) { RunLoop(state, false); }
void BM_MainLoopStreaming(benchmark::State& state) { RunLoop(state, true); }

BENCHMARK(BM_BareOneMillisecondLoop)->Iterations(3)->Unit(benchmark::kSecond);
BENCHMARK(BM_MainLoopIdleDisconnected)->Iterations(3)->Unit(benchmark::kSecond);
BENCHMARK(BM_MainLoopStreaming)->Iterations(5)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace vanto
