// The run-mode state machine: one step per dispatcher pass. The automatic
// runs walk the records in order: wait for the probe to leave the previous
// node (open circuit), wait for a settled signature on the next one, store
// it, then compare and mark (auto test) or keep it as the golden (auto
// capture). With a scanner channel no lift is awaited. Main thread only.
#pragma once

#include "ui/test_run_context.h"

namespace vanto {

// Steps of both automatic runs.
enum AutoRunStep : int {
  kSearchStep = 0,   // find the next record to work on
  kLiftStep = 1,     // wait for the probe to be lifted
  kSettleStep = 2,   // wait for a settled signature, then test or capture
  kAdvanceStep = 3,  // wait for the lift, then move to the next record
};

// One step, on the values left by the latest classification. Nothing runs
// while a manual wait holds the pass back.
void StepRunMode(TestRunContext& context);

// True when a scanner channel is selected, so no probe lift is awaited.
bool ScannerInUse(const GeneratorSettings& generator);

}  // namespace vanto
