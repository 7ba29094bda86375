#include "ui/run_mode_step.h"

#include <string_view>

#include "signature/classification.h"
#include "signature/golden_difference.h"
#include "testplan/golden_record.h"
#include "testplan/signature_record.h"
#include "testplan/record_cells.h"
#include "ui/run_mode_change.h"
#include "ui/run_outcome.h"
#include "ui/signature_freeze.h"
#include "ui/test_run.h"

namespace vanto {
namespace {

bool ProbeLifted(const TestRunContext& context) {
  return context.analysis.signatureState == SignatureState::OpenCircuit;
}

// Step 0: the first record from the current one on that the run still has
// to do; the plan row is never one. Without one the run ends with the
// complete sound, also when the current record is already past the end.
void Search(TestRunContext& context, bool (*wanted)(const TestRunContext&, int row),
            std::int32_t& step, RunMode running, RunMode idle) {
  TestPlanState& plan = context.plan;
  const int last = RowCount(plan);
  for (int row = plan.currentRecord < 2 ? 2 : plan.currentRecord; row <= last; ++row) {
    if (wanted(context, row)) {
      plan.currentRecord = row;
      ChangeRunMode(context.run, running);
      step = kLiftStep;
      return;
    }
  }
  ChangeRunMode(context.run, idle);
  context.sounds.Play(SoundId::CaptureComplete);
  NoteRunEnd(context);
}

bool WantsTest(const TestRunContext& context, int row) {
  const TestPlan& table = context.plan.table;
  return table.CellView(row, cell::kStatus) == cell::kUntested &&
         table.CellView(row, cell::kSignature) == cell::kYes;
}

bool WantsCapture(const TestRunContext& context, int row) {
  const TestPlan& table = context.plan.table;
  const bool overwrite = context.settings.allowSignatureOverwrite == 1;
  const std::string_view signature = overwrite ? cell::kNo : table.CellView(row, cell::kSignature);
  return table.CellView(row, cell::kStatus) == cell::kUntested && signature == cell::kNo;
}

// The record a run is on may be moved under it (the trees, the arrow
// keys); only a test record may be measured, never the plan row or the
// place past the last record.
bool OnRunRecord(const TestPlanState& plan) {
  return plan.currentRecord >= 2 && plan.currentRecord <= RowCount(plan);
}

// A settled signature; with a scanner channel an open node that stays open
// counts too, or an open pin would hold an unattended run for ever.
bool ReadyToMeasure(const TestRunContext& context) {
  if (IsSettled(context.analysis, context.settings)) return true;
  return ScannerInUse(context.generator) && IsSettledOpen(context.analysis, context.settings);
}

void WaitForLift(TestRunContext& context, std::int32_t& step) {
  if (ProbeLifted(context) || ScannerInUse(context.generator)) step = kSettleStep;
}

// Step 3 of both runs. Without a scanner the next record follows the lift;
// with one it follows at once, and the restarted stable count makes the
// next record wait a full stable delay on its own channels. Either way the
// run goes on with the search, so records that are not to be done (no
// golden, already marked, "NoTest") are skipped alike.
void Advance(TestRunContext& context, std::int32_t& step, RunMode idle) {
  const bool scanner = ScannerInUse(context.generator);
  if (!scanner && !ProbeLifted(context)) return;
  if (scanner) {
    context.analysis.stableCycleCount = 0;
    context.analysis.openCycleCount = 0;
  }
  TestPlanState& plan = context.plan;
  ++plan.currentRecord;
  step = kSearchStep;
  if (plan.currentRecord > RowCount(plan)) {
    // The position stays one past the last record ("END").
    context.sounds.Play(SoundId::CaptureComplete);
    ChangeRunMode(context.run, idle);
    NoteRunEnd(context);
  }
}

void StepAutoTest(TestRunContext& context) {
  std::int32_t& step = context.run.autoTestStep;
  switch (step) {
    case kSearchStep:
      Search(context, WantsTest, step, RunMode::AutoTest, RunMode::TestBoard);
      break;
    case kLiftStep: WaitForLift(context, step); break;
    case kSettleStep: {
      if (!OnRunRecord(context.plan)) {
        step = kSearchStep;  // the search finds the next record still to do
        break;
      }
      if (!ReadyToMeasure(context)) break;
      TestPlanState& plan = context.plan;
      StoreLiveSignature(plan.table, plan.currentRecord, 1, context.analysis.liveSignature,
                         context.generator);
      MeasureGoldenDifference(context.analysis, plan);
      if (PassesGoldenTest(context.analysis, context.settings)) {
        plan.table.SetCell(plan.currentRecord, cell::kStatus, cell::kGood);
        context.sounds.Play(SoundId::TestGood);
      } else {
        plan.table.SetCell(plan.currentRecord, cell::kStatus, cell::kBad);
        context.sounds.Play(SoundId::TestBad);
      }
      context.hooks.ShowMarkedRecord(plan.currentRecord);
      ++context.run.outcome.recordsDone;
      context.display.displayRefreshPending = true;
      step = kAdvanceStep;
      break;
    }
    case kAdvanceStep: Advance(context, step, RunMode::TestBoard); break;
    default: break;
  }
}

void StepAutoCapture(TestRunContext& context) {
  std::int32_t& step = context.run.autoCaptureStep;
  switch (step) {
    case kSearchStep:
      Search(context, WantsCapture, step, RunMode::AutoCapture, RunMode::Capture);
      break;
    case kLiftStep: WaitForLift(context, step); break;
    case kSettleStep: {
      if (!OnRunRecord(context.plan)) {
        step = kSearchStep;
        break;
      }
      if (!ReadyToMeasure(context)) break;
      TestPlanState& plan = context.plan;
      StoreLiveSignature(plan.table, plan.currentRecord, 0, context.analysis.liveSignature,
                         context.generator);
      plan.table.SetCell(plan.currentRecord, cell::kSignature, cell::kYes);
      context.hooks.RefreshInterface();
      context.display.captureFlashCount = kCaptureFlashRedraws;
      context.display.displayRefreshPending = true;
      context.sounds.Play(SoundId::CaptureSignature);
      ++context.run.outcome.recordsDone;
      step = kAdvanceStep;
      break;
    }
    case kAdvanceStep: Advance(context, step, RunMode::Capture); break;
    default: break;
  }
}

}  // namespace

bool ScannerInUse(const GeneratorSettings& generator) {
  return generator.scanSig != 0 || generator.scanCom != 0;
}

void StepRunMode(TestRunContext& context) {
  if (ManualWaitHolds(context)) return;
  switch (context.run.runMode) {
    case RunMode::TestBoard:
      if (context.freeze.autoFreezeOn == 1) StepAutoFreeze(context);
      break;
    case RunMode::Capture: break;
    case RunMode::AutoTest: StepAutoTest(context); break;
    case RunMode::AutoCapture: StepAutoCapture(context); break;
    default: ChangeRunMode(context.run, RunMode::TestBoard); break;
  }
}

}  // namespace vanto
