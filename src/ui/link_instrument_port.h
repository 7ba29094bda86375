// The test run's view of the instrument, served by the real link: the
// connected flag, the generator value actions and the A/B press latches.
// Main thread only.
#pragma once

#include "link/link_state.h"
#include "ui/instrument_port.h"

namespace vanto {

class LinkInstrumentPort final : public InstrumentPort {
 public:
  explicit LinkInstrumentPort(InstrumentLink link) : link_(std::move(link)) {}

  bool IsConnected() const override;
  void RunGeneratorAction(GeneratorAction action, int listIndex) override;
  void LatchButton(InstrumentButton button) override;
  bool TakeButtonPress(InstrumentButton button) override;

 private:
  InstrumentLink link_;
};

}  // namespace vanto
