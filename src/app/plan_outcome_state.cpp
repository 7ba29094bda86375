#include "app/plan_outcome_state.h"

#include "ui/run_mode_change.h"

namespace vanto {

void ApplyPlanOutcomeToRun(const PlanFileOutcome& outcome, TestRunState& run,
                           DisplayRequests& display) {
  if (outcome.recordChanged) run.lastRecordSeen = 0;
  if (outcome.editCaptureOn) {
    run.editCaptureChecked = true;
    ChangeRunMode(run, RunMode::Capture);
  }
  if (outcome.displayRefresh) display.displayRefreshPending = true;
  if (outcome.scopeRedraw) display.scopeRedrawPending = true;
}

}  // namespace vanto
