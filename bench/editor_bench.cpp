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
#include "foundation/number_text.h"
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

// A captured record: settings, position and both signature slots of 64
// points; each row then gets its own number, component and pin.
void FillRecords(TestPlanState& plan) {
  TestPlan& t = plan.table;
  t.SetCell(2, 9, "Good");
  t.SetCell(2, 17, "812");
  t.SetCell(2, 18, "433");
  t.SetCell(2, 30, "Yes");
  for (int base : {0, 288}) {
    t.SetCell(2, base + 2, "2000");
    t.SetCell(2, base + 31, "64");
    for (int p = 0; p < 128; ++p) t.SetCell(2, base + 32 + p, FormatFloat(0.0123456789 * (p - 64)));
  }
  std::string line;
  t.AppendRowAsLine(2, line);
  for (int r = 2; r <= RowCount(plan); ++r) {
    t.SetRowFromLine(r, line);
    const std::string component = "IC" + std::to_string(r / kPinsPerComponent);
    const std::string pin = std::to_string(r % kPinsPerComponent + 1);
    t.SetCell(r, 1, std::to_string(r));
    t.SetCell(r, 289, std::to_string(r));
    t.SetCell(r, 8, component + ", Pin " + pin);
    t.SetCell(r, 10, component);
    t.SetCell(r, 11, pin);
  }
}

struct BigPlan {
  BigPlan() : messages(clock, boxes) {
    NewTestPlan(plan);
    plan.table.InsertEmptyRows(2, kRecords);
    FillRecords(plan);
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
