// The calibration window without its widgets: the working DAC codes, the
// value fields it shows (which are the record that gets stored), the
// multimeter row, the automatic sequence, and every button's action. The
// window draws these fields after each pass and turns presses into
// CalibrationAction values; the automatic sequence and the unattended
// calibration press the same actions. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calibration/calibration_record_text.h"
#include "calibration/calibration_state.h"
#include "foundation/resources.h"
#include "link/link_state.h"

namespace vanto {

// The seven levels a code is trimmed for, in the window's order.
enum class CalibrationLevel : int {
  Plus10 = 0,
  Plus1,
  Zero,
  Minus1,
  Minus10,
  BiasPlus10,  // DC-bias DAC, models with a DC generator only
  BiasMinus10,
};
inline constexpr int kCalibrationLevelCount = 7;

// Default codes ("Load Defaults"), by level.
inline constexpr std::array<std::int32_t, kCalibrationLevelCount> kDefaultCalibrationCodes = {
    28945, 29550, 1110, -27575, -27015, 29198, 3367};
// The six adjust buttons' steps, in their order on screen.
inline constexpr std::array<std::int32_t, 6> kAdjustSteps = {500, 25, 1, -1, -25, -500};
inline constexpr const char* kEmptyField = "--";
inline constexpr int kCalibrationFrameDivisor = 80;  // samples per point x cycles (10 x 8)

enum class CalibrationActionKind {
  None,
  SetOutput,        // "Set output: ..." of `level`
  Adjust,           // adjust button `adjust` (0..5) of `level`
  Calibrate,        // "Calibrate ..." of `level`
  LoadDefaults,     // "Load Defaults"
  Store,            // "Store Calibration Values"
  Connect,          // "Connect" with the address field
  Measure,          // "Measure" in the selected range
  Go,               // "Go!" / "Stop!"
  // Pressed only by the automatic sequence:
  StoreResult,      // reading and code of `level` (one of the first five)
  CalculateValues,  // the two-point fit
  ZeroPass,         // one pass of the 0 V trim
  MeasureRange,     // a measurement in range `range`
};

struct CalibrationAction {
  CalibrationActionKind kind = CalibrationActionKind::None;
  CalibrationLevel level = CalibrationLevel::Plus10;
  int adjust = 0;
  int range = 0;
};

// The automatic sequence's state (see calibration_sequence.h).
struct CalibrationSequence {
  int step = 0;  // 0 idle, 1..41 running
  int lastStep = 41;
  std::int64_t dueMs = 0;
  std::string statusText;  // the step number and text of the last step run
  int zeroPasses = 0;
  std::array<double, 5> readings{};       // +10, +1, 0, -1, -10 V
  std::array<std::int32_t, 5> codes{};    // the codes output for those readings
  std::string goText = "Go!";
  std::string countdownText = "-";
  std::string statusField;  // what the status field shows
};

struct CalibrationFields {
  std::string liveDac = kEmptyField;
  CalibrationFieldTexts record;  // DAC, ADC and DC-bias value fields
  std::string adc0Live = kEmptyField;
  std::string adc1Live = kEmptyField;
};

struct CalibrationSession {
  CalibrationSession(InstrumentLink linkIn, CalibrationState& stateIn, SoundOutput* soundIn = nullptr,
                     bool soundLoaded = false);

  InstrumentLink link;
  CalibrationState& state;
  SoundOutput* sound;    // the test-good sound at the end of the sequence
  bool soundLoaded;
  bool dcBias = false;   // the model has a DC-bias DAC (two more groups)

  std::array<std::int32_t, kCalibrationLevelCount> codes{};  // the working set
  CalibrationFields fields;
  std::string dmmAddress;        // the address field
  int rangeIndex = 2;            // the range list ("10V")
  std::string readingText = "-"; // the reading field
  CalibrationSequence sequence;
  std::int32_t adc0Average = 0;
  std::int32_t adc1Average = 0;
  // The record in the instrument when the window opened (what a failed
  // store puts back), and whether the last store reached file and EEPROM.
  std::string previousRecord;
  bool stored = false;
};

std::int32_t& CodeOf(CalibrationSession& session, CalibrationLevel level);

// Opening: with the link Closed shows "Info #0056 ..." and returns false;
// otherwise copies the instrument's record to "ORX_cal.txt" and loads the
// working codes from it (a missing key gives 0).
bool OpenCalibrationSession(CalibrationSession& session);

// One button's action, as if the operator had pressed it.
void PressCalibrationAction(CalibrationSession& session, const CalibrationAction& action);

// After the events: a frame request every 250 ms, a frame read (with the
// acquisition thread parked), and the two live ADC averages of a new frame.
void UpdateLiveAverages(CalibrationSession& session);

// The average the window shows: the sum over points 1..64 of (raw sum / 80,
// truncated), divided by 64 and truncated.
std::int32_t LiveAdcAverage(const std::array<std::int32_t, 129>& raw);

// One pass of the window's loop after its events: the sequence step (whose
// press replaces the operator's), the action, the live averages.
void RunCalibrationPass(CalibrationSession& session, CalibrationAction operatorPress);

// Closing: bit 4 of register 1 cleared in the image (not sent) and the
// connection stopped (when it is still open).
void CloseCalibrationSession(CalibrationSession& session);

}  // namespace vanto
