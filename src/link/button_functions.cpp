// The A/B button function table.
#include "link/button_functions.h"

#include <array>

namespace vanto {

namespace {

constexpr std::array<const char*, kButtonFunctionCount> kFunctionNames = {
    "No Function",     "Cycle Resistance", "Resistance+",  "Resistance-",
    "Cycle Frequency", "Frequency+",       "Frequency-",   "Cycle Voltage",
    "Voltage+",        "Voltage-",         "GOOD/CAPTURE", "BAD",
    "+1 test",         "-1 test",          "FREEZE",       "THAW"};

}  // namespace

std::string ButtonFunctionText(char button, int index) {
  if (index < 0 || index >= kButtonFunctionCount) return {};
  return std::string(1, button) + "= " + kFunctionNames[static_cast<std::size_t>(index)];
}

std::optional<ValueAction> ButtonValueAction(int index) {
  switch (static_cast<ButtonFunction>(index)) {
    case ButtonFunction::CycleResistance: return ValueAction::CycleResistance;
    case ButtonFunction::ResistancePlus: return ValueAction::ResistancePlus;
    case ButtonFunction::ResistanceMinus: return ValueAction::ResistanceMinus;
    case ButtonFunction::CycleFrequency: return ValueAction::CycleFrequency;
    case ButtonFunction::FrequencyPlus: return ValueAction::FrequencyPlus;
    case ButtonFunction::FrequencyMinus: return ValueAction::FrequencyMinus;
    case ButtonFunction::CycleVoltage: return ValueAction::CycleVoltage;
    case ButtonFunction::VoltagePlus: return ValueAction::VoltagePlus;
    case ButtonFunction::VoltageMinus: return ValueAction::VoltageMinus;
    default: return std::nullopt;
  }
}

}  // namespace vanto
