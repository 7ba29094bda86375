// What the test run needs from the instrument link, behind one narrow
// interface: the dispatcher connects it to the real link, tests to a fake.
// Main thread only. The record's generator values and scanner channels are
// not sent through here: the test run writes them into GeneratorSettings and
// the link's generator step sends them.
#pragma once

namespace vanto {

enum class InstrumentButton { A, B };

// The value actions and direct settings of the generator.
enum class GeneratorAction {
  SelectVoltage,     // list position
  SelectResistance,  // list position of the model's list
  SelectFrequency,   // list position
  VoltagePlus,
  VoltageMinus,
  CycleVoltage,
  ResistancePlus,
  ResistanceMinus,
  CycleResistance,
  FrequencyPlus,
  FrequencyMinus,
  CycleFrequency,
  SelectDcMode,   // list position = mode
  SelectDcLevel,  // list position of the level texts
  SelectScanSig,  // list position = channel, 0 off
  SelectScanCom,  // list position = channel, 0 off
};

class InstrumentPort {
 public:
  virtual ~InstrumentPort() = default;
  // The link's connected flag.
  virtual bool IsConnected() const = 0;
  // Changes the requested or applied generator values; `listIndex` is used
  // by the Select actions only.
  virtual void RunGeneratorAction(GeneratorAction action, int listIndex) = 0;
  // Raises the button's pressed latch, as a press on the instrument does.
  virtual void LatchButton(InstrumentButton button) = 0;
  // True when the latch was raised; clears it, so each press acts once.
  virtual bool TakeButtonPress(InstrumentButton button) = 0;
};

}  // namespace vanto
