// Full-scale voltage and current: the ends of the scope axes and the widths
// of the classification bands. The instrument link computes them from the
// applied generator settings (link/generator_full_scale.h).
#pragma once

namespace vanto {

struct FullScale {
  float volts = 0.0f;  // peak voltage
  float amps = 0.0f;   // peak current through the calibrated resistor
};

}  // namespace vanto
