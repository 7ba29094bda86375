#include "wire_format.h"

namespace vanto::sim {
namespace {

std::uint16_t WordAt(const std::uint8_t* bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t word) {
  out.push_back(static_cast<std::uint8_t>(word >> 8));
  out.push_back(static_cast<std::uint8_t>(word & 0xFF));
}

void PutLong(std::vector<std::uint8_t>& out, std::int32_t value) {
  std::uint32_t bits = static_cast<std::uint32_t>(value);
  PutWord(out, static_cast<std::uint16_t>(bits >> 16));
  PutWord(out, static_cast<std::uint16_t>(bits & 0xFFFF));
}

}  // namespace

CommandRecord DecodeRecord(const std::uint8_t* bytes) {
  CommandRecord record;
  std::uint32_t sum = WordAt(bytes, 0) + WordAt(bytes, 2) + WordAt(bytes, 4) + 0x5555u;
  record.checksumOk = (sum & 0xFFFF) == WordAt(bytes, 6);
  record.write = (bytes[0] & 0x80) != 0;
  record.address = static_cast<std::uint16_t>((bytes[0] & 0x7F) << 8 | bytes[1]);
  record.value = static_cast<std::uint32_t>(bytes[2]) << 24 |
                 static_cast<std::uint32_t>(bytes[3]) << 16 |
                 static_cast<std::uint32_t>(bytes[4]) << 8 | bytes[5];
  return record;
}

std::vector<std::uint8_t> EncodeDataFrame(const FrameHeader& header, const PointSums& sums,
                                          bool corruptChecksum) {
  std::vector<std::uint8_t> out;
  out.reserve(kFrameBytes);
  PutWord(out, header.word0);
  PutWord(out, header.railCount);
  PutWord(out, header.buttons);
  for (int k = 0; k < kFramePoints; ++k) {
    PutLong(out, sums.adc0[static_cast<std::size_t>(k)]);
    PutLong(out, sums.adc1[static_cast<std::size_t>(k)]);
  }
  std::uint32_t sum = 0;
  for (std::size_t at = 0; at < out.size(); at += 2) sum += WordAt(out.data(), at);
  std::uint16_t checksum = static_cast<std::uint16_t>(sum & 0xFFFF);
  if (corruptChecksum) checksum ^= 0x00FF;
  PutWord(out, checksum);
  return out;
}

}  // namespace vanto::sim
