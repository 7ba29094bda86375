// Opening the plan editor's window on a plan of 10,000 captured records
// with the demo board's photograph (1600 x 1100): building the controls,
// loading the record and the first rendering with every marker. Budget
// 200 ms. "Warm": the photograph already decoded by the main window's
// board view, whose cache the program shares; "Cold": decoded on opening.
//   build/bench/vanto_ui_bench --benchmark_filter=EditorOpen --benchmark_repetitions=9
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "editor/qt/editor_window.h"
#include "foundation/messages.h"
#include "captured_plan.h"
#include "quiet_platform.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"

namespace vanto {
namespace {

constexpr int kRecords = 10000;
constexpr int kPinsPerComponent = 16;

using bench::QuietBoxes;
using bench::QuietClock;

class NoFiles final : public FileRequester {
 public:
  std::string OpenFile(const FileRequest&) override { return {}; }
  std::string SaveFile(const FileRequest&) override { return {}; }
};

// Captured records spread over the photograph, both signature slots full.
struct BigPlan {
  BigPlan() : messages(clock, boxes) {
    NewTestPlan(plan);
    TestPlan& t = plan.table;
    t.SetCell(1, cell::kImageFile, std::string(VANTO_RESOURCE_DIR) + "/testplans/demo1.jpg");
    t.SetCell(1, cell::kViewX, "800");
    t.SetCell(1, cell::kViewY, "550");
    t.SetCell(1, cell::kZoom, "1");
    t.InsertEmptyRows(2, kRecords);
    bench::FillCapturedRecords(plan, kPinsPerComponent);
    for (int r = 2; r <= RowCount(plan); ++r) {
      t.SetCell(r, cell::kViewX, "800");
      t.SetCell(r, cell::kViewY, "550");
      t.SetCell(r, cell::kZoom, "1");
      t.SetCell(r, cell::kTestX, std::to_string((r * 37) % 1600));
      t.SetCell(r, cell::kTestY, std::to_string((r * 53) % 1100));
    }
    plan.currentRecord = kRecords / 2;
  }
  QuietClock clock;
  QuietBoxes boxes;
  Messages messages;
  TestPlanState plan;
  EditorState editor;
  Settings settings;
  NoFiles files;
  std::string planFile = "bench.ept";
};

BigPlan& Plan() {
  static BigPlan plan;
  return plan;
}

void OpenEditor(benchmark::State& state, bool warm) {
  BigPlan& p = Plan();
  PhotographCache photographs;
  for (auto _ : state) {
    if (!warm) {
      state.PauseTiming();
      photographs.Clear();
      state.ResumeTiming();
    }
    auto window = std::make_unique<EditorWindow>(
        EditorWindowContext{p.plan, p.editor, p.settings, p.messages, p.files, p.planFile,
                            photographs},
        nullptr);
    window->show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window->ViewImage().constBits());
    state.PauseTiming();
    window.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_EditorOpenWarm(benchmark::State& state) { OpenEditor(state, true); }
void BM_EditorOpenCold(benchmark::State& state) { OpenEditor(state, false); }
BENCHMARK(BM_EditorOpenWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorOpenCold)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanto
