#include "ui/scope_labels.h"

#include <cmath>

#include "ui/label_text.h"

namespace vanto {
namespace {

constexpr int kLeftTop = 1;
constexpr int kLeftBottom = 3;
constexpr int kUnderLeft = 4;
constexpr int kUnderCentre = 5;
constexpr int kUnderRight = 6;
constexpr int kPosition = 10;
constexpr int kDescription = 11;

constexpr int kDescriptionColumn = 8;
constexpr int kUserTextColumn = 12;

void AddVoltageLabels(ScopeLabels& labels, float v) {
  std::string magnitude;
  if (v < 1000.0f) {
    magnitude = RoundedDecimal(v) + "mV";
  } else {
    const float volts = v / 1000.0f;
    magnitude = RoundedDecimal(volts) + "V";
  }
  labels.Slot(kUnderLeft) = "-" + magnitude;
  labels.Slot(kUnderRight) = "+" + magnitude;
}

// v / z is in milliamperes. Without a usable resistance (zero before the
// first apply) there is no current to show, so the labels stay empty.
void AddCurrentLabels(ScopeLabels& labels, float v, float z) {
  const float milliamps = v / z;
  if (!std::isfinite(milliamps)) return;
  std::string magnitude;
  if (milliamps >= 1.0f) {
    magnitude = RoundedDecimal(milliamps) + "mA";
  } else {
    const float microamps = milliamps * 1000.0f;
    magnitude = RoundedDecimal(microamps) + "uA";
  }
  labels.Slot(kLeftTop) = "+" + magnitude;
  labels.Slot(kLeftBottom) = "-" + magnitude;
}

std::string GeneratorText(float v, float z, float f) {
  std::string text;
  if (v < 1000.0f) {
    text += "Vpk=" + RoundedDecimal(v) + "mV, ";
  } else {
    const float volts = v / 1000.0f;
    text += "Vpk=" + RoundedDecimal(volts) + "V, ";
  }
  if (z < 1000.0f) {
    text += "Z=" + RoundedDecimal(z) + "ohms, ";
  } else {
    const float kilohms = z / 1000.0f;
    text += "Z=" + RoundedDecimal(kilohms) + "kohms, ";
  }
  if (f < 1000.0f) {
    text += "f=" + RoundedDecimal(f) + "Hz";
  } else {
    const float kilohertz = f / 1000.0f;
    text += "f=" + RoundedDecimal(kilohertz) + "kHz";
  }
  return text;
}

}  // namespace

ScopeLabels ComposeScopeLabels(std::string_view appMode, const TestPlanState& plan,
                               std::string_view currentPlanFile,
                               const GeneratorSettings& generator) {
  ScopeLabels labels;
  if (appMode == "Advanced") {
    const int record = plan.currentRecord;
    const int rows = RowCount(plan);
    if (record <= rows) {
      std::string description = PoundsAsCommas(plan.table.CellView(record, kDescriptionColumn));
      const std::string_view userText = plan.table.CellView(record, kUserTextColumn);
      if (!userText.empty()) {
        description += ", ";
        description += userText;
      }
      labels.Slot(kDescription) = description;
    }
    if (record == 1) labels.Slot(kDescription) = std::string(currentPlanFile);
    labels.Slot(kPosition) = std::to_string(record) + "/" + std::to_string(rows);
  }

  const float v = generator.appliedMv;
  const float z = generator.appliedOhms;
  const float f = generator.appliedHz;
  AddVoltageLabels(labels, v);
  AddCurrentLabels(labels, v, z);
  labels.Slot(kUnderCentre) = GeneratorText(v, z, f);
  return labels;
}

}  // namespace vanto
