// Loading and saving a large test plan: ten thousand records, each with a
// golden and a measured signature of 64 points, about 36 MB on disk.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "foundation/messages.h"
#include "foundation/number_text.h"
#include "testplan/test_plan.h"

namespace vanto {
namespace {

constexpr int kRecords = 10000;
constexpr int kPoints = 64;

class BenchClock final : public Clock {
 public:
  std::int64_t MonotonicMs() const override { return 0; }
  CalendarTime LocalTime() const override { return {}; }
  void SleepMs(int) override {}
};

class CountingBoxes final : public MessageBoxes {
 public:
  void Show(BoxIcon, const std::string&, const std::string&) override { ++shown; }
  int shown = 0;
};

// Point values with the digits a real capture has ("0.1234567891",
// "-0.0001234567"), from a small fixed generator so every run is the same.
void FillSignature(TestPlan& table, int row, int base, std::uint32_t& seed) {
  table.SetCell(row, base + 1, std::to_string(row));
  table.SetCell(row, base + 2, "2000");
  table.SetCell(row, base + 3, "mVpk");
  table.SetCell(row, base + 4, "1000");
  table.SetCell(row, base + 5, "ohms");
  table.SetCell(row, base + 6, "200");
  table.SetCell(row, base + 7, "Hz");
  table.SetCell(row, base + 31, std::to_string(kPoints));
  for (int p = 0; p < 2 * kPoints; ++p) {
    seed = seed * 1664525u + 1013904223u;
    const double unit = static_cast<double>(seed >> 8) / static_cast<double>(1u << 24);
    const double value = p % 2 == 0 ? unit * 2.0 - 1.0 : (unit - 0.5) * 0.002;
    table.SetCell(row, base + 32 + p, FormatFloat(value));
  }
}

struct BigPlan {
  BigPlan() : messages(clock, boxes) {
    folder =
        std::filesystem::temp_directory_path() / ("vanto-plan-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    fileName = (folder / "big.ept").string();
    TestPlanState plan;
    NewTestPlan(plan);
    plan.table.InsertEmptyRows(2, kRecords);
    std::uint32_t seed = 12345;
    for (int r = 2; r <= RowCount(plan); ++r) {
      plan.table.SetCell(r, 8,
                         "IC" + std::to_string(r / 16) + ", Pin " + std::to_string(r % 16 + 1));
      plan.table.SetCell(r, 9, "Good");
      plan.table.SetCell(r, 10, "IC" + std::to_string(r / 16));
      plan.table.SetCell(r, 11, std::to_string(r % 16 + 1));
      plan.table.SetCell(r, 30, "Yes");
      FillSignature(plan.table, r, 0, seed);
      FillSignature(plan.table, r, 288, seed);
    }
    if (!SaveTestPlan(plan, fileName, messages)) std::abort();
    fileSize = std::filesystem::file_size(fileName);
  }
  ~BigPlan() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  BenchClock clock;
  CountingBoxes boxes;
  Messages messages;
  std::filesystem::path folder;
  std::string fileName;
  std::uintmax_t fileSize = 0;
};

BigPlan& Plan() {
  static BigPlan plan;
  return plan;
}

void BM_LoadTestPlan(benchmark::State& state) {
  BigPlan& big = Plan();
  TestPlanState plan;
  for (auto _ : state) {
    if (!LoadTestPlan(plan, big.fileName, big.messages)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(plan.table.Rows());
  }
  state.counters["file_bytes"] = static_cast<double>(big.fileSize);
  state.counters["table_bytes"] = static_cast<double>(plan.table.MemoryBytes());
  state.counters["memory_ratio"] =
      static_cast<double>(plan.table.MemoryBytes()) / static_cast<double>(big.fileSize);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * big.fileSize));
}
BENCHMARK(BM_LoadTestPlan)->Unit(benchmark::kMillisecond);

// The first load of a session: no earlier plan whose memory can be reused.
void BM_LoadTestPlanFresh(benchmark::State& state) {
  BigPlan& big = Plan();
  std::size_t tableBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto plan = std::make_unique<TestPlanState>();
    state.ResumeTiming();
    if (!LoadTestPlan(*plan, big.fileName, big.messages)) state.SkipWithError("load failed");
    state.PauseTiming();
    tableBytes = plan->table.MemoryBytes();
    plan.reset();
    state.ResumeTiming();
  }
  state.counters["file_bytes"] = static_cast<double>(big.fileSize);
  state.counters["memory_ratio"] =
      static_cast<double>(tableBytes) / static_cast<double>(big.fileSize);
}
BENCHMARK(BM_LoadTestPlanFresh)->Unit(benchmark::kMillisecond);

void BM_SaveTestPlan(benchmark::State& state) {
  BigPlan& big = Plan();
  TestPlanState plan;
  if (!LoadTestPlan(plan, big.fileName, big.messages)) std::abort();
  const std::string copy = (big.folder / "copy.ept").string();
  for (auto _ : state) {
    if (!SaveTestPlan(plan, copy, big.messages)) state.SkipWithError("save failed");
  }
  state.counters["file_bytes"] = static_cast<double>(big.fileSize);
  state.counters["table_bytes"] = static_cast<double>(plan.table.MemoryBytes());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * big.fileSize));
}
BENCHMARK(BM_SaveTestPlan)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanto
