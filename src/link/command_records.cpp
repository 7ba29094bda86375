// Encoding of the command records.
#include "link/command_records.h"

namespace vanto {

namespace {

std::uint16_t Word(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

void PutHeaderAndChecksum(int address, bool write, std::uint8_t* record) {
  record[0] = static_cast<std::uint8_t>(((address >> 8) & 0x7F) | (write ? 0x80 : 0x00));
  record[1] = static_cast<std::uint8_t>(address & 0xFF);
  const std::uint16_t checksum = RecordChecksum(record);
  record[6] = static_cast<std::uint8_t>(checksum >> 8);
  record[7] = static_cast<std::uint8_t>(checksum & 0xFF);
}

}  // namespace

std::uint16_t RecordChecksum(const std::uint8_t* record) {
  const unsigned sum = 0x5555u + Word(record) + Word(record + 2) + Word(record + 4);
  return static_cast<std::uint16_t>(sum & 0xFFFFu);
}

void EncodeWriteRecord(int address, std::int64_t value, std::uint8_t* record) {
  // Signed divisions truncate toward zero; & 0xFF takes the low byte of the
  // two's-complement quotient.
  record[2] = static_cast<std::uint8_t>((value / 16777216) & 0xFF);
  record[3] = static_cast<std::uint8_t>((value / 65536) & 0xFF);
  record[4] = static_cast<std::uint8_t>((value / 256) & 0xFF);
  record[5] = static_cast<std::uint8_t>(value & 0xFF);
  PutHeaderAndChecksum(address, true, record);
}

void EncodeRequestRecord(int address, std::uint8_t* record) {
  record[2] = record[3] = record[4] = record[5] = 0;
  PutHeaderAndChecksum(address, false, record);
}

std::size_t EncodeCommandFrame(const RegisterImage& registers, int first, int count,
                               std::uint8_t* out) {
  for (int i = 0; i < count; ++i) {
    EncodeWriteRecord(first + i, registers[first + i],
                      out + kRecordBytes * static_cast<std::size_t>(i));
  }
  return kRecordBytes * static_cast<std::size_t>(count);
}

}  // namespace vanto
