// The calibration record the store step writes to "ORX_cal.txt": the date
// line, the five DAC and six ADC fields as the window shows them, the eight
// resistor values, and for models with a DC-bias DAC its two fields; every
// line ends CR LF (20 lines, or 22 with the DC-bias lines).
#pragma once

#include <array>
#include <string>

#include "foundation/platform.h"

namespace vanto {

struct CalibrationFieldTexts {
  std::array<std::string, 5> dac;     // DAC@10V, @1V, @0V, @-1V, @-10V
  std::array<std::string, 3> adc0;    // ADC0@10V, @0V, @-10V
  std::array<std::string, 3> adc1;    // ADC1@10V, @0V, @-10V
  std::array<std::string, 2> dcBias;  // DCBIAS@10V, @-10V
};

// "Calibration date=07/Mar/2024@14:05:09".
std::string CalibrationDateLine(const CalendarTime& time);

// resistorOhms: the values held for 50, 100, ... 10000 ohms, written as
// integers.
std::string CalibrationRecordText(const std::string& dateLine, const CalibrationFieldTexts& fields,
                                  const std::array<float, 8>& resistorOhms, bool dcBias);

}  // namespace vanto
