// The generator's requested and applied values, the values last sent and the
// calibration tables they are turned into register values with. Main thread
// only. The frame shape's point count lives with the live signature.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vanto {

// Nominal source resistances in ohms, the order of resistorOhms.
inline constexpr std::array<int, 8> kNominalOhms = {50, 100, 200, 500, 1000, 2000, 5000, 10000};

// Peak voltages in mV that key the sine DAC code tables.
inline constexpr std::array<int, 13> kPeakCodeKeysMv = {0,    200,  400,  600,   800,   1000, 2000,
                                                        3000, 4000, 5000, 10000, 15000, 20000};

struct GeneratorSettings {
  // What the user or the test record asks for.
  float requestedMv = 1000.0f;
  float requestedOhms = 10000.0f;
  float requestedHz = 50.0f;
  // What was last applied; zero so that the first pass applies.
  float appliedMv = 0.0f;
  float appliedOhms = 0.0f;  // nominal resistance
  float appliedHz = 0.0f;
  std::int32_t scanSig = 0;
  std::int32_t scanCom = 0;
  std::int32_t dcMode = 0;
  float dcLevel = 0.0f;  // volts
  // The values at the last apply.
  std::int32_t sentScanSig = 1;
  std::int32_t sentScanCom = 1;
  std::int32_t sentDcMode = 1;
  float sentDcLevel = 1.0f;
  std::int32_t sendSettings = 0;  // 1: the main loop must apply the settings
  std::string cycleDirection = "Down";
  // Resistor value used for each nominal setting, in kNominalOhms order.
  std::array<float, 8> resistorOhms = {50.0f,   100.0f,  200.0f,  500.0f,
                                       1000.0f, 2000.0f, 5000.0f, 10000.0f};
  // The selected resistor in whole ohms: the calibrated divisor of the current.
  std::int32_t actualOhms = 10000;
  // Sine DAC codes in kPeakCodeKeysMv order; 15000 and 20000 mV are fixed.
  std::array<std::int32_t, 13> amplitudeCode = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 65535, 65535};
  std::array<std::int32_t, 13> offsetCode = {};
  std::int32_t samplesPerPoint = 1;
  std::int32_t cyclesPerFrame = 1;
  float dcGain = 0.0f;  // DC-bias DAC counts per volt
  float dcZero = 0.0f;  // DC-bias DAC count at 0 V
};

}  // namespace vanto
