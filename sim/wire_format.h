// The instrument's side of the wire: decoding the host's 8-byte command
// records and encoding the 520-byte data frames. Everything is big-endian.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace vanto::sim {

inline constexpr std::size_t kRecordBytes = 8;
inline constexpr std::size_t kFrameBytes = 520;
inline constexpr int kFramePoints = 64;

struct CommandRecord {
  bool checksumOk = false;
  bool write = false;         // bit 7 of byte 0; clear = data frame request
  std::uint16_t address = 0;  // 15 bits
  std::uint32_t value = 0;    // data bytes d3 d2 d1 d0
};

// Checksum: the three big-endian words of bytes 0-5 plus 0x5555, modulo 65536.
CommandRecord DecodeRecord(const std::uint8_t* bytes);

struct PointSums {
  std::array<std::int32_t, kFramePoints> adc0{};
  std::array<std::int32_t, kFramePoints> adc1{};
};

struct FrameHeader {
  std::uint16_t word0 = 0;  // frame counter
  std::uint16_t railCount = 0;
  std::uint16_t buttons = 0;
};

// Header words, 64 (ADC0, ADC1) sums, then the plain 16-bit sum of the 259
// words before it; corruptChecksum sends a wrong one on purpose.
std::vector<std::uint8_t> EncodeDataFrame(const FrameHeader& header, const PointSums& sums,
                                          bool corruptChecksum);

}  // namespace vanto::sim
