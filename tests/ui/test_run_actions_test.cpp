// The ribbon's test and edit controls and the instrument's A and B button
// functions: marking by hand with its wait, capturing by hand, resetting the
// results, navigation and the run-mode switches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/message_texts.h"
#include "test_run_bench.h"

namespace vanto::testing {
namespace {

constexpr float kNode = 4700.0f;
// Cells keep 10 decimals.
constexpr double kCellResolution = 1e-10;

int Entry(ButtonFunction function) {
  return static_cast<int>(function);
}

// Five untested records with goldens, rows 2..6, the probe on a node.
class ManualRun : public ::testing::Test {
 protected:
  ManualRun() {
    const RecordSetup golden = Golden(10000.0f);
    bench.MakePlan({golden, golden, golden, golden, golden});
    bench.analysis.liveSignature = ResistorNode(kNode);
    bench.display.displayRefreshPending = false;
  }
  void Act(RibbonControl control, int value = 0) {
    RunControlAction(bench.context, control, value);
  }
  void Wait(int milliseconds) {
    bench.clock.nowMs += milliseconds;
    StepRunMode(bench.context);
  }
  float MeasuredPeakCurrent(int row) const {
    return ReadSlotSignature(bench.plan.table, row, 1).current[17];
  }

  RunBench bench;
};

TEST_F(ManualRun, GoodStoresTheMeasuredSignatureMovesOnAndRefreshesAfter150Ms) {
  Act(RibbonControl::Good);

  EXPECT_EQ(bench.Status(2), cell::kGood);
  EXPECT_NEAR(MeasuredPeakCurrent(2), ResistorNode(kNode).current[17], kCellResolution);
  EXPECT_EQ(bench.plan.currentRecord, 3);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 0);
  Wait(kMarkWaitMs - 1);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 0);
  EXPECT_FALSE(bench.display.displayRefreshPending);
  Wait(1);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 1);
  EXPECT_TRUE(bench.display.displayRefreshPending);
  EXPECT_EQ(bench.display.captureFlashCount, 0);
  EXPECT_TRUE(bench.sounds.played.empty());  // manual actions play nothing
}

TEST_F(ManualRun, ActionsDuringTheWaitRunAfterItInTheirOrder) {
  Act(RibbonControl::Good);
  Act(RibbonControl::Bad);   // held
  Act(RibbonControl::Next);  // held behind the Bad mark's own wait
  EXPECT_EQ(bench.Status(3), cell::kUntested);
  EXPECT_EQ(bench.plan.currentRecord, 3);

  Wait(kMarkWaitMs);
  EXPECT_EQ(bench.Status(3), cell::kBad);
  EXPECT_EQ(bench.plan.currentRecord, 4);

  Wait(kMarkWaitMs);
  EXPECT_EQ(bench.plan.currentRecord, 5);
  EXPECT_EQ(bench.Status(4), cell::kUntested);
  EXPECT_FALSE(bench.run.manualWait.running);
}

TEST_F(ManualRun, TheWaitHoldsTheAutomaticRunBack) {
  Act(RibbonControl::Good);
  bench.run.runMode = RunMode::AutoTest;
  bench.run.autoTestStep = kSearchStep;
  StepRunMode(bench.context);
  EXPECT_EQ(bench.run.autoTestStep, kSearchStep);
  Wait(kMarkWaitMs);
  EXPECT_EQ(bench.run.autoTestStep, kLiftStep);
}

TEST_F(ManualRun, CaptureByHandReplacesTheGoldenAndFlashesAfter250Ms) {
  bench.settings.allowSignatureOverwrite = 0;  // does not limit a capture by hand
  Act(RibbonControl::EditCaptureSignature, 1);
  const int refreshesBefore = bench.hooks.interfaceRefreshes;

  Act(RibbonControl::Good);

  const Signature golden = ReadSlotSignature(bench.plan.table, 2, 0);
  EXPECT_NEAR(golden.current[17], ResistorNode(kNode).current[17], kCellResolution);
  EXPECT_EQ(bench.plan.table.Cell(2, cell::kSignature), cell::kYes);
  EXPECT_EQ(bench.Status(2), cell::kUntested);
  EXPECT_EQ(bench.plan.currentRecord, 3);
  Wait(kCaptureWaitMs - 1);
  EXPECT_EQ(bench.display.captureFlashCount, 0);
  Wait(1);
  EXPECT_EQ(bench.display.captureFlashCount, 3);
  EXPECT_TRUE(bench.display.displayRefreshPending);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, refreshesBefore + 1);
}

TEST_F(ManualRun, CaptureWithoutAnInstrumentShowsInfo0054AndChangesNothing) {
  bench.instrument.connected = false;
  bench.plan.table.SetCell(2, cell::kSignature, cell::kNo);
  Act(RibbonControl::EditCaptureSignature, 1);

  Act(RibbonControl::Good);

  ASSERT_EQ(bench.boxes.shown.size(), 1u);
  EXPECT_EQ(bench.boxes.shown[0].title, "Info #0054");
  EXPECT_NE(ReadFile("log.txt").find(
                "Info #0054 Instrument not connected, cannot capture signature - no ORX connected"),
            std::string::npos);
  EXPECT_EQ(bench.plan.table.Cell(2, cell::kSignature), cell::kNo);
  EXPECT_EQ(bench.plan.currentRecord, 2);
  EXPECT_FALSE(bench.run.manualWait.running);
}

// What Good and Bad do by mode and by the "Edit/Capture signature" box.
struct MarkCase {
  const char* mode;
  bool editCapture;
  RibbonControl control;
  const char* status;     // row 2 afterwards
  const char* signature;  // row 2 afterwards
  int currentRecord;      // afterwards
};

class MarkByMode : public ManualRun, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(MarkByMode, MarksCapturesOrDoesNothing) {
  const MarkCase& c = GetParam();
  bench.settings.mode = c.mode;
  bench.plan.table.SetCell(2, cell::kSignature, cell::kNo);
  Act(RibbonControl::EditCaptureSignature, c.editCapture ? 1 : 0);

  Act(c.control);

  EXPECT_EQ(bench.Status(2), c.status);
  EXPECT_EQ(bench.plan.table.Cell(2, cell::kSignature), c.signature);
  EXPECT_EQ(bench.plan.currentRecord, c.currentRecord);
  // A mark shows its record's results at once, before the pause is over.
  const bool marked = std::string(c.status) != cell::kUntested;
  EXPECT_EQ(bench.hooks.markedRecords, marked ? std::vector<int>{2} : std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(
    Modes, MarkByMode,
    ::testing::Values(MarkCase{"Advanced", false, RibbonControl::Good, "Good", "No", 3},
                      MarkCase{"Advanced", false, RibbonControl::Bad, "Bad", "No", 3},
                      MarkCase{"Advanced", true, RibbonControl::Good, "Untested", "Yes", 3},
                      MarkCase{"Advanced", true, RibbonControl::Bad, "Untested", "No", 2},
                      MarkCase{"Basic", false, RibbonControl::Good, "Untested", "No", 2},
                      MarkCase{"Basic", false, RibbonControl::Bad, "Bad", "No", 3},
                      MarkCase{"Basic-Auto", false, RibbonControl::Bad, "Bad", "No", 3},
                      MarkCase{"Basic", true, RibbonControl::Good, "Untested", "No", 2}));

TEST_F(ManualRun, MarksAndCapturesOutsideTheRecordsDoNothing) {
  const int end = RowCount(bench.plan) + 1;
  struct Case {
    int currentRecord;
    bool editCapture;
    RibbonControl control;
  };
  for (const Case c : {Case{end, false, RibbonControl::Good}, Case{end, false, RibbonControl::Bad},
                       Case{end, true, RibbonControl::Good}, Case{1, false, RibbonControl::Good},
                       Case{1, false, RibbonControl::Bad}, Case{1, true, RibbonControl::Good}}) {
    SCOPED_TRACE(c.currentRecord);
    bench.plan.currentRecord = c.currentRecord;
    Act(RibbonControl::EditCaptureSignature, c.editCapture ? 1 : 0);
    Act(c.control);
    EXPECT_EQ(bench.plan.currentRecord, c.currentRecord);
    EXPECT_FALSE(bench.run.manualWait.running);
  }
  EXPECT_EQ(bench.plan.table.Cell(1, cell::kStatus), "");
  EXPECT_EQ(bench.plan.table.Cell(1, cell::kSignature), "");
}

class ResetTestQuestion : public ManualRun {
 protected:
  ResetTestQuestion() {
    bench.plan.table.SetCell(2, cell::kStatus, cell::kGood);
    bench.plan.table.SetCell(3, cell::kStatus, cell::kBad);
    bench.plan.table.SetCell(4, cell::kStatus, cell::kNoTest);
    bench.plan.table.SetCell(5, cell::kStatus, "");
    StoreLiveSignature(bench.plan.table, 3, 1, ResistorNode(kNode), bench.generator);
    bench.plan.currentRecord = 5;
    before = bench.plan.table;
  }
  TestPlan before;
};

TEST_F(ResetTestQuestion, AskedWithItsTitleAndText) {
  Act(RibbonControl::ResetTest);
  ASSERT_EQ(bench.questions.asked.size(), 1u);
  EXPECT_EQ(bench.questions.asked[0].first, "RESET ALL TEST RESULTS");
  EXPECT_EQ(bench.questions.asked[0].second, "Do you want to reset all test results?");
}

TEST_F(ResetTestQuestion, AnsweredNoChangesNothing) {
  bench.questions.answer = false;
  Act(RibbonControl::ResetTest);

  for (int row = 1; row <= RowCount(bench.plan); ++row) {
    for (int column = 1; column <= bench.plan.table.Columns(); ++column) {
      ASSERT_EQ(bench.plan.table.Cell(row, column), before.Cell(row, column))
          << "row " << row << " column " << column;
    }
  }
  EXPECT_EQ(bench.plan.currentRecord, 5);
  EXPECT_EQ(bench.hooks.testTreeClears, 0);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 0);
}

TEST_F(ResetTestQuestion, AnsweredYesResetsOnlyTheResults) {
  bench.questions.answer = true;
  Act(RibbonControl::ResetTest);

  const std::vector<std::string> expected = {"Untested", "Untested", "NoTest", "Untested",
                                             "Untested"};
  for (int row = 2; row <= RowCount(bench.plan); ++row) {
    EXPECT_EQ(bench.Status(row), expected[static_cast<std::size_t>(row - 2)]) << "row " << row;
    for (int column = 1; column <= bench.plan.table.Columns(); ++column) {
      if (column == cell::kStatus) continue;
      ASSERT_EQ(bench.plan.table.Cell(row, column), before.Cell(row, column))
          << "row " << row << " column " << column;
    }
  }
  EXPECT_EQ(bench.plan.currentRecord, 2);
  EXPECT_EQ(bench.hooks.testTreeClears, 1);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 1);
  EXPECT_TRUE(bench.display.displayRefreshPending);
}

// Rows 2..9 in three components: A A A B B C C C.
class Navigation : public ::testing::Test {
 protected:
  Navigation() {
    std::vector<RecordSetup> records;
    for (const char* component : {"A", "A", "A", "B", "B", "C", "C", "C"}) {
      records.push_back(RecordSetup{}.WithComponent(component));
    }
    bench.MakePlan(records);
  }
  RunBench bench;
};

struct MoveCase {
  RibbonControl control;
  int from;
  int to;
};

class NavigationMoves : public Navigation, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(NavigationMoves, LandsOnTheExpectedRecordAndRefreshes) {
  bench.plan.currentRecord = GetParam().from;
  RunControlAction(bench.context, GetParam().control);
  EXPECT_EQ(bench.plan.currentRecord, GetParam().to);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 1);
  EXPECT_TRUE(bench.display.displayRefreshPending);
}

INSTANTIATE_TEST_SUITE_P(
    Records, NavigationMoves,
    ::testing::Values(
        // ">>": start of the next component; within the last one, the last record.
        MoveCase{RibbonControl::NextComponent, 2, 5}, MoveCase{RibbonControl::NextComponent, 4, 5},
        MoveCase{RibbonControl::NextComponent, 6, 7}, MoveCase{RibbonControl::NextComponent, 7, 9},
        MoveCase{RibbonControl::NextComponent, 9, 9},
        // "<<": start of the component before; from the first component, record 2.
        MoveCase{RibbonControl::PreviousComponent, 3, 2},
        MoveCase{RibbonControl::PreviousComponent, 2, 2},
        MoveCase{RibbonControl::PreviousComponent, 5, 2},
        MoveCase{RibbonControl::PreviousComponent, 6, 2},
        MoveCase{RibbonControl::PreviousComponent, 8, 5},
        MoveCase{RibbonControl::PreviousComponent, 7, 5},
        // One record at a time, within 1..RowCount.
        MoveCase{RibbonControl::Next, 4, 5}, MoveCase{RibbonControl::Next, 9, 9},
        MoveCase{RibbonControl::Previous, 4, 3}, MoveCase{RibbonControl::Previous, 2, 1},
        MoveCase{RibbonControl::Previous, 1, 1}, MoveCase{RibbonControl::First, 7, 2},
        MoveCase{RibbonControl::Last, 3, 9}));

TEST_F(Navigation, ATreeSelectionMovesToItsRowAndNoSelectionDoesNothing) {
  RunControlAction(bench.context, RibbonControl::TestTree, 7);
  EXPECT_EQ(bench.plan.currentRecord, 7);
  RunControlAction(bench.context, RibbonControl::BadTree, 4);
  EXPECT_EQ(bench.plan.currentRecord, 4);
  RunControlAction(bench.context, RibbonControl::BadTree, 0);
  EXPECT_EQ(bench.plan.currentRecord, 4);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 2);
}

TEST(RunModeSwitches, TheAutomaticRunButtonTogglesAndRestartsBothSteps) {
  const std::vector<std::pair<RunMode, RunMode>> cases = {
      {RunMode::TestBoard, RunMode::AutoTest},
      {RunMode::Capture, RunMode::AutoCapture},
      {RunMode::AutoTest, RunMode::TestBoard},
      {RunMode::AutoCapture, RunMode::Capture},
  };
  for (const auto& [from, to] : cases) {
    RunBench bench;
    bench.run.runMode = from;
    bench.run.autoTestStep = 2;
    bench.run.autoCaptureStep = 3;
    RunControlAction(bench.context, RibbonControl::AutomaticRun);
    EXPECT_EQ(bench.run.runMode, to);
    EXPECT_EQ(bench.run.autoTestStep, 0);
    EXPECT_EQ(bench.run.autoCaptureStep, 0);
    EXPECT_EQ(bench.hooks.interfaceRefreshes, 1);
  }
}

TEST(RunModeSwitches, EditCaptureSignatureEndsARunningRunAndKeepsItsStep) {
  RunBench bench;
  bench.run.runMode = RunMode::AutoTest;
  bench.run.autoTestStep = 2;
  RunControlAction(bench.context, RibbonControl::EditCaptureSignature, 1);
  EXPECT_EQ(bench.run.runMode, RunMode::Capture);
  EXPECT_EQ(bench.run.autoTestStep, 2);
  RunControlAction(bench.context, RibbonControl::EditCaptureSignature, 0);
  EXPECT_EQ(bench.run.runMode, RunMode::TestBoard);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, 2);
}

TEST(RunModeSwitches, TheEditorOpensOnlyInCaptureMode) {
  RunBench bench;
  bench.display.displayRefreshPending = false;
  RunControlAction(bench.context, RibbonControl::EditAddRecords);
  EXPECT_EQ(bench.hooks.editorOpenings, 0);
  EXPECT_FALSE(bench.display.displayRefreshPending);
  RunControlAction(bench.context, RibbonControl::EditCaptureSignature, 1);
  RunControlAction(bench.context, RibbonControl::EditAddRecords);
  EXPECT_EQ(bench.hooks.editorOpenings, 1);
  EXPECT_TRUE(bench.display.displayRefreshPending);
}

TEST(GeneratorControls, EachControlRunsItsValueActionOrDirectSetting) {
  struct Case {
    RibbonControl control;
    int value;
    GeneratorAction action;
    bool refreshes;
  };
  const std::vector<Case> cases = {
      {RibbonControl::VoltageUp, 0, GeneratorAction::VoltagePlus, false},
      {RibbonControl::VoltageDown, 0, GeneratorAction::VoltageMinus, false},
      {RibbonControl::ResistanceUp, 0, GeneratorAction::ResistancePlus, false},
      {RibbonControl::ResistanceDown, 0, GeneratorAction::ResistanceMinus, false},
      {RibbonControl::FrequencyUp, 0, GeneratorAction::FrequencyPlus, false},
      {RibbonControl::FrequencyDown, 0, GeneratorAction::FrequencyMinus, false},
      {RibbonControl::VoltageList, 4, GeneratorAction::SelectVoltage, false},
      {RibbonControl::ResistanceList, 2, GeneratorAction::SelectResistance, false},
      {RibbonControl::FrequencyList, 6, GeneratorAction::SelectFrequency, false},
      {RibbonControl::DcModeList, 3, GeneratorAction::SelectDcMode, false},
      {RibbonControl::DcLevelList, 20, GeneratorAction::SelectDcLevel, false},
      {RibbonControl::ScanSigList, 12, GeneratorAction::SelectScanSig, true},
      {RibbonControl::ScanComList, 40, GeneratorAction::SelectScanCom, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.control));
    RunBench bench;
    RunControlAction(bench.context, c.control, c.value);
    ASSERT_EQ(bench.instrument.actions.size(), 1u);
    EXPECT_EQ(bench.instrument.actions[0].first, c.action);
    EXPECT_EQ(bench.instrument.actions[0].second, c.value);
    EXPECT_EQ(bench.hooks.interfaceRefreshes, c.refreshes ? 1 : 0);
  }
}

TEST(ButtonFunctions, EntriesOneToNineRunTheGeneratorActions) {
  const std::vector<GeneratorAction> expected = {
      GeneratorAction::CycleResistance, GeneratorAction::ResistancePlus,
      GeneratorAction::ResistanceMinus, GeneratorAction::CycleFrequency,
      GeneratorAction::FrequencyPlus,   GeneratorAction::FrequencyMinus,
      GeneratorAction::CycleVoltage,    GeneratorAction::VoltagePlus,
      GeneratorAction::VoltageMinus};
  RunBench bench;
  for (int entry = 1; entry <= 9; ++entry) RunButtonFunction(bench.context, entry);
  ASSERT_EQ(bench.instrument.actions.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(bench.instrument.actions[i].first, expected[i]) << "entry " << i + 1;
  }
}

TEST(ButtonFunctions, NoFunctionFreezeAndThawDoNothing) {
  RunBench bench;
  bench.MakePlan({{}, {}, {}});
  const int refreshes = bench.hooks.interfaceRefreshes;
  for (ButtonFunction function :
       {ButtonFunction::NoFunction, ButtonFunction::Freeze, ButtonFunction::Thaw}) {
    RunButtonFunction(bench.context, Entry(function));
  }
  EXPECT_TRUE(bench.instrument.actions.empty());
  EXPECT_EQ(bench.plan.currentRecord, 2);
  EXPECT_EQ(bench.hooks.interfaceRefreshes, refreshes);
  EXPECT_EQ(bench.Status(2), cell::kUntested);
}

TEST(ButtonFunctions, EachPressOfPlusOneTestMovesOneRecord) {
  RunBench bench;
  bench.MakePlan({{}, {}, {}, {}});
  RunControlAction(bench.context, RibbonControl::FunctionListA, Entry(ButtonFunction::NextTest));
  RunControlAction(bench.context, RibbonControl::FunctionListB,
                   Entry(ButtonFunction::PreviousTest));

  bench.instrument.latchA = true;
  RunInstrumentButtons(bench.context);
  EXPECT_EQ(bench.plan.currentRecord, 3);
  RunInstrumentButtons(bench.context);  // no new press
  EXPECT_EQ(bench.plan.currentRecord, 3);
  RunControlAction(bench.context, RibbonControl::ButtonAIndicator);  // a click acts as a press
  RunInstrumentButtons(bench.context);
  EXPECT_EQ(bench.plan.currentRecord, 4);
  RunControlAction(bench.context, RibbonControl::ButtonBIndicator);
  RunInstrumentButtons(bench.context);
  EXPECT_EQ(bench.plan.currentRecord, 3);
}

TEST(ButtonFunctions, InTheBasicModesBadStillMarksAndGoodCaptureDoesNothing) {
  RunBench bench;
  bench.settings.mode = "Basic";
  bench.MakePlan({{}, {}, {}});
  RunControlAction(bench.context, RibbonControl::FunctionListA, Entry(ButtonFunction::GoodCapture));
  RunControlAction(bench.context, RibbonControl::FunctionListB, Entry(ButtonFunction::Bad));

  bench.instrument.latchA = true;
  RunInstrumentButtons(bench.context);
  EXPECT_EQ(bench.Status(2), cell::kUntested);
  EXPECT_EQ(bench.plan.currentRecord, 2);

  bench.instrument.latchB = true;
  RunInstrumentButtons(bench.context);
  EXPECT_EQ(bench.Status(2), cell::kBad);
  EXPECT_EQ(bench.plan.currentRecord, 3);
}

TEST(ButtonFunctions, TheDefaultsAreCycleFrequencyAndCycleVoltage) {
  RunBench bench;
  bench.instrument.latchA = true;
  bench.instrument.latchB = true;
  RunInstrumentButtons(bench.context);
  ASSERT_EQ(bench.instrument.actions.size(), 2u);
  EXPECT_EQ(bench.instrument.actions[0].first, GeneratorAction::CycleFrequency);
  EXPECT_EQ(bench.instrument.actions[1].first, GeneratorAction::CycleVoltage);
}

}  // namespace
}  // namespace vanto::testing
