// The functions the instrument's A and B buttons can be given: the ribbon
// lists them as "A= ..." and "B= ...", the test run runs the selected one
// when a press is reported.
#pragma once

#include <optional>
#include <string>

#include "link/value_actions.h"

namespace vanto {

enum class ButtonFunction {
  NoFunction = 0,
  CycleResistance = 1,
  ResistancePlus = 2,
  ResistanceMinus = 3,
  CycleFrequency = 4,
  FrequencyPlus = 5,
  FrequencyMinus = 6,
  CycleVoltage = 7,
  VoltagePlus = 8,
  VoltageMinus = 9,
  GoodCapture = 10,   // as the Good button
  Bad = 11,           // as the Bad button
  NextTest = 12,      // as ">"
  PreviousTest = 13,  // as "<"
  Freeze = 14,        // no action
  Thaw = 15,          // no action
};

inline constexpr int kButtonFunctionCount = 16;
inline constexpr int kDefaultButtonAFunction = 4;  // Cycle Frequency
inline constexpr int kDefaultButtonBFunction = 7;  // Cycle Voltage

// "A= Cycle Frequency" for button 'A' and index 4; "B= ..." for 'B'. Empty
// for an index outside the list.
std::string ButtonFunctionText(char button, int index);

// The generator value action of a list entry; none for the entries that do
// nothing or that the test run handles (good, bad, next, previous).
std::optional<ValueAction> ButtonValueAction(int index);

}  // namespace vanto
