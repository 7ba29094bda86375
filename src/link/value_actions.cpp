// Stepping through the generator value lists.
#include "link/value_actions.h"

#include <algorithm>
#include <array>
#include <span>

#include "link/generator_lists.h"
#include "link/instrument_models.h"
#include "link/rounding.h"

namespace vanto {

namespace {

constexpr std::array<int, 10> kVoltagesUp = {200,  400,  600,  800,  1000,
                                             2000, 3000, 4000, 5000, 10000};
constexpr std::array<int, 7> kFrequenciesUp = {10, 20, 50, 100, 200, 500, 1000};
constexpr std::array<int, 3> kThreeResistorsUp = {100, 1000, 10000};
constexpr std::array<int, 8> kEightResistorsUp = {50, 100, 200, 500, 1000, 2000, 5000, 10000};

enum class Step { Up, Down, Cycle };

// The list value after one step from `value`, or -1 when `value` is not
// in the (ascending) list.
int StepInList(std::span<const int> ascending, int value, Step step) {
  auto at = std::find(ascending.begin(), ascending.end(), value);
  if (at == ascending.end()) return -1;
  const auto index = static_cast<std::size_t>(at - ascending.begin());
  const std::size_t last = ascending.size() - 1;
  switch (step) {
    case Step::Up: return ascending[std::min(index + 1, last)];
    case Step::Down: return ascending[index == 0 ? 0 : index - 1];
    case Step::Cycle: return ascending[index == last ? 0 : index + 1];
  }
  return -1;
}

void StepValue(float& requested, std::span<const int> ascending, Step step) {
  const int next = StepInList(ascending, static_cast<int>(RoundHalfEven(requested)), step);
  if (next >= 0) requested = static_cast<float>(next);
}

// ORXB, ORXC, ORXCB: down to 50, then up to 10000, then down again.
void PingPongResistance(GeneratorSettings& generator) {
  const int ohms = static_cast<int>(RoundHalfEven(generator.requestedOhms));
  if (std::find(kEightResistorsUp.begin(), kEightResistorsUp.end(), ohms) ==
      kEightResistorsUp.end()) {
    return;
  }
  if (generator.cycleDirection == "Down") {
    if (ohms == 50) {
      generator.requestedOhms = 100.0f;
      generator.cycleDirection = "Up";
    } else {
      generator.requestedOhms = static_cast<float>(StepInList(kEightResistorsUp, ohms, Step::Down));
    }
  } else if (ohms == 10000) {
    generator.requestedOhms = 5000.0f;
    generator.cycleDirection = "Down";
  } else {
    generator.requestedOhms = static_cast<float>(StepInList(kEightResistorsUp, ohms, Step::Up));
  }
}

void StepResistance(GeneratorSettings& generator, std::string_view model, Step step) {
  const InstrumentModelInfo* info = FindInstrumentModel(model);
  if (info == nullptr) return;
  // ORXA and ORXAP have three resistors and cycle round; the others have
  // eight and cycle back and forth.
  if (info->resistancesInListOrder.size() == kThreeResistorsUp.size()) {
    StepValue(generator.requestedOhms, kThreeResistorsUp, step);
  } else if (step == Step::Cycle) {
    PingPongResistance(generator);
  } else {
    StepValue(generator.requestedOhms, kEightResistorsUp, step);
  }
}

}  // namespace

void RunValueAction(GeneratorSettings& generator, std::string_view model, ValueAction action) {
  switch (action) {
    case ValueAction::VoltagePlus: return StepValue(generator.requestedMv, kVoltagesUp, Step::Up);
    case ValueAction::VoltageMinus:
      return StepValue(generator.requestedMv, kVoltagesUp, Step::Down);
    case ValueAction::CycleVoltage:
      return StepValue(generator.requestedMv, kVoltagesUp, Step::Cycle);
    case ValueAction::ResistancePlus: return StepResistance(generator, model, Step::Up);
    case ValueAction::ResistanceMinus: return StepResistance(generator, model, Step::Down);
    case ValueAction::CycleResistance: return StepResistance(generator, model, Step::Cycle);
    case ValueAction::FrequencyPlus:
      return StepValue(generator.requestedHz, kFrequenciesUp, Step::Up);
    case ValueAction::FrequencyMinus:
      return StepValue(generator.requestedHz, kFrequenciesUp, Step::Down);
    case ValueAction::CycleFrequency:
      return StepValue(generator.requestedHz, kFrequenciesUp, Step::Cycle);
  }
}

void SelectVoltage(GeneratorSettings& generator, int index) {
  if (index < 0 || index >= static_cast<int>(kVoltageChoices.size())) return;
  generator.requestedMv =
      static_cast<float>(kVoltageChoices[static_cast<std::size_t>(index)].value);
}

void SelectResistance(GeneratorSettings& generator, std::string_view model, int index) {
  const std::vector<ValueChoice> choices = ResistanceChoices(model);
  if (index < 0 || index >= static_cast<int>(choices.size())) return;
  generator.requestedOhms = static_cast<float>(choices[static_cast<std::size_t>(index)].value);
}

void SelectFrequency(GeneratorSettings& generator, int index) {
  if (index < 0 || index >= static_cast<int>(kFrequencyChoices.size())) return;
  generator.requestedHz =
      static_cast<float>(kFrequencyChoices[static_cast<std::size_t>(index)].value);
}

void SelectDcMode(GeneratorSettings& generator, int index) {
  if (index < 0 || index >= static_cast<int>(kDcModeTexts.size())) return;
  generator.dcMode = index;
}

void SelectDcLevel(GeneratorSettings& generator, int index) {
  if (index < 0 || index >= static_cast<int>(kDcLevelTexts.size())) return;
  generator.dcLevel = DcLevelVolts(kDcLevelTexts[static_cast<std::size_t>(index)]);
}

void SelectScanSig(GeneratorSettings& generator, int index) {
  if (index < 0 || index > kScannerChannels) return;
  generator.scanSig = index;
}

void SelectScanCom(GeneratorSettings& generator, int index) {
  if (index < 0 || index > kScannerChannels) return;
  generator.scanCom = index;
}

}  // namespace vanto
