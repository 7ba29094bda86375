#include "ui/test_run.h"

#include <string_view>

#include "foundation/message_texts.h"
#include "testplan/signature_record.h"
#include "ui/component_navigation.h"
#include "ui/run_mode_change.h"
#include "testplan/record_cells.h"
#include "ui/signature_freeze.h"

namespace vanto {
namespace {

// "refresh" of the control table: the controls, then the static layers.
void Refresh(TestRunContext& context) {
  context.hooks.RefreshInterface();
  context.display.displayRefreshPending = true;
}

bool AdvancedMode(const TestRunContext& context) {
  return context.settings.mode == "Advanced";
}

// Manual marks and captures write test records only, never the plan row
// or past the last record.
bool OnTestRecord(const TestPlanState& plan) {
  return plan.currentRecord >= 2 && plan.currentRecord <= RowCount(plan);
}

void StartManualWait(TestRunContext& context, int milliseconds, WaitTail tail) {
  ManualWait& wait = context.run.manualWait;
  wait.running = true;
  wait.endMs = context.clock.MonotonicMs() + milliseconds;
  wait.tail = tail;
}

void FinishWaitTail(TestRunContext& context, WaitTail tail) {
  context.hooks.RefreshInterface();
  if (tail == WaitTail::CaptureRefresh) context.display.captureFlashCount = kCaptureFlashRedraws;
  context.display.displayRefreshPending = true;
}

// A Good or Bad mark by hand: the measured signature into slot 1, the
// result, and on to the next record.
void MarkRecord(TestRunContext& context, const char* result) {
  TestPlanState& plan = context.plan;
  if (!OnTestRecord(plan)) return;
  StoreLiveSignature(plan.table, plan.currentRecord, 1, context.analysis.liveSignature,
                     context.generator);
  plan.table.SetCell(plan.currentRecord, cell::kStatus, result);
  context.hooks.ShowMarkedRecord(plan.currentRecord);
  NextRecord(plan);
  StartManualWait(context, kMarkWaitMs, WaitTail::Refresh);
}

// A golden capture by hand; not limited by the overwrite setting.
void CaptureRecord(TestRunContext& context) {
  if (!context.instrument.IsConnected()) {
    context.messages.ShowMessage(text::kNotConnectedNoCapture);
    return;
  }
  TestPlanState& plan = context.plan;
  if (!OnTestRecord(plan)) return;
  StoreLiveSignature(plan.table, plan.currentRecord, 0, context.analysis.liveSignature,
                     context.generator);
  plan.table.SetCell(plan.currentRecord, cell::kSignature, cell::kYes);
  NextRecord(plan);
  StartManualWait(context, kCaptureWaitMs, WaitTail::CaptureRefresh);
}

void Generator(TestRunContext& context, GeneratorAction action, int listIndex = 0) {
  context.instrument.RunGeneratorAction(action, listIndex);
}

// The automatic-run button: 1 -> 3, 2 -> 4, 3 -> 1, 4 -> 2.
void ToggleAutomaticRun(TestRunContext& context) {
  TestRunState& run = context.run;
  switch (run.runMode) {
    case RunMode::TestBoard: ChangeRunMode(run, RunMode::AutoTest); break;
    case RunMode::Capture: ChangeRunMode(run, RunMode::AutoCapture); break;
    case RunMode::AutoTest: ChangeRunMode(run, RunMode::TestBoard); break;
    case RunMode::AutoCapture: ChangeRunMode(run, RunMode::Capture); break;
  }
  run.autoTestStep = 0;
  run.autoCaptureStep = 0;
  run.outcome.recordsDone = 0;
  context.hooks.RefreshInterface();
}

}  // namespace

void EndAutomaticRun(TestRunContext& context) {
  if (IsAutomaticRun(context.run.runMode)) ToggleAutomaticRun(context);
}

bool ManualWaitHolds(TestRunContext& context) {
  ManualWait& wait = context.run.manualWait;
  while (wait.running) {
    if (context.clock.MonotonicMs() < wait.endMs) return true;
    wait.running = false;
    FinishWaitTail(context, wait.tail);
    // Held actions run in arrival order until one of them starts a new wait.
    while (!wait.running && !wait.held.empty()) {
      const HeldAction action = wait.held.front();
      wait.held.erase(wait.held.begin());
      if (action.buttonFunction) {
        RunButtonFunction(context, action.value);
      } else {
        RunControlAction(context, action.control, action.value);
      }
    }
  }
  return false;
}

void GoodOrCapture(TestRunContext& context) {
  if (!AdvancedMode(context)) return;
  if (context.run.editCaptureChecked) {
    CaptureRecord(context);
  } else {
    MarkRecord(context, cell::kGood);
  }
}

void MarkBad(TestRunContext& context) {
  if (context.run.editCaptureChecked) return;
  MarkRecord(context, cell::kBad);
}

void ResetTest(TestRunContext& context) {
  if (!context.questions.AskYesNo(kResetQuestionTitle, kResetQuestionText)) return;
  TestPlan& table = context.plan.table;
  const int last = RowCount(context.plan);
  for (int row = 2; row <= last; ++row) {
    // "NoTest" is the user's choice, not a result: it survives the reset.
    if (table.CellView(row, cell::kStatus) == cell::kNoTest) continue;
    table.SetCell(row, cell::kStatus, cell::kUntested);
  }
  context.plan.currentRecord = 2;
  context.hooks.ClearTestTree();
  Refresh(context);
}

void RunControlAction(TestRunContext& context, RibbonControl control, int value) {
  if (ManualWaitHolds(context)) {
    context.run.manualWait.held.push_back({false, control, value});
    return;
  }
  TestRunState& run = context.run;
  TestPlanState& plan = context.plan;
  switch (control) {
    case RibbonControl::ConnectionIndicator: break;  // connecting is the hit test's job
    case RibbonControl::VoltageUp: Generator(context, GeneratorAction::VoltagePlus); break;
    case RibbonControl::VoltageDown: Generator(context, GeneratorAction::VoltageMinus); break;
    case RibbonControl::ResistanceUp: Generator(context, GeneratorAction::ResistancePlus); break;
    case RibbonControl::ResistanceDown: Generator(context, GeneratorAction::ResistanceMinus); break;
    case RibbonControl::FrequencyUp: Generator(context, GeneratorAction::FrequencyPlus); break;
    case RibbonControl::FrequencyDown: Generator(context, GeneratorAction::FrequencyMinus); break;
    case RibbonControl::VoltageList:
      Generator(context, GeneratorAction::SelectVoltage, value);
      break;
    case RibbonControl::ResistanceList:
      Generator(context, GeneratorAction::SelectResistance, value);
      break;
    case RibbonControl::FrequencyList:
      Generator(context, GeneratorAction::SelectFrequency, value);
      break;
    case RibbonControl::DcModeList: Generator(context, GeneratorAction::SelectDcMode, value); break;
    case RibbonControl::DcLevelList:
      Generator(context, GeneratorAction::SelectDcLevel, value);
      break;
    case RibbonControl::ScanSigList:
      Generator(context, GeneratorAction::SelectScanSig, value);
      context.hooks.RefreshInterface();
      break;
    case RibbonControl::ScanComList:
      Generator(context, GeneratorAction::SelectScanCom, value);
      context.hooks.RefreshInterface();
      break;
    case RibbonControl::ButtonAIndicator:
      context.instrument.LatchButton(InstrumentButton::A);
      break;
    case RibbonControl::ButtonBIndicator:
      context.instrument.LatchButton(InstrumentButton::B);
      break;
    case RibbonControl::FunctionListA: run.functionA = value; break;
    case RibbonControl::FunctionListB: run.functionB = value; break;
    case RibbonControl::Previous:
      PreviousRecord(plan);
      Refresh(context);
      break;
    case RibbonControl::Next:
      NextRecord(plan);
      Refresh(context);
      break;
    case RibbonControl::PreviousComponent:
      PreviousComponent(plan);
      Refresh(context);
      break;
    case RibbonControl::NextComponent:
      NextComponent(plan);
      Refresh(context);
      break;
    case RibbonControl::First:
      plan.currentRecord = 2;
      Refresh(context);
      break;
    case RibbonControl::Last:
      plan.currentRecord = RowCount(plan);
      Refresh(context);
      break;
    case RibbonControl::FreezeGolden:
      ToggleFreezeGolden(context.freeze, context.analysis, value != 0);
      context.hooks.ShowFreezeToggles();
      break;
    case RibbonControl::FreezeDut:
      ToggleFreezeDut(context.freeze, context.analysis, value != 0);
      context.hooks.ShowFreezeToggles();
      break;
    case RibbonControl::AutoFreeze: ToggleAutoFreeze(context, value != 0); break;
    case RibbonControl::UseRecordSettings: run.useRecordSettings = value != 0; break;
    case RibbonControl::ResetTest: ResetTest(context); break;
    case RibbonControl::Good: GoodOrCapture(context); break;
    case RibbonControl::Bad: MarkBad(context); break;
    case RibbonControl::AutomaticRun: ToggleAutomaticRun(context); break;
    case RibbonControl::EditCaptureSignature:
      // Also ends a running automatic run; its step stays as it was.
      run.editCaptureChecked = value != 0;
      ChangeRunMode(run, run.editCaptureChecked ? RunMode::Capture : RunMode::TestBoard);
      context.hooks.RefreshInterface();
      break;
    case RibbonControl::EditAddRecords:
      if (run.editCaptureChecked) {
        context.hooks.OpenRecordEditor();
        context.display.displayRefreshPending = true;
      }
      break;
    case RibbonControl::TestTree:
    case RibbonControl::BadTree:
      if (value > 0) {
        plan.currentRecord = value;
        Refresh(context);
      }
      break;
  }
}

void RunButtonFunction(TestRunContext& context, int entry) {
  if (ManualWaitHolds(context)) {
    context.run.manualWait.held.push_back({true, RibbonControl::Good, entry});
    return;
  }
  switch (static_cast<ButtonFunction>(entry)) {
    case ButtonFunction::CycleResistance:
      Generator(context, GeneratorAction::CycleResistance);
      break;
    case ButtonFunction::ResistancePlus: Generator(context, GeneratorAction::ResistancePlus); break;
    case ButtonFunction::ResistanceMinus:
      Generator(context, GeneratorAction::ResistanceMinus);
      break;
    case ButtonFunction::CycleFrequency: Generator(context, GeneratorAction::CycleFrequency); break;
    case ButtonFunction::FrequencyPlus: Generator(context, GeneratorAction::FrequencyPlus); break;
    case ButtonFunction::FrequencyMinus: Generator(context, GeneratorAction::FrequencyMinus); break;
    case ButtonFunction::CycleVoltage: Generator(context, GeneratorAction::CycleVoltage); break;
    case ButtonFunction::VoltagePlus: Generator(context, GeneratorAction::VoltagePlus); break;
    case ButtonFunction::VoltageMinus: Generator(context, GeneratorAction::VoltageMinus); break;
    case ButtonFunction::GoodCapture: RunControlAction(context, RibbonControl::Good); break;
    case ButtonFunction::Bad: RunControlAction(context, RibbonControl::Bad); break;
    case ButtonFunction::NextTest: RunControlAction(context, RibbonControl::Next); break;
    case ButtonFunction::PreviousTest: RunControlAction(context, RibbonControl::Previous); break;
    default: break;  // "No Function", FREEZE and THAW do nothing
  }
}

void RunInstrumentButtons(TestRunContext& context) {
  if (context.instrument.TakeButtonPress(InstrumentButton::A)) {
    RunButtonFunction(context, context.run.functionA);
  }
  if (context.instrument.TakeButtonPress(InstrumentButton::B)) {
    RunButtonFunction(context, context.run.functionB);
  }
}

}  // namespace vanto
