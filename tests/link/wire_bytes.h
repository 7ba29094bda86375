// Test-side builders and readers of the wire formats, written
// independently of the link code: data frames and write records.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/fake_d2xx_device.h"

namespace vanto::testing {

struct FrameContent {
  std::array<std::uint16_t, 3> header{0, 3100, 0};
  std::array<std::int32_t, 64> adc0{};
  std::array<std::int32_t, 64> adc1{};
};

inline void PutWord(Bytes& bytes, std::uint16_t word) {
  bytes.push_back(static_cast<std::uint8_t>(word >> 8));
  bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
}

// 520 bytes; the checksum is the plain word sum unless `checksum` is given.
inline Bytes BuildFrame(const FrameContent& content, int checksum = -1) {
  Bytes bytes;
  for (std::uint16_t word : content.header) PutWord(bytes, word);
  for (int k = 0; k < 64; ++k) {
    const auto a = static_cast<std::uint32_t>(content.adc0[static_cast<std::size_t>(k)]);
    const auto b = static_cast<std::uint32_t>(content.adc1[static_cast<std::size_t>(k)]);
    PutWord(bytes, static_cast<std::uint16_t>(a >> 16));
    PutWord(bytes, static_cast<std::uint16_t>(a & 0xFFFF));
    PutWord(bytes, static_cast<std::uint16_t>(b >> 16));
    PutWord(bytes, static_cast<std::uint16_t>(b & 0xFFFF));
  }
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 2) sum += (bytes[i] << 8) | bytes[i + 1];
  PutWord(bytes,
          static_cast<std::uint16_t>(checksum >= 0 ? checksum : static_cast<int>(sum & 0xFFFF)));
  return bytes;
}

// One write record for a value of 0..0xFFFFFFFF: plain big-endian data and
// the checksum of the three words plus 0x5555.
inline Bytes WriteRecordBytes(int address, std::uint32_t value) {
  Bytes r = {static_cast<std::uint8_t>(0x80 | ((address >> 8) & 0x7F)),
             static_cast<std::uint8_t>(address & 0xFF),
             static_cast<std::uint8_t>(value >> 24),
             static_cast<std::uint8_t>(value >> 16),
             static_cast<std::uint8_t>(value >> 8),
             static_cast<std::uint8_t>(value)};
  const unsigned sum = 0x5555u + ((r[0] << 8) | r[1]) + ((r[2] << 8) | r[3]) + ((r[4] << 8) | r[5]);
  r.push_back(static_cast<std::uint8_t>((sum >> 8) & 0xFF));
  r.push_back(static_cast<std::uint8_t>(sum & 0xFF));
  return r;
}

// A command frame for registers first.. with the given values.
inline Bytes CommandFrameBytes(int first, const std::vector<std::uint32_t>& values) {
  Bytes bytes;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const Bytes record = WriteRecordBytes(first + static_cast<int>(i), values[i]);
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  return bytes;
}

inline const Bytes kRequestRecord = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x55, 0x55};

// A calibration text as the calibration procedure writes it.
inline std::string CalibrationText(const std::vector<std::pair<std::string, int>>& entries) {
  std::string text = "Calibration date=07/Mar/2024@14:05:09\r\n";
  for (const auto& [key, value] : entries) text += key + "=" + std::to_string(value) + "\r\n";
  return text;
}

}  // namespace vanto::testing
