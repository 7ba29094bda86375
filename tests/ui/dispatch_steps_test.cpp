// The dispatcher steps the test run owns: the run-mode change, the relayout
// gate, the record change and the mini-scope click.
#include "ui/dispatch_steps.h"

#include <gtest/gtest.h>

#include "test_run_bench.h"

namespace vanto::testing {
namespace {

TEST(RunModeChange, TheFirstPassRefreshesAndLaterOnlyChangesDo) {
  RunBench bench;
  EXPECT_TRUE(NoticeRunModeChange(bench.context));
  EXPECT_FALSE(NoticeRunModeChange(bench.context));
  bench.run.runMode = RunMode::Capture;
  EXPECT_TRUE(NoticeRunModeChange(bench.context));
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 2);
}

TEST(RunModeChange, EnteringAnAutomaticRunRestartsTheStableCount) {
  for (RunMode mode :
       {RunMode::TestBoard, RunMode::Capture, RunMode::AutoTest, RunMode::AutoCapture}) {
    RunBench bench;
    bench.run.lastRunMode = 0;
    bench.run.runMode = mode;
    bench.analysis.stableCycleCount = 7;
    NoticeRunModeChange(bench.context);
    EXPECT_EQ(bench.analysis.stableCycleCount, IsAutomaticRun(mode) ? 0 : 7);
  }
}

TEST(CalendarSecondsTest, CountsFromTheStartOf1970) {
  EXPECT_EQ(CalendarSeconds({1970, 1, 1, 0, 0, 0}), 0);
  EXPECT_EQ(CalendarSeconds({2000, 1, 1, 0, 0, 0}), 946684800);
  EXPECT_EQ(CalendarSeconds({2024, 2, 29, 23, 59, 59}), 1709251199);
  EXPECT_EQ(CalendarSeconds({2024, 3, 1, 0, 0, 0}), 1709251200);
}

TEST(RelayoutGate, TwoSizeEventsInOneSecondGiveOneRelayoutAfterTheSecond) {
  TestRunState run;
  const std::int64_t second = CalendarSeconds({2023, 3, 5, 14, 7, 9});
  bool pending = true;
  EXPECT_TRUE(TakeRelayoutRequest(run, pending, second));
  EXPECT_FALSE(pending);

  pending = true;  // a second and a third size event in the same second
  EXPECT_FALSE(TakeRelayoutRequest(run, pending, second));
  EXPECT_FALSE(TakeRelayoutRequest(run, pending, second));
  EXPECT_TRUE(pending);
  EXPECT_TRUE(TakeRelayoutRequest(run, pending, second + 1));
  EXPECT_FALSE(pending);
  EXPECT_FALSE(TakeRelayoutRequest(run, pending, second + 5));
}

class RecordChange : public ::testing::Test {
 protected:
  RecordChange() {
    bench.MakePlan({{}, {}});
    SetRecord(2, "500", "1000", "200", "4", "9");
    SetRecord(3, "2000", "", "100", "", "");
    bench.display.displayRefreshPending = false;
  }
  void SetRecord(int row, const char* mv, const char* ohms, const char* hz, const char* sig,
                 const char* com) {
    bench.plan.table.SetCell(row, cell::kAmplitude, mv);
    bench.plan.table.SetCell(row, cell::kResistance, ohms);
    bench.plan.table.SetCell(row, cell::kFrequency, hz);
    bench.plan.table.SetCell(row, cell::kScanSig, sig);
    bench.plan.table.SetCell(row, cell::kScanCom, com);
  }
  RunBench bench;
};

TEST_F(RecordChange, WithVrhzTheRecordSetsTheGeneratorOncePerChange) {
  EXPECT_TRUE(ApplyRecordChange(bench.context));
  EXPECT_EQ(bench.generator.requestedMv, 500.0f);
  EXPECT_EQ(bench.generator.requestedOhms, 1000.0f);
  EXPECT_EQ(bench.generator.requestedHz, 200.0f);
  EXPECT_EQ(bench.generator.scanSig, 4);
  EXPECT_EQ(bench.generator.scanCom, 9);
  EXPECT_TRUE(bench.display.displayRefreshPending);
  EXPECT_EQ(bench.hooks.treeRefreshes, 1);
  EXPECT_FALSE(ApplyRecordChange(bench.context));
  EXPECT_EQ(bench.hooks.treeRefreshes, 1);
}

TEST_F(RecordChange, AnEmptyValueCellKeepsTheRequestedValuesButSetsTheChannels) {
  ApplyRecordChange(bench.context);
  bench.plan.currentRecord = 3;
  ApplyRecordChange(bench.context);
  EXPECT_EQ(bench.generator.requestedMv, 500.0f);
  EXPECT_EQ(bench.generator.requestedOhms, 1000.0f);
  EXPECT_EQ(bench.generator.requestedHz, 200.0f);
  EXPECT_EQ(bench.generator.scanSig, 0);
  EXPECT_EQ(bench.generator.scanCom, 0);
}

TEST_F(RecordChange, WithoutVrhzNothingOfTheRecordIsApplied) {
  RunControlAction(bench.context, RibbonControl::UseRecordSettings, 0);
  const GeneratorSettings before = bench.generator;
  bench.plan.currentRecord = RowCount(bench.plan) + 1;
  EXPECT_TRUE(ApplyRecordChange(bench.context));
  EXPECT_EQ(bench.generator.requestedMv, before.requestedMv);
  EXPECT_EQ(bench.generator.scanSig, before.scanSig);
  EXPECT_EQ(bench.plan.currentRecord, RowCount(bench.plan) + 1);
  EXPECT_EQ(bench.hooks.treeRefreshes, 1);
}

TEST(MiniScopeClick, OffsetsRunFromMinusFourToPlusFour) {
  const int expected[] = {0, 0, -4, -3, -2, -1, 0, 1, 2, 3, 4, 0, 0};
  for (int result = 0; result <= 12; ++result) {
    EXPECT_EQ(MiniScopeRecordOffset(result), expected[result]) << "result " << result;
  }
}

TEST(MiniScopeClick, MovesWithinTheRecordsAndRefreshes) {
  struct Case {
    int from;
    int hit;
    int to;
  };
  for (const Case c : {Case{4, 2, 2}, Case{9, 2, 5}, Case{5, 10, 7}, Case{3, 9, 6}}) {
    RunBench bench;
    bench.MakePlan({{}, {}, {}, {}, {}, {}});  // rows 2..7
    bench.plan.currentRecord = c.from;
    MoveByMiniScope(bench.context, MiniScopeRecordOffset(c.hit));
    EXPECT_EQ(bench.plan.currentRecord, c.to) << "from " << c.from << " hit " << c.hit;
    EXPECT_EQ(bench.hooks.interfaceRefreshes, 1);
  }
}

}  // namespace
}  // namespace vanto::testing
