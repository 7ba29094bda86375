// Placing a 240-pin QFP (eight clicks) in the middle of a plan of ten
// thousand captured records: each click should stay well under 50 ms.
//   build/bench/vanto_bench --benchmark_filter=PlaceQfp240
// reports the median of nine runs for each click.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "editor/pin_placement.h"
#include "foundation/messages.h"
#include "captured_plan.h"
#include "quiet_platform.h"
#include "testplan/test_plan.h"

namespace vanto {
namespace {

constexpr int kRecords = 10000;
constexpr int kPinsPerComponent = 16;
constexpr int kQfpPins = 240;

using bench::QuietBoxes;
using bench::QuietClock;

class NoRefresh final : public EditorRefresh {
 public:
  void RefreshEditor(const TestPlanState&, const EditorState&) override {}
};

struct BigPlan {
  BigPlan() : messages(clock, boxes) {
    NewTestPlan(plan);
    plan.table.InsertEmptyRows(2, kRecords);
    bench::FillCapturedRecords(plan, kPinsPerComponent);
  }
  QuietClock clock;
  QuietBoxes boxes;
  Messages messages;
  TestPlanState plan;
};

BigPlan& Plan() {
  static BigPlan big;
  return big;
}

// Pin 1, 60 along the top, then 61, 120 down the right side, and so on.
constexpr std::array<ViewPoint, 8> kClicks{{{100, 100},
                                            {690, 100},
                                            {700, 110},
                                            {700, 700},
                                            {690, 710},
                                            {100, 710},
                                            {90, 700},
                                            {90, 110}}};

// Times click number state.range(0) (1..8) of the placement; the clicks
// before it and the removal of the placed rows afterwards are not timed.
void BM_PlaceQfp240Click(benchmark::State& state) {
  BigPlan& big = Plan();
  const int click = static_cast<int>(state.range(0));
  NoRefresh refresh;
  for (auto _ : state) {
    state.PauseTiming();
    EditorState editor;
    editor.controls.selectedTemplate = "240 pin QFP (square)";
    editor.controls.componentName = "U1";
    big.plan.currentRecord = kRecords / 2;
    CreateNewComponent(big.plan, editor, big.messages, refresh);
    const int blockStart = big.plan.currentRecord + 1;
    for (int i = 0; i < click - 1; ++i) PlacePinClick(big.plan, editor, kClicks[i]);
    state.ResumeTiming();

    PlacePinClick(big.plan, editor, kClicks[click - 1]);

    state.PauseTiming();
    if (click == 8 && editor.placement.placementStep != 0) state.SkipWithError("not ended");
    big.plan.table.RemoveRows(blockStart, kQfpPins);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PlaceQfp240Click)
    ->DenseRange(1, 8)
    ->Iterations(20)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// The whole component, all eight clicks, for the total a user waits.
void BM_PlaceQfp240AllClicks(benchmark::State& state) {
  BigPlan& big = Plan();
  NoRefresh refresh;
  for (auto _ : state) {
    state.PauseTiming();
    EditorState editor;
    editor.controls.selectedTemplate = "240 pin QFP (square)";
    big.plan.currentRecord = kRecords / 2;
    CreateNewComponent(big.plan, editor, big.messages, refresh);
    const int blockStart = big.plan.currentRecord + 1;
    state.ResumeTiming();

    for (const ViewPoint& p : kClicks) PlacePinClick(big.plan, editor, p);

    state.PauseTiming();
    big.plan.table.RemoveRows(blockStart, kQfpPins);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PlaceQfp240AllClicks)
    ->Iterations(20)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vanto
