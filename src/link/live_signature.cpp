// Raw sums to volts and amperes.
#include "link/live_signature.h"

#include <algorithm>

namespace vanto {

void ConvertLiveSignature(const DecodedFrame& frame, const AdcCalibration& adc,
                          const GeneratorSettings& generator, Signature& live) {
  const std::int32_t divisor = generator.samplesPerPoint * generator.cyclesPerFrame;
  const float fDivisor = static_cast<float>(divisor);
  const float ohms = static_cast<float>(generator.actualOhms);
  const int points = std::min(UsablePoints(live.pointCount), kRawPointStorage - 1);
  for (int i = 1; i <= points; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const float count0 = static_cast<float>(frame.rawAdc0[index]) / fDivisor;
    const float count1 = static_cast<float>(frame.rawAdc1[index]) / fDivisor;
    const float shifted0 = count0 + adc.offset0;
    const float shifted1 = count1 + adc.offset1;
    const float volt0 = shifted0 * adc.gain0;
    const float volt1 = shifted1 * adc.gain1;
    const float difference = volt1 - volt0;
    live.voltage[index] = volt1;
    live.current[index] = difference / ohms;
  }
}

}  // namespace vanto
