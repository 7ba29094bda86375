// The automatic test and capture runs, driven by a scripted signature feed:
// probe lift, settling, storing, comparing, marking, sounds and the walk to
// the end of the plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "test_run_bench.h"

namespace vanto::testing {
namespace {

constexpr float kGoodNode = 10000.0f;   // the node as the golden board shows it
constexpr float kFaultyNode = 5000.0f;  // the same node on a faulty board

// Starts the automatic run from the run mode it belongs to.
void StartRun(RunBench& bench, RunMode idle) {
  bench.run.runMode = idle;
  RunControlAction(bench.context, RibbonControl::AutomaticRun);
}

struct NothingLeftCase {
  const char* name;
  std::vector<RecordSetup> records;
  int currentRecord;
};

TEST(AutoTest, NothingLeftToTestEndsAtOnceWithTheCompleteSound) {
  const RecordSetup untestedGolden = Golden(kGoodNode);
  const RecordSetup goodGolden = Golden(kGoodNode).WithStatus(cell::kGood);
  const RecordSetup untestedNoGolden{};
  const std::vector<NothingLeftCase> cases = {
      {"every record already Good", {goodGolden, goodGolden}, 2},
      {"no record has a golden", {untestedNoGolden, untestedNoGolden}, 2},
      {"the only candidate lies before the current record",
       {untestedGolden, goodGolden, goodGolden},
       3},
      {"the position is past the last record", {untestedGolden, untestedGolden}, 4},
  };
  for (const NothingLeftCase& c : cases) {
    SCOPED_TRACE(c.name);
    RunBench bench;
    bench.MakePlan(c.records);
    bench.plan.currentRecord = c.currentRecord;
    StartRun(bench, RunMode::TestBoard);
    ASSERT_EQ(bench.run.runMode, RunMode::AutoTest);

    StepRunMode(bench.context);

    EXPECT_EQ(bench.run.runMode, RunMode::TestBoard);
    EXPECT_EQ(bench.sounds.played, std::vector<SoundId>{SoundId::CaptureComplete});
    for (int row = 2; row <= RowCount(bench.plan); ++row) {
      EXPECT_EQ(bench.Status(row), c.records[static_cast<std::size_t>(row - 2)].status);
    }
  }
}

TEST(AutoTest, LiftSettleMarksGoodAndBadWithTheirSoundsAndEndsPastTheLastRecord) {
  RunBench bench;
  bench.run.useRecordSettings = false;  // keeps the end position for the check
  const RecordSetup golden = Golden(kGoodNode);
  bench.MakePlan({golden, golden, golden});
  StartRun(bench, RunMode::TestBoard);

  bench.Lift();
  bench.Touch(kGoodNode);
  EXPECT_EQ(bench.Status(2), cell::kGood);
  bench.Lift();
  bench.Touch(kFaultyNode);
  EXPECT_EQ(bench.Status(3), cell::kBad);
  bench.Lift();
  bench.Touch(kGoodNode);
  EXPECT_EQ(bench.Status(4), cell::kGood);
  EXPECT_EQ(bench.run.runMode, RunMode::AutoTest);  // waits for the last lift
  bench.Lift();

  EXPECT_EQ(bench.run.runMode, RunMode::TestBoard);
  EXPECT_EQ(bench.plan.currentRecord, RowCount(bench.plan) + 1);
  const std::vector<SoundId> expected = {SoundId::TestGood, SoundId::TestBad, SoundId::TestGood,
                                         SoundId::CaptureComplete};
  EXPECT_EQ(bench.sounds.played, expected);
  // The measured signature went into slot 1 of each record.
  for (int row = 2; row <= 4; ++row) {
    EXPECT_EQ(bench.plan.table.Cell(row, kSlotColumns + 1), std::to_string(row));
    EXPECT_EQ(bench.plan.table.Cell(row, kSlotColumns + 31), std::to_string(kTestPoints));
  }
}

// The trees and pass rates follow each mark in the pass that makes it, not
// the lift that moves on.
TEST(AutoTest, EachMarkShowsItsRecordAtOnce) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode), Golden(kGoodNode)});
  StartRun(bench, RunMode::TestBoard);
  bench.Lift();
  bench.Touch(kGoodNode);
  EXPECT_EQ(bench.hooks.markedRecords, std::vector<int>{2});
  EXPECT_EQ(bench.run.autoTestStep, kAdvanceStep);  // the probe still rests on the pin
  bench.Lift();
  bench.Touch(kFaultyNode);
  EXPECT_EQ(bench.hooks.markedRecords, (std::vector<int>{2, 3}));
  EXPECT_EQ(bench.Status(3), cell::kBad);
}

TEST(AutoTest, EndPositionLastsUntilTheRecordChangeWithVrhzBringsItBack) {
  RunBench bench;
  bench.run.useRecordSettings = false;
  bench.MakePlan({Golden(kGoodNode)});
  StartRun(bench, RunMode::TestBoard);
  bench.Lift();
  bench.Touch(kGoodNode);
  bench.Lift();
  const int end = RowCount(bench.plan) + 1;
  ASSERT_EQ(bench.plan.currentRecord, end);

  bench.Passes(OpenProbe(), 5);  // with "V/R/Hz" off nothing moves it
  EXPECT_EQ(bench.plan.currentRecord, end);

  bench.run.useRecordSettings = true;
  bench.run.lastRecordSeen = -100;  // a change the record step has not seen
  ApplyRecordChange(bench.context);
  EXPECT_EQ(bench.plan.currentRecord, RowCount(bench.plan));
}

TEST(AutoTest, NothingIsMarkedBeforeTheProbeWasLifted) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode)});
  bench.Pass(ResistorNode(kGoodNode));  // already on the node when the run starts
  StartRun(bench, RunMode::TestBoard);

  bench.Passes(ResistorNode(kGoodNode), 4 * bench.SettlePasses());
  EXPECT_EQ(bench.Status(2), cell::kUntested);
  EXPECT_EQ(bench.run.autoTestStep, kLiftStep);

  bench.Lift();
  bench.Touch(kGoodNode);
  EXPECT_EQ(bench.Status(2), cell::kGood);
}

TEST(AutoTest, AContactThatNeverSettlesIsNotMarked) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode)});
  StartRun(bench, RunMode::TestBoard);
  bench.Lift();
  for (int i = 0; i < 10 * bench.SettlePasses(); ++i) {
    bench.Pass(ResistorNode(i % 2 == 0 ? kGoodNode : kFaultyNode));  // a wobbling probe
  }
  EXPECT_EQ(bench.Status(2), cell::kUntested);
  EXPECT_EQ(bench.run.autoTestStep, kSettleStep);
  EXPECT_TRUE(bench.sounds.played.empty());
}

// The run's record moved onto the plan row (the trees, the arrow keys)
// while the run waits for the probe: the plan row is never measured.
TEST(AutoTest, ThePlanRowIsNeverMarkedOrCaptured) {
  for (RunMode idle : {RunMode::TestBoard, RunMode::Capture}) {
    RunBench bench;
    bench.run.useRecordSettings = false;
    bench.MakePlan({idle == RunMode::TestBoard ? Golden(kGoodNode) : RecordSetup{}});
    const std::string planRowBefore = [&] {
      std::string line;
      bench.plan.table.AppendRowAsLine(1, line);
      return line;
    }();
    StartRun(bench, idle);
    bench.Lift();
    bench.plan.currentRecord = 1;
    bench.Touch(kGoodNode);
    std::string planRow;
    bench.plan.table.AppendRowAsLine(1, planRow);
    EXPECT_EQ(planRow, planRowBefore) << static_cast<int>(idle);
    EXPECT_TRUE(bench.hooks.markedRecords.empty() ||
                std::find(bench.hooks.markedRecords.begin(), bench.hooks.markedRecords.end(),
                          1) == bench.hooks.markedRecords.end());
  }
}

TEST(AutoTest, AGoldenMarkedYesWithoutPointsIsNeverGood) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode)});
  bench.plan.table.SetCell(2, 31, "0");  // "Yes", but no points stored
  StartRun(bench, RunMode::TestBoard);
  bench.Lift();
  bench.Touch(kGoodNode);
  EXPECT_EQ(bench.Status(2), cell::kBad);
}

TEST(AutoTest, TestsOnlyUntestedRecordsWithAGolden) {
  RunBench bench;
  bench.MakePlan({
      Golden(kGoodNode).WithStatus(cell::kGood),
      RecordSetup{}.WithSignature(cell::kNo),
      Golden(kGoodNode).WithStatus(cell::kNoTest),
      Golden(kGoodNode),
  });
  StartRun(bench, RunMode::TestBoard);
  bench.Pass(OpenProbe());
  EXPECT_EQ(bench.plan.currentRecord, 5);

  bench.Lift();
  bench.Touch(kFaultyNode);
  bench.Lift();

  EXPECT_EQ(bench.Status(2), cell::kGood);
  EXPECT_EQ(bench.Status(3), cell::kUntested);
  EXPECT_EQ(bench.Status(4), cell::kNoTest);
  EXPECT_EQ(bench.Status(5), cell::kBad);
  EXPECT_EQ(bench.run.runMode, RunMode::TestBoard);
  EXPECT_EQ(bench.Count(SoundId::CaptureComplete), 1);
}

TEST(AutoTest, EnteringTheRunRestartsTheStableCount) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode)});
  bench.Passes(ResistorNode(kGoodNode), bench.SettlePasses());
  ASSERT_GT(bench.analysis.stableCycleCount, 0);
  StartRun(bench, RunMode::TestBoard);

  bench.Pass(ResistorNode(kGoodNode));

  EXPECT_EQ(bench.analysis.stableCycleCount, 1);  // reset, then this frame's count
}

// The scanner board: every channel reaches a node; the probe never moves.
class ScannerRun : public ::testing::Test {
 protected:
  void MakeScannedPlan(int records) {
    std::vector<RecordSetup> setups;
    for (int i = 1; i <= records; ++i) {
      setups.push_back(
          Golden(kGoodNode).WithComponent("IC" + std::to_string(i)).WithScanSig(std::to_string(i)));
    }
    bench.MakePlan(setups);
  }
  // One pass with the frame of the channel the record step selected.
  void ScannerPass() {
    if (bench.generator.scanSig == openChannel) {
      bench.Pass(OpenProbe());
      return;
    }
    const bool faulty = bench.generator.scanSig == faultyChannel;
    bench.Pass(ResistorNode(faulty ? kFaultyNode : kGoodNode));
  }
  // Passes until the run ends; the pass count at each new mark.
  std::vector<int> RunToEnd(RunMode idle) {
    std::vector<int> marks;
    std::size_t soundsSeen = 0;
    for (int pass = 1; pass < 1000 && bench.run.runMode != idle; ++pass) {
      ScannerPass();
      for (; soundsSeen < bench.sounds.played.size(); ++soundsSeen) {
        if (bench.sounds.played[soundsSeen] != SoundId::CaptureComplete) marks.push_back(pass);
      }
    }
    return marks;
  }

  RunBench bench;
  int faultyChannel = 0;
  int openChannel = 0;
};

// On a scanner there is no probe to lift: an open pin is what the node
// measures, and an unattended run must mark it and go on, not wait for ever.
TEST_F(ScannerRun, AnOpenPinIsMarkedBadAfterTheStableDelayAndTheRunGoesOn) {
  bench.run.useRecordSettings = true;
  MakeScannedPlan(4);
  openChannel = 2;
  StartRun(bench, RunMode::TestBoard);

  const std::vector<int> marks = RunToEnd(RunMode::TestBoard);

  ASSERT_EQ(marks.size(), 4u);
  EXPECT_EQ(bench.Status(2), cell::kGood);
  EXPECT_EQ(bench.Status(3), cell::kBad);
  EXPECT_EQ(bench.Status(4), cell::kGood);
  EXPECT_EQ(bench.Status(5), cell::kGood);
  EXPECT_GE(marks[1] - marks[0], StableDelayCycles(bench.settings));
}

TEST_F(ScannerRun, AutoTestNeedsNoLiftAndMarksExactlyTheFaultyChannel) {
  bench.run.useRecordSettings = true;
  MakeScannedPlan(5);
  faultyChannel = 3;
  StartRun(bench, RunMode::TestBoard);

  const std::vector<int> marks = RunToEnd(RunMode::TestBoard);

  ASSERT_EQ(marks.size(), 5u);
  for (int row = 2; row <= 6; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(bench.Status(row), row - 1 == faultyChannel ? cell::kBad : cell::kGood);
  }
  EXPECT_EQ(bench.Count(SoundId::CaptureComplete), 1);
  // The same node on every channel would count on without the restart:
  // each record waits a full stable delay of its own.
  for (std::size_t i = 1; i < marks.size(); ++i) {
    EXPECT_GE(marks[i] - marks[i - 1], StableDelayCycles(bench.settings)) << "mark " << i;
  }
}

TEST_F(ScannerRun, AutoTestSkipsRecordsWithoutAGoldenLikeTheProbeRun) {
  MakeScannedPlan(3);
  bench.plan.table.SetCell(3, cell::kSignature, cell::kNo);
  bench.plan.table.SetCell(4, cell::kStatus, cell::kNoTest);
  StartRun(bench, RunMode::TestBoard);

  RunToEnd(RunMode::TestBoard);

  EXPECT_EQ(bench.Status(2), cell::kGood);
  EXPECT_EQ(bench.Status(3), cell::kUntested);
  EXPECT_EQ(bench.Status(4), cell::kNoTest);
}

TEST_F(ScannerRun, AutoCaptureCapturesEveryChannelInTurn) {
  MakeScannedPlan(4);
  for (int row = 2; row <= 5; ++row) bench.plan.table.SetCell(row, cell::kSignature, cell::kNo);
  StartRun(bench, RunMode::Capture);

  const std::vector<int> marks = RunToEnd(RunMode::Capture);

  EXPECT_EQ(marks.size(), 4u);
  for (int row = 2; row <= 5; ++row) EXPECT_EQ(bench.plan.table.Cell(row, cell::kSignature), "Yes");
  EXPECT_EQ(bench.Count(SoundId::CaptureSignature), 4);
  EXPECT_EQ(bench.sounds.played.back(), SoundId::CaptureComplete);
}

// Auto capture with and without "ORX_AllowSignatureOverwrite".
struct OverwriteCase {
  int overwrite;
  std::vector<int> capturedRows;
};

class AutoCaptureOverwrite : public ::testing::TestWithParam<OverwriteCase> {};

TEST_P(AutoCaptureOverwrite, CapturesTheUntestedRecordsTheSettingAllows) {
  constexpr float kOldGolden = 30000.0f;
  constexpr float kBoardNode = 2000.0f;
  RunBench bench;
  bench.settings.allowSignatureOverwrite = GetParam().overwrite;
  bench.MakePlan({
      RecordSetup{}.WithSignature(cell::kNo),                            // row 2
      RecordSetup{}.WithSignature(""),                                   // row 3
      Golden(kOldGolden),                                                // row 4
      RecordSetup{}.WithStatus(cell::kGood).WithSignature(cell::kNo),    // row 5
      RecordSetup{}.WithStatus(cell::kNoTest).WithSignature(cell::kNo),  // row 6
      RecordSetup{}.WithSignature(cell::kNo),                            // row 7
  });
  StartRun(bench, RunMode::Capture);

  for (int contact = 0; contact < 10 && bench.run.runMode != RunMode::Capture; ++contact) {
    bench.Lift();
    bench.Touch(kBoardNode);
  }
  bench.Lift();

  ASSERT_EQ(bench.run.runMode, RunMode::Capture);
  const Signature board = ResistorNode(kBoardNode);
  const std::vector<int>& captured = GetParam().capturedRows;
  for (int row = 2; row <= 7; ++row) {
    SCOPED_TRACE(row);
    const bool wanted = std::find(captured.begin(), captured.end(), row) != captured.end();
    const Signature golden = ReadSlotSignature(bench.plan.table, row, 0);
    const bool boardGolden = golden.pointCount == kTestPoints &&
                             std::fabs(golden.current[17] - board.current[17]) <= 1e-10f;
    EXPECT_EQ(boardGolden, wanted);
    if (wanted) {
      EXPECT_EQ(bench.plan.table.Cell(row, cell::kSignature), cell::kYes);
    }
  }
  EXPECT_EQ(bench.Count(SoundId::CaptureSignature), static_cast<int>(captured.size()));
  EXPECT_EQ(bench.sounds.played.back(), SoundId::CaptureComplete);
  EXPECT_EQ(bench.Count(SoundId::CaptureComplete), 1);
  EXPECT_EQ(bench.display.captureFlashCount, 3);
}

INSTANTIATE_TEST_SUITE_P(Settings, AutoCaptureOverwrite,
                         ::testing::Values(OverwriteCase{0, {2, 7}},
                                           OverwriteCase{1, {2, 3, 4, 7}}),
                         [](const auto& info) {
                           return "Overwrite" + std::to_string(info.param.overwrite);
                         });

TEST(AutoCapture, NothingLeftToCaptureEndsAtOnceInCaptureMode) {
  RunBench bench;
  bench.MakePlan({Golden(kGoodNode)});
  StartRun(bench, RunMode::Capture);
  ASSERT_EQ(bench.run.runMode, RunMode::AutoCapture);

  StepRunMode(bench.context);

  EXPECT_EQ(bench.run.runMode, RunMode::Capture);
  EXPECT_EQ(bench.sounds.played, std::vector<SoundId>{SoundId::CaptureComplete});
}

TEST(RunModeStep, AnUnknownRunModeBecomesTestBoard) {
  RunBench bench;
  bench.run.runMode = static_cast<RunMode>(7);
  StepRunMode(bench.context);
  EXPECT_EQ(bench.run.runMode, RunMode::TestBoard);
}

}  // namespace
}  // namespace vanto::testing
