#include "ui/link_instrument_port.h"

#include "link/value_actions.h"

namespace vanto {

namespace {
ButtonIndicator& Indicator(LinkState& state, InstrumentButton button) {
  return button == InstrumentButton::A ? state.buttons.a : state.buttons.b;
}
}  // namespace

bool LinkInstrumentPort::IsConnected() const {
  return link_.state.usb.connected.load() == 1;
}

void LinkInstrumentPort::RunGeneratorAction(GeneratorAction action, int listIndex) {
  GeneratorSettings& generator = link_.state.generator;
  const std::string& model = link_.activeModel;
  switch (action) {
    case GeneratorAction::SelectVoltage: SelectVoltage(generator, listIndex); break;
    case GeneratorAction::SelectResistance: SelectResistance(generator, model, listIndex); break;
    case GeneratorAction::SelectFrequency: SelectFrequency(generator, listIndex); break;
    case GeneratorAction::VoltagePlus: RunValueAction(generator, model, ValueAction::VoltagePlus); break;
    case GeneratorAction::VoltageMinus: RunValueAction(generator, model, ValueAction::VoltageMinus); break;
    case GeneratorAction::CycleVoltage: RunValueAction(generator, model, ValueAction::CycleVoltage); break;
    case GeneratorAction::ResistancePlus:
      RunValueAction(generator, model, ValueAction::ResistancePlus);
      break;
    case GeneratorAction::ResistanceMinus:
      RunValueAction(generator, model, ValueAction::ResistanceMinus);
      break;
    case GeneratorAction::CycleResistance:
      RunValueAction(generator, model, ValueAction::CycleResistance);
      break;
    case GeneratorAction::FrequencyPlus:
      RunValueAction(generator, model, ValueAction::FrequencyPlus);
      break;
    case GeneratorAction::FrequencyMinus:
      RunValueAction(generator, model, ValueAction::FrequencyMinus);
      break;
    case GeneratorAction::CycleFrequency:
      RunValueAction(generator, model, ValueAction::CycleFrequency);
      break;
    case GeneratorAction::SelectDcMode: SelectDcMode(generator, listIndex); break;
    case GeneratorAction::SelectDcLevel: SelectDcLevel(generator, listIndex); break;
    case GeneratorAction::SelectScanSig: SelectScanSig(generator, listIndex); break;
    case GeneratorAction::SelectScanCom: SelectScanCom(generator, listIndex); break;
  }
}

void LinkInstrumentPort::LatchButton(InstrumentButton button) {
  Indicator(link_.state, button).pressed = 1;
}

bool LinkInstrumentPort::TakeButtonPress(InstrumentButton button) {
  ButtonIndicator& indicator = Indicator(link_.state, button);
  const bool pressed = indicator.pressed != 0;
  indicator.pressed = 0;
  return pressed;
}

}  // namespace vanto
