// The automatic calibration: 41 timed steps that press the window's buttons
// one by one: defaults, +10/+1/-1/-10 V measured and fitted twice, the 0 V
// code trimmed in 50 measured passes, each level calibrated, the record
// stored.
#pragma once

#include <cstdint>
#include <string>

#include "calibration/calibration_session.h"

namespace vanto {

inline constexpr int kSequenceLastStep = 41;
inline constexpr int kZeroPassStep = 30;
inline constexpr int kZeroPassCount = 50;

// "Go!": starts when idle and the multimeter is connected (nothing happens
// otherwise); "Stop!": back to idle at once.
void PressGo(CalibrationSequence& sequence, bool dmmConnected, std::int64_t nowMs);

// Once per pass before the button actions: the countdown, and when the
// due time has passed the next step, whose press replaces `press`.
void CalibrationSequenceStep(CalibrationSession& session, std::int64_t nowMs,
                             CalibrationAction& press);

// The status text of a step as the table has it, without the number.
std::string SequenceStepText(int step, int zeroPasses);

// The fit of steps 15 and 28 into the working codes; the status field says
// so when a range's readings were equal.
void CalculateValues(CalibrationSession& session);

// One zero pass (step 30): a "100mV" reading moves the 0 V code, which is
// sent twice; after the last pass the sequence moves on.
void ZeroPass(CalibrationSession& session);

}  // namespace vanto
