#include "ui/stored_scale_warning.h"

#include <cmath>
#include <cstdint>

#include "foundation/mode_and_view.h"
#include "foundation/number_text.h"
#include "signature/status_text.h"
#include "testplan/record_cells.h"

namespace vanto {
namespace {

struct Scale {
  std::int32_t millivolts = 0;
  std::int32_t ohms = 0;
  std::int32_t hertz = 0;

  bool Known() const { return millivolts > 0 && ohms > 0 && hertz > 0; }
  bool SameRange(const Scale& other) const {
    return millivolts == other.millivolts && ohms == other.ohms;
  }
};

std::int32_t Whole(float value) {
  return static_cast<std::int32_t>(std::lround(value));
}

// 10000 mV -> "10V", 400 -> "400mV", 1500 -> "1.5V".
std::string VoltageText(std::int32_t millivolts) {
  if (millivolts >= 1000) return FormatFloat(millivolts / 1000.0) + "V";
  return FormatFloat(millivolts) + "mV";
}

// 10000 ohms -> "10k", 500 -> "500".
std::string ResistanceText(std::int32_t ohms) {
  if (ohms >= 1000) return FormatFloat(ohms / 1000.0) + "k";
  return FormatFloat(ohms);
}

// 1000 Hz -> "1kHz", 50 -> "50Hz".
std::string FrequencyText(std::int32_t hertz) {
  if (hertz >= 1000) return FormatFloat(hertz / 1000.0) + "kHz";
  return FormatFloat(hertz) + "Hz";
}

std::string ScaleText(const Scale& scale, bool withFrequency) {
  std::string text = VoltageText(scale.millivolts) + "/" + ResistanceText(scale.ohms);
  if (withFrequency) text += "/" + FrequencyText(scale.hertz);
  return text;
}

}  // namespace

std::optional<std::string> StoredScaleMismatch(const TestPlan& table, int row,
                                               const GeneratorSettings& generator) {
  if (table.CellView(row, cell::kSignature) != cell::kYes) return std::nullopt;
  const Scale stored{ParseInt(table.CellView(row, cell::kAmplitude)),
                     ParseInt(table.CellView(row, cell::kResistance)),
                     ParseInt(table.CellView(row, cell::kFrequency))};
  const Scale applied{Whole(generator.appliedMv), Whole(generator.appliedOhms),
                      Whole(generator.appliedHz)};
  if (!stored.Known() || !applied.Known()) return std::nullopt;
  const bool frequencyDiffers = stored.hertz != applied.hertz;
  if (stored.SameRange(applied) && !frequencyDiffers) return std::nullopt;
  return "Golden at " + ScaleText(stored, frequencyDiffers) + ", applied " +
         ScaleText(applied, frequencyDiffers);
}

void WarnOfStoredScale(const ScopeRedrawState& state, ScopeRedraw& redraw) {
  if (!redraw.statusText || ParseAppMode(state.settings.mode) != AppMode::Advanced) return;
  const int row = state.plan.currentRecord;
  if (row < 2 || row > RowCount(state.plan)) return;
  if (std::optional<std::string> mismatch =
          StoredScaleMismatch(state.plan.table, row, state.generator)) {
    redraw.statusText = SignatureClassificationText(state.analysis) + ", " + *mismatch;
  }
}

}  // namespace vanto
