// Decoding and checking of data frames.
#include "link/data_frame.h"

#include <cstdio>

namespace vanto {

namespace {

inline std::uint16_t Word(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

}  // namespace

bool DecodeDataFrame(const std::uint8_t* bytes, DecodedFrame& frame) {
  std::uint32_t sum = 0;
  for (int i = 0; i < 3; ++i) {
    frame.header[static_cast<std::size_t>(i)] = Word(bytes + 2 * i);
    sum += frame.header[static_cast<std::size_t>(i)];
  }
  const std::uint8_t* point = bytes + 6;
  for (std::size_t k = 1; k <= kFramePoints; ++k, point += 8) {
    const std::uint16_t w0 = Word(point);
    const std::uint16_t w1 = Word(point + 2);
    const std::uint16_t w2 = Word(point + 4);
    const std::uint16_t w3 = Word(point + 6);
    sum += static_cast<std::uint32_t>(w0) + w1 + w2 + w3;
    frame.rawAdc0[k] = static_cast<std::int32_t>((static_cast<std::uint32_t>(w0) << 16) | w1);
    frame.rawAdc1[k] = static_cast<std::int32_t>((static_cast<std::uint32_t>(w2) << 16) | w3);
  }
  frame.checksum = Word(bytes + kDataFrameBytes - 2);
  return static_cast<std::uint16_t>(sum & 0xFFFFu) == frame.checksum;
}

std::string UsbErrorText(std::uint16_t checksum) {
  char text[24];
  std::snprintf(text, sizeof text, "USB error: $%04X", static_cast<unsigned>(checksum));
  return text;
}

}  // namespace vanto
