// Every change of the run mode goes through ChangeRunMode, which counts it,
// so the dispatcher's notice of a change also sees a run that starts and
// ends (or ends and starts again) within one pass, where comparing the mode
// with the one of the previous pass sees nothing. Main thread only.
#pragma once

#include "ui/test_run_state.h"

namespace vanto {

inline void ChangeRunMode(TestRunState& run, RunMode mode) {
  if (run.runMode == mode) return;
  run.runMode = mode;
  ++run.runModeChanges;
}

}  // namespace vanto
