// The rules by which the ribbon's controls and the instrument's A/B buttons
// change the requested generator values. Each action looks up the current
// requested value (rounded); a value that is not in its list is left as it
// is. Main thread.
#pragma once

#include <string_view>

#include "link/generator_settings.h"

namespace vanto {

enum class ValueAction {
  VoltagePlus,
  VoltageMinus,
  CycleVoltage,
  ResistancePlus,
  ResistanceMinus,
  CycleResistance,
  FrequencyPlus,
  FrequencyMinus,
  CycleFrequency,
};

// Plus: next higher value, the highest stays; Minus: next lower, the lowest
// stays; Cycle: next higher and from the highest back to the lowest. Cycle
// Resistance on ORXB, ORXC and ORXCB instead goes down and up again
// (cycleDirection). Resistance actions of an unknown model do nothing.
void RunValueAction(GeneratorSettings& generator, std::string_view model, ValueAction action);

// Selections from the ribbon's lists, by list index; an index outside the
// list changes nothing.
void SelectVoltage(GeneratorSettings& generator, int index);
void SelectResistance(GeneratorSettings& generator, std::string_view model, int index);
void SelectFrequency(GeneratorSettings& generator, int index);
void SelectDcMode(GeneratorSettings& generator, int index);
void SelectDcLevel(GeneratorSettings& generator, int index);
void SelectScanSig(GeneratorSettings& generator, int index);
void SelectScanCom(GeneratorSettings& generator, int index);

}  // namespace vanto
