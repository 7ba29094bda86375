// Texts of the generator value lists.
#include "link/generator_lists.h"

#include "foundation/number_text.h"
#include "link/instrument_models.h"

namespace vanto {

std::vector<ValueChoice> ResistanceChoices(std::string_view model) {
  std::vector<ValueChoice> choices;
  const InstrumentModelInfo* info = FindInstrumentModel(model);
  if (info == nullptr) return choices;
  for (int ohms : info->resistancesInListOrder) {
    for (const ValueChoice& choice : kResistanceChoices) {
      if (choice.value == ohms) choices.push_back(choice);
    }
  }
  return choices;
}

float DcLevelVolts(std::string_view text) {
  // " +3.3V": leading blanks and the sign are read, the "V" ends the number.
  return static_cast<float>(ParseFloat(text));
}

std::string ScannerChoiceText(bool sig, int channel) {
  if (channel <= 0) return "Off";
  return std::string(sig ? "Sig: " : "Com: ") + std::to_string(channel);
}

}  // namespace vanto
