// What makes the simulated unit one particular instrument: the model table
// (source resistors, DC bias, scanner, identity text), the unit's hidden
// analogue trim (DAC and ADC gains and offsets, resistor tolerances), the
// EEPROM descriptor words and the factory calibration text that fits the trim.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vanto::sim {

// Constant data only: the worker thread may read it while a host that never
// closed the device is running its exit handlers.
struct ModelInfo {
  std::string_view name;
  std::string_view productText;       // USB product text in EEPROM words 95-119
  std::span<const int> resistorOhms;  // nominal source resistors
  bool dcBias;
  bool scanner;
};

// nullptr for a name that is none of the five models.
const ModelInfo* FindModel(std::string_view name);

// The unit's analogue imperfections, fixed for this simulated instrument and
// never told to the host: only the factory calibration text reflects them.
struct InstrumentTrim {
  double dacZeroCode = 1236.3;                             // main DAC code that gives 0 V
  double dacCodesPerVoltLow = 27791.0;                     // low range (peak voltages up to 1 V)
  double dacCodesPerVoltHigh = 2861.7;                     // high range (register 1 bit 5)
  std::array<double, 2> adcCountsPerVolt{3093.4, 2921.2};  // ADC0, ADC1
  std::array<double, 2> adcOffsetCounts{38.6, -52.3};
  double dcBiasZeroCode = 16203.6;
  double dcBiasCodesPerVolt = 1298.3;
  double outputLimitVolts = 12.0;  // the output amplifier's swing

  // The main DAC's output for a code (clipped to 16 bits) in a range.
  double DacVolts(int code, bool highRange) const;
  // ADC reading of a voltage before noise and rounding.
  double AdcCounts(int channel, double volts) const;
  // The real resistance behind a nominal source-resistor setting.
  double SourceOhms(int nominalOhms) const;
};

// The DAC code the instrument takes from a register: the low 16 bits, signed.
int DacCodeFromRegister(std::uint32_t value);

// The value a host must write (with its record encoding, which for negative
// numbers is not two's complement) so that the instrument gets dacCode.
int HostValueForDacCode(int dacCode);

// EEPROM words 0-127: FT-X configuration with the maker text in words 81-94,
// the product text in 95-119 and the serial number in 120-126.
std::array<std::uint16_t, 128> DescriptorWords(std::string_view maker, std::string_view product,
                                               std::string_view serial);

// The calibration record as the factory stored it for this unit: the codes
// and readings its own calibration run would have found.
std::string FactoryCalibrationText(const InstrumentTrim& trim, const ModelInfo& model);

// USB rail count of header word 1 for a supply voltage.
inline constexpr double kRailVoltsPerCount = 0.0016121271;

}  // namespace vanto::sim
