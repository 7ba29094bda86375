#include "calibration/calibration_record_text.h"

#include <cmath>

#include "foundation/number_text.h"

namespace vanto {
namespace {

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

std::string CalibrationDateLine(const CalendarTime& time) {
  const int month = time.month >= 1 && time.month <= 12 ? time.month : 1;
  return "Calibration date=" + TwoDigits(time.day) + "/" + kMonths[month - 1] + "/" +
         std::to_string(time.year) + "@" + TwoDigits(time.hour) + ":" + TwoDigits(time.minute) +
         ":" + TwoDigits(time.second);
}

std::string CalibrationRecordText(const std::string& dateLine, const CalibrationFieldTexts& fields,
                                  const std::array<float, 8>& resistorOhms, bool dcBias) {
  static constexpr std::array<const char*, 5> kDacKeys = {"DAC@10V", "DAC@1V", "DAC@0V", "DAC@-1V",
                                                          "DAC@-10V"};
  static constexpr std::array<const char*, 3> kLevels = {"@10V", "@0V", "@-10V"};
  static constexpr std::array<const char*, 8> kResistorKeys = {
      "50ohm", "100ohm", "200ohm", "500ohm", "1Kohm", "2Kohm", "5Kohm", "10Kohm"};
  std::string text;
  auto line = [&text](const std::string& key, const std::string& value) {
    text += key + "=" + value + "\r\n";
  };
  text += dateLine + "\r\n";
  for (std::size_t i = 0; i < kDacKeys.size(); ++i) line(kDacKeys[i], fields.dac[i]);
  for (std::size_t i = 0; i < kLevels.size(); ++i) line(std::string("ADC0") + kLevels[i], fields.adc0[i]);
  for (std::size_t i = 0; i < kLevels.size(); ++i) line(std::string("ADC1") + kLevels[i], fields.adc1[i]);
  for (std::size_t i = 0; i < kResistorKeys.size(); ++i) {
    line(kResistorKeys[i], std::to_string(std::lround(resistorOhms[i])));
  }
  if (dcBias) {
    line("DCBIAS@10V", fields.dcBias[0]);
    line("DCBIAS@-10V", fields.dcBias[1]);
  }
  return text;
}

}  // namespace vanto
