// The full scale of the applied generator settings, for the scopes and the
// classification bands.
#pragma once

#include "link/generator_settings.h"
#include "signature/full_scale.h"

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

inline FullScale GeneratorFullScale(const GeneratorSettings& generator) {
  return FullScale{VpkVolts(generator), IpkAmps(generator)};
}

}  // namespace vanto
