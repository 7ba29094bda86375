// Full-scale voltage and current of the applied generator settings: the
// ends of the scope axes and the widths of the classification bands.
#pragma once

#include "link/generator_settings.h"

namespace vanto {

// Applied peak voltage in volts.
inline float VpkVolts(const GeneratorSettings& generator) {
  const float volts = generator.appliedMv / 1000.0f;
  return volts;
}

// Peak current in amperes through the calibrated resistor (actualOhms),
// not the nominal one.
inline float IpkAmps(const GeneratorSettings& generator) {
  const float volts = VpkVolts(generator);
  const float amps = volts / static_cast<float>(generator.actualOhms);
  return amps;
}

}  // namespace vanto
