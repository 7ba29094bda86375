// The 520-byte data frame the instrument sends for each request record:
// three header words, 64 points of two signed 32-bit ADC sums, and the
// plain 16-bit sum of the 259 words before it. All big-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vanto {

inline constexpr std::size_t kDataFrameBytes = 520;
inline constexpr int kFramePoints = 64;
// Point storage as the signatures have it: indices 0..128, points from 1.
inline constexpr int kRawPointStorage = 129;

// A frame as it arrives.
using DataFrame = std::array<std::uint8_t, kDataFrameBytes>;

// One decoded frame.
struct DecodedFrame {
  std::array<std::uint16_t, 3> header{};                 // 0 unused, 1 USB rail count, 2 buttons
  std::array<std::int32_t, kRawPointStorage> rawAdc0{};  // point sums, points 1..64
  std::array<std::int32_t, kRawPointStorage> rawAdc1{};
  std::uint16_t checksum = 0;  // the received checksum word
};

// Header word 2 bits.
inline constexpr std::uint16_t kButtonABit = 1 << 0;
inline constexpr std::uint16_t kButtonBBit = 1 << 1;

// Decodes the first 520 bytes of `bytes` into `frame`, summing the words
// while it goes. True when the sum modulo 65536 equals the checksum word.
// A fixed pass, no allocation.
bool DecodeDataFrame(const std::uint8_t* bytes, DecodedFrame& frame);

// "USB error: $0A3F" for a received checksum word 0x0A3F.
std::string UsbErrorText(std::uint16_t checksum);

}  // namespace vanto
