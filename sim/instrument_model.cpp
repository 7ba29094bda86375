#include "instrument_model.h"

#include <algorithm>
#include <cmath>

namespace vanto::sim {
namespace {

constexpr std::array<int, 3> kThreeResistors{10000, 1000, 100};
constexpr std::array<int, 8> kEightResistors{10000, 5000, 2000, 1000, 500, 200, 100, 50};

constexpr std::array<ModelInfo, 5> kModels{{
    {"ORXA", "Quillotek ORXA", kThreeResistors, false, false},
    {"ORXAP", "Quillotek ORXAP", kThreeResistors, false, false},
    {"ORXB", "Quillotek ORXB", kEightResistors, true, false},
    {"ORXC", "Quillotek ORXC", kEightResistors, true, true},
    {"ORXCB", "Quillotek ORXCB", kEightResistors, true, true},
}};

// Tolerance of each fitted source resistor, for 50, 100, ... 10000 ohms.
constexpr std::array<int, 8> kNominalOhms{50, 100, 200, 500, 1000, 2000, 5000, 10000};
constexpr std::array<double, 8> kResistorError{+0.0011, -0.0007, +0.0004, -0.0012,
                                               +0.0006, -0.0003, +0.0009, -0.0005};

int RoundToInt(double value) {
  return static_cast<int>(std::lround(value));
}

}  // namespace

const ModelInfo* FindModel(std::string_view name) {
  for (const ModelInfo& model : kModels) {
    if (model.name == name) return &model;
  }
  return nullptr;
}

double InstrumentTrim::DacVolts(int code, bool highRange) const {
  code = std::clamp(code, -32768, 32767);
  double volts = (code - dacZeroCode) / (highRange ? dacCodesPerVoltHigh : dacCodesPerVoltLow);
  return std::clamp(volts, -outputLimitVolts, outputLimitVolts);
}

double InstrumentTrim::AdcCounts(int channel, double volts) const {
  return volts * adcCountsPerVolt[static_cast<std::size_t>(channel)] +
         adcOffsetCounts[static_cast<std::size_t>(channel)];
}

double InstrumentTrim::SourceOhms(int nominalOhms) const {
  for (std::size_t i = 0; i < kNominalOhms.size(); ++i) {
    if (kNominalOhms[i] == nominalOhms) return nominalOhms * (1.0 + kResistorError[i]);
  }
  return nominalOhms;
}

int DacCodeFromRegister(std::uint32_t value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFFu));
}

int HostValueForDacCode(int dacCode) {
  // A host value v < 0 travels as (v / 256 truncated) and (v & 0xFF), which
  // lands 256 higher than v unless v is a multiple of 256.
  if (dacCode >= 0 || dacCode % 256 == 0) return dacCode;
  return dacCode - 256;
}

std::array<std::uint16_t, 128> DescriptorWords(std::string_view maker, std::string_view product,
                                               std::string_view serial) {
  std::array<std::uint16_t, 128> words{};
  words[0] = 0x0000;
  words[1] = 0x0403;  // vendor ID
  words[2] = 0x6015;  // FT-X product ID
  words[3] = 0x1000;  // device release
  auto put = [&words](std::string_view text, std::size_t first, std::size_t count) {
    for (std::size_t i = 0; i < count && i < text.size(); ++i) {
      words[first + i] = static_cast<unsigned char>(text[i]);
    }
  };
  put(maker, 81, 14);
  put(product, 95, 25);
  put(serial, 120, 7);
  return words;
}

std::string FactoryCalibrationText(const InstrumentTrim& trim, const ModelInfo& model) {
  // The factory ran the same procedure as the program's calibration window:
  // trim each code until the output reads the level, then note the ADCs.
  auto dacCodeFor = [&trim](double volts, bool highRange) {
    return RoundToInt(trim.dacZeroCode +
                      volts * (highRange ? trim.dacCodesPerVoltHigh : trim.dacCodesPerVoltLow));
  };
  const int plus10 = dacCodeFor(10.0, true);
  const int plus1 = dacCodeFor(1.0, false);
  const int zero = dacCodeFor(0.0, false);
  const int minus1 = dacCodeFor(-1.0, false);
  const int minus10 = dacCodeFor(-10.0, true);
  auto reading = [&trim](int channel, int code, bool highRange) {
    return RoundToInt(trim.AdcCounts(channel, trim.DacVolts(code, highRange)));
  };

  std::string text;
  auto line = [&text](const std::string& key, long value) {
    text += key + "=" + std::to_string(value) + "\r\n";
  };
  text += "Calibration date=14/Mar/2023@10:21:07\r\n";
  line("DAC@10V", HostValueForDacCode(plus10));
  line("DAC@1V", HostValueForDacCode(plus1));
  line("DAC@0V", HostValueForDacCode(zero));
  line("DAC@-1V", HostValueForDacCode(minus1));
  line("DAC@-10V", HostValueForDacCode(minus10));
  for (int channel = 0; channel < 2; ++channel) {
    std::string name = "ADC" + std::to_string(channel);
    line(name + "@10V", reading(channel, plus10, true));
    line(name + "@0V", reading(channel, zero, false));
    line(name + "@-10V", reading(channel, minus10, true));
  }
  line("50ohm", 50);
  line("100ohm", 100);
  line("200ohm", 200);
  line("500ohm", 500);
  line("1Kohm", 1000);
  line("2Kohm", 2000);
  line("5Kohm", 5000);
  line("10Kohm", 10000);
  if (model.dcBias) {
    line("DCBIAS@10V", RoundToInt(trim.dcBiasZeroCode + 10.0 * trim.dcBiasCodesPerVolt));
    line("DCBIAS@-10V", RoundToInt(trim.dcBiasZeroCode - 10.0 * trim.dcBiasCodesPerVolt));
  }
  return text;
}

}  // namespace vanto::sim
