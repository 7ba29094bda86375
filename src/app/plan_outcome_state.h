// The test run's share of a plan command's outcome (open, new, recent):
// the record seen anew, "Edit/Capture signature" switched on with the
// capture run mode, and the redraw requests. The window applies the rest
// (its check box, the trees, the interface refresh, the recent labels).
// Main thread only.
#pragma once

#include "app/plan_file_commands.h"
#include "ui/display_requests.h"
#include "ui/test_run_state.h"

namespace vanto {

void ApplyPlanOutcomeToRun(const PlanFileOutcome& outcome, TestRunState& run,
                           DisplayRequests& display);

}  // namespace vanto
