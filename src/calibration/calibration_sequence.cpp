#include "calibration/calibration_sequence.h"

#include "calibration/calibration_fit.h"
#include "calibration/calibration_messages.h"
#include "calibration/dmm_ranges.h"
#include "foundation/number_text.h"
#include "link/command_writer.h"

namespace vanto {
namespace {

using Kind = CalibrationActionKind;
using Level = CalibrationLevel;

struct StepRow {
  const char* text;
  CalibrationAction action;
  int delayMs;
};

constexpr CalibrationAction Act(Kind kind, Level level = Level::Plus10) {
  return {kind, level, 0, 0};
}
constexpr CalibrationAction kRead10V{Kind::MeasureRange, Level::Plus10, 0, kDefaultDmmRangeIndex};

// Steps 3 to 15; steps 16 to 28 repeat them with 2 s delays.
constexpr StepRow kMeasureAndFit[] = {
    {": set to +10V", Act(Kind::SetOutput, Level::Plus10), 1000},
    {": read DMM", kRead10V, 1000},
    {": store +10V result", Act(Kind::StoreResult, Level::Plus10), 1000},
    {": set to +1V", Act(Kind::SetOutput, Level::Plus1), 1000},
    {": read DMM", kRead10V, 1000},
    {": store +1V result", Act(Kind::StoreResult, Level::Plus1), 1000},
    {": set to -1V", Act(Kind::SetOutput, Level::Minus1), 1000},
    {": read DMM", kRead10V, 1000},
    {": store -1V result", Act(Kind::StoreResult, Level::Minus1), 1000},
    {": set to -10V", Act(Kind::SetOutput, Level::Minus10), 1000},
    {": read DMM", kRead10V, 1000},
    {": store -10V result", Act(Kind::StoreResult, Level::Minus10), 1000},
    {": calculate values ", Act(Kind::CalculateValues), 1000},
};

// Steps 29 to 41.
constexpr StepRow kZeroAndCalibrate[] = {
    {": setup for zeroing the 0V", Act(Kind::SetOutput, Level::Zero), 2000},
    {": zeroing in on 0V, pass:", Act(Kind::ZeroPass), 500},
    {": +10V cal, set", Act(Kind::SetOutput, Level::Plus10), 2000},
    {": +10V cal, store", Act(Kind::Calibrate, Level::Plus10), 2000},
    {": +1V cal, set", Act(Kind::SetOutput, Level::Plus1), 2000},
    {": +1V cal, store", Act(Kind::Calibrate, Level::Plus1), 2000},
    {": 0V cal, set", Act(Kind::SetOutput, Level::Zero), 2000},
    {": 0V cal, store", Act(Kind::Calibrate, Level::Zero), 2000},
    {": -1V cal, set", Act(Kind::SetOutput, Level::Minus1), 2000},
    {": -1V cal, store", Act(Kind::Calibrate, Level::Minus1), 2000},
    {": -10V cal, set", Act(Kind::SetOutput, Level::Minus10), 2000},
    {": -10V cal, store", Act(Kind::Calibrate, Level::Minus10), 2000},
    {": store all values", Act(Kind::Store), 2000},
};

StepRow RowOf(int step) {
  if (step == 1) return {": starting calibration", Act(Kind::None), 1000};
  if (step == 2) return {": load default values", Act(Kind::LoadDefaults), 1000};
  if (step >= 3 && step <= 15) return kMeasureAndFit[step - 3];
  if (step >= 16 && step <= 28) {
    StepRow row = kMeasureAndFit[step - 16];
    row.delayMs = 2000;
    return row;
  }
  if (step >= 29 && step <= kSequenceLastStep) return kZeroAndCalibrate[step - 29];
  return {": idle", Act(Kind::None), 0};
}

}  // namespace

std::string SequenceStepText(int step, int zeroPasses) {
  std::string text = RowOf(step).text;
  if (step == kZeroPassStep) text += std::to_string(zeroPasses);
  return text;
}

void PressGo(CalibrationSequence& sequence, bool dmmConnected, std::int64_t nowMs) {
  if (sequence.step == 0) {
    if (!dmmConnected) return;
    sequence.goText = "Stop!";
    sequence.dueMs = nowMs + 1000;
    sequence.step = 1;
    sequence.lastStep = kSequenceLastStep;
  } else {
    sequence.goText = "Go!";
    sequence.step = 0;
  }
}

void CalibrationSequenceStep(CalibrationSession& session, std::int64_t nowMs,
                             CalibrationAction& press) {
  CalibrationSequence& s = session.sequence;
  if (s.step != 0 && s.dueMs - nowMs > 0) {
    s.countdownText = FormatFixed(static_cast<double>(s.dueMs - nowMs) / 1000.0, 2);
  }
  if (nowMs <= s.dueMs) return;
  if (s.step > s.lastStep) {
    s.step = 0;
    s.goText = "Go!";
    if (session.soundLoaded && session.sound != nullptr) session.sound->Play(SoundId::TestGood);
  }
  const StepRow row = RowOf(s.step);
  press = row.action;
  if (s.step == 29) s.zeroPasses = kZeroPassCount;
  s.dueMs = nowMs + row.delayMs;
  s.statusText = std::to_string(s.step) + SequenceStepText(s.step, s.zeroPasses);
  if (s.step != 0 && s.step != kZeroPassStep) ++s.step;
  s.statusField = s.statusText;
}

void CalculateValues(CalibrationSession& session) {
  FitCodes current;
  current.plus10 = CodeOf(session, Level::Plus10);
  current.plus1 = CodeOf(session, Level::Plus1);
  current.zero = CodeOf(session, Level::Zero);
  current.minus1 = CodeOf(session, Level::Minus1);
  current.minus10 = CodeOf(session, Level::Minus10);
  const FitCodes fit = FitDacCodes(session.sequence.readings, session.sequence.codes, current);
  CodeOf(session, Level::Plus10) = fit.plus10;
  CodeOf(session, Level::Plus1) = fit.plus1;
  CodeOf(session, Level::Zero) = fit.zero;
  CodeOf(session, Level::Minus1) = fit.minus1;
  CodeOf(session, Level::Minus10) = fit.minus10;
  if (!fit.highFitted || !fit.lowFitted) {
    session.sequence.statusField = session.sequence.statusText + text::kFitReadingsEqual;
    session.link.messages.WriteLog(text::kFitReadingsEqual);
  }
}

void ZeroPass(CalibrationSession& session) {
  CalibrationSequence& s = session.sequence;
  if (s.zeroPasses != 0) {
    --s.zeroPasses;
    DmmMeasure(session.state.dmm, session.link.messages, session.link.clock, "100mV");
    std::int32_t& code = CodeOf(session, Level::Zero);
    code += ZeroPassChange(session.state.dmm.measuredValue);
    session.link.state.registers[kStaticLevelRegister] = code;
    WriteRegisters(session.link, kStaticLevelRegister, 1);
    WriteRegisters(session.link, kStaticLevelRegister, 1);
    session.fields.liveDac = std::to_string(code);
  }
  if (s.zeroPasses <= 0) ++s.step;
}

}  // namespace vanto
