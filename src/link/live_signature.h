// Turning a frame's raw point sums into the live signature, in volts and
// amperes, with the ADC calibration. Single precision throughout: every
// intermediate value is rounded to float before it is used again.
// Main thread.
#pragma once

#include "link/data_frame.h"
#include "link/generator_settings.h"
#include "signature/signature.h"

namespace vanto {

// Volts per count and offset in counts of each ADC; 0 until a calibration
// is loaded, which makes the live signature all zeros.
struct AdcCalibration {
  float gain0 = 0.0f;
  float offset0 = 0.0f;
  float gain1 = 0.0f;
  float offset1 = 0.0f;
};

// For points 1..live.pointCount: count = sum / (samplesPerPoint x
// cyclesPerFrame); volts = (count + offset) x gain; voltage = ADC1 volts;
// current = (ADC1 volts - ADC0 volts) / actualOhms.
void ConvertLiveSignature(const DecodedFrame& frame, const AdcCalibration& adc,
                          const GeneratorSettings& generator, Signature& live);

}  // namespace vanto
