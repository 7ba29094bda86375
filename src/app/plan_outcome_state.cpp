#include "app/plan_outcome_state.h"

namespace vanto {

void ApplyPlanOutcomeToRun(const PlanFileOutcome& outcome, TestRunState& run,
                           DisplayRequests& display) {
  if (outcome.recordChanged) run.lastRecordSeen = 0;
  if (outcome.editCaptureOn) {
    run.editCaptureChecked = true;
    run.runMode = RunMode::Capture;
  }
  if (outcome.displayRefresh) display.displayRefreshPending = true;
  if (outcome.scopeRedraw) display.scopeRedrawPending = true;
}

}  // namespace vanto
