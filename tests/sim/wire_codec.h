// The host's side of the instrument's wire formats, written for the tests
// from the protocol description and independently of the simulator's own
// code: write and request records, data frame decoding, the calibration
// record and the conversion of point sums into volts and amperes.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vanto::testing {

// Register value v travels as (v / 2^24) & 0xFF, (v / 2^16) & 0xFF,
// (v / 256) & 0xFF, v & 0xFF with truncating division; checksum = the three
// words plus 0x5555.
inline std::vector<std::uint8_t> WriteRecord(std::uint32_t address, std::int64_t v) {
  std::vector<std::uint8_t> r(8);
  r[0] = static_cast<std::uint8_t>(0x80 | ((address >> 8) & 0x7F));
  r[1] = static_cast<std::uint8_t>(address & 0xFF);
  r[2] = static_cast<std::uint8_t>((v / 16777216) & 0xFF);
  r[3] = static_cast<std::uint8_t>((v / 65536) & 0xFF);
  r[4] = static_cast<std::uint8_t>((v / 256) & 0xFF);
  r[5] = static_cast<std::uint8_t>(v & 0xFF);
  std::uint32_t sum = 0x5555;
  for (int i = 0; i < 6; i += 2) sum += static_cast<std::uint32_t>(r[i] << 8 | r[i + 1]);
  r[6] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
  r[7] = static_cast<std::uint8_t>(sum & 0xFF);
  return r;
}

inline std::vector<std::uint8_t> RequestRecord() {
  return {0, 0, 0, 0, 0, 0, 0x55, 0x55};
}

inline std::vector<std::uint8_t> WriteRun(const std::map<std::uint32_t, std::int64_t>& registers) {
  std::vector<std::uint8_t> bytes;
  for (const auto& [address, value] : registers) {
    std::vector<std::uint8_t> r = WriteRecord(address, value);
    bytes.insert(bytes.end(), r.begin(), r.end());
  }
  return bytes;
}

struct DecodedFrame {
  std::array<std::uint16_t, 3> header{};
  std::array<std::int32_t, 64> adc0{};
  std::array<std::int32_t, 64> adc1{};
  std::uint16_t checksum = 0;
  bool checksumOk = false;
};

inline DecodedFrame DecodeFrame(const std::uint8_t* b) {
  auto word = [b](int at) { return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]); };
  auto long32 = [&word](int at) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(word(at)) << 16 | word(at + 2));
  };
  DecodedFrame f;
  std::uint32_t sum = 0;
  for (int at = 0; at < 518; at += 2) sum += word(at);
  for (int i = 0; i < 3; ++i) f.header[static_cast<std::size_t>(i)] = word(2 * i);
  for (int k = 0; k < 64; ++k) {
    f.adc0[static_cast<std::size_t>(k)] = long32(6 + 8 * k);
    f.adc1[static_cast<std::size_t>(k)] = long32(10 + 8 * k);
  }
  f.checksum = word(518);
  f.checksumOk = (sum % 65536) == f.checksum;
  return f;
}

// A key's value: the rest of the line that holds "key=".
inline long CalibrationValue(const std::string& text, const std::string& key) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (line.rfind(key + "=", 0) == 0) return std::stol(line.substr(key.size() + 1));
    at = end + 1;
  }
  return 0;
}

inline bool HasKey(const std::string& text, const std::string& key) {
  return text.find(key + "=") != std::string::npos;
}

// Derived the way the program's calibration loader derives them.
struct Calibration {
  float gain0 = 0, offset0 = 0, gain1 = 0, offset1 = 0;
  long d10 = 0, d1 = 0, d0 = 0, dm1 = 0, dm10 = 0;

  static Calibration FromText(const std::string& text) {
    Calibration c;
    c.d10 = CalibrationValue(text, "DAC@10V");
    c.d1 = CalibrationValue(text, "DAC@1V");
    c.d0 = CalibrationValue(text, "DAC@0V");
    c.dm1 = CalibrationValue(text, "DAC@-1V");
    c.dm10 = CalibrationValue(text, "DAC@-10V");
    long a0p = CalibrationValue(text, "ADC0@10V"), a0m = CalibrationValue(text, "ADC0@-10V");
    long a1p = CalibrationValue(text, "ADC1@10V"), a1m = CalibrationValue(text, "ADC1@-10V");
    c.gain0 = 20.0f / static_cast<float>(a0p - a0m);
    c.offset0 = -10.0f / c.gain0 - static_cast<float>(a0m);
    c.gain1 = 20.0f / static_cast<float>(a1p - a1m);
    c.offset1 = -10.0f / c.gain1 - static_cast<float>(a1m);
    return c;
  }

  // Sine amplitude code for a peak voltage, halves to even.
  long AmplitudeCode(int peakMv) const {
    double span = peakMv <= 1000 ? static_cast<double>(d1 - dm1) : static_cast<double>(d10 - dm10);
    double factor = peakMv <= 1000 ? peakMv / 1000.0 : peakMv / 10000.0;
    return static_cast<long>(std::nearbyint(span * factor));
  }
};

struct Curve {
  std::array<float, 64> volts{};
  std::array<float, 64> amps{};
};

// Sums over samplesPerPoint x cycles samples, to volts and amperes.
inline Curve Convert(const DecodedFrame& f, const Calibration& c, int divisor, int ohms) {
  Curve curve;
  for (std::size_t i = 0; i < 64; ++i) {
    float count0 = static_cast<float>(f.adc0[i]) / static_cast<float>(divisor);
    float count1 = static_cast<float>(f.adc1[i]) / static_cast<float>(divisor);
    float volt0 = (count0 + c.offset0) * c.gain0;
    float volt1 = (count1 + c.offset1) * c.gain1;
    curve.volts[i] = volt1;
    curve.amps[i] = (volt1 - volt0) / static_cast<float>(ohms);
  }
  return curve;
}

}  // namespace vanto::testing
