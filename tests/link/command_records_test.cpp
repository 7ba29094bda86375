// Command records byte for byte: write records with their checksum, the
// encoding of negative values, the request record and register runs.
#include "link/command_records.h"

#include <gtest/gtest.h>

#include "link/fake_d2xx_device.h"

namespace vanto::testing {
namespace {

Bytes Encode(int address, std::int64_t value) {
  WriteRecord record{};
  EncodeWriteRecord(address, value, record.data());
  return Bytes(record.begin(), record.end());
}

struct RecordCase {
  int address;
  std::int64_t value;
  Bytes bytes;
};

class WriteRecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(WriteRecordTest, EncodesAddressDataAndChecksum) {
  EXPECT_EQ(Encode(GetParam().address, GetParam().value), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    KnownRecords, WriteRecordTest,
    ::testing::Values(RecordCase{1, 2, {0x80, 0x01, 0x00, 0x00, 0x00, 0x02, 0xD5, 0x58}},
                      RecordCase{6, 1000, {0x80, 0x06, 0x00, 0x00, 0x03, 0xE8, 0xD9, 0x43}},
                      RecordCase{23, 5, {0x80, 0x17, 0x00, 0x00, 0x00, 0x05, 0xD5, 0x71}},
                      // Negative values are not sent in two's complement.
                      RecordCase{3, -27575, {0x80, 0x03, 0x00, 0x00, 0x95, 0x49, 0x6A, 0xA1}}));

// Bytes 2-5 of the record: the data.
Bytes Data(std::int64_t value) {
  const Bytes record = Encode(4, value);
  return Bytes(record.begin() + 2, record.begin() + 6);
}

TEST(WriteRecordData, NegativeValuesUseTruncatingDivisions) {
  // -1 / 256 truncates to 0, so only the low byte carries the value.
  EXPECT_EQ(Data(-1), (Bytes{0x00, 0x00, 0x00, 0xFF}));
  EXPECT_EQ(Data(-256), (Bytes{0x00, 0x00, 0xFF, 0x00}));
  EXPECT_EQ(Data(-27575), (Bytes{0x00, 0x00, 0x95, 0x49}));
  EXPECT_EQ(Data(0x7111), (Bytes{0x00, 0x00, 0x71, 0x11}));
}

TEST(WriteRecordData, PositiveValuesAreTheLow32BitsBigEndian) {
  EXPECT_EQ(Data(0xFFFFFFFFLL), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Data(0x12345678), (Bytes{0x12, 0x34, 0x56, 0x78}));
}

TEST(WriteRecordAddress, HighAddressBitsGoIntoTheFirstByte) {
  const Bytes record = Encode(0x1234, 0);
  EXPECT_EQ(record[0], 0x80 | 0x12);
  EXPECT_EQ(record[1], 0x34);
  // 0x9234 + 0 + 0 + 0x5555 = 0xE789
  EXPECT_EQ(record[6], 0xE7);
  EXPECT_EQ(record[7], 0x89);
}

TEST(RequestRecord, ForAddressZeroIsTheFixedEightBytes) {
  RequestRecord record;
  record.fill(0xEE);
  EncodeRequestRecord(0, record.data());
  EXPECT_EQ(record, (RequestRecord{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x55, 0x55}));
}

TEST(RecordChecksumTest, WrapsModulo65536) {
  const std::uint8_t record[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01};
  // 0xFFFF + 0xFFFF + 0x0001 + 0x5555 = 0x25554
  EXPECT_EQ(RecordChecksum(record), 0x5554);
}

TEST(CommandFrame, IsTheRunOfRecordsInAscendingOrder) {
  RegisterImage registers;
  registers[6] = 400;
  registers[7] = -1;
  registers[8] = 10000;
  Bytes frame(24);
  ASSERT_EQ(EncodeCommandFrame(registers, 6, 3, frame.data()), 24u);
  Bytes expected = Encode(6, 400);
  for (int address : {7, 8}) {
    const Bytes record = Encode(address, registers[address]);
    expected.insert(expected.end(), record.begin(), record.end());
  }
  EXPECT_EQ(frame, expected);
  EXPECT_EQ(Bytes(frame.begin() + 10, frame.begin() + 14), (Bytes{0x00, 0x00, 0x00, 0xFF}));
}

}  // namespace
}  // namespace vanto::testing
