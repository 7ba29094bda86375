// Data frame decoding and its checksum.
#include "link/data_frame.h"

#include <gtest/gtest.h>

#include "link/wire_bytes.h"

namespace vanto::testing {
namespace {

TEST(DataFrameDecode, ReadsHeaderAndSignedPointSums) {
  FrameContent content;
  content.header = {7, 3100, 3};
  for (int k = 0; k < 64; ++k) {
    content.adc0[static_cast<std::size_t>(k)] = -1000 * k - 1;
    content.adc1[static_cast<std::size_t>(k)] = 70000 * k;
  }
  DecodedFrame frame;
  ASSERT_TRUE(DecodeDataFrame(BuildFrame(content).data(), frame));
  EXPECT_EQ(frame.header[0], 7);
  EXPECT_EQ(frame.header[1], 3100);
  EXPECT_EQ(frame.header[2], 3);
  for (int k = 0; k < 64; ++k) {
    EXPECT_EQ(frame.rawAdc0[static_cast<std::size_t>(k + 1)], -1000 * k - 1) << "point " << k + 1;
    EXPECT_EQ(frame.rawAdc1[static_cast<std::size_t>(k + 1)], 70000 * k) << "point " << k + 1;
  }
}

TEST(DataFrameDecode, BytesFFFFFFFEAreMinusTwo) {
  Bytes bytes = BuildFrame(FrameContent{});
  bytes[6] = 0xFF;
  bytes[7] = 0xFF;
  bytes[8] = 0xFF;
  bytes[9] = 0xFE;
  DecodedFrame frame;
  DecodeDataFrame(bytes.data(), frame);
  EXPECT_EQ(frame.rawAdc0[1], -2);
}

TEST(DataFrameChecksum, IsTakenModulo65536) {
  // Words summing to 0x1_2345 with the checksum word 0x2345.
  FrameContent content;
  content.header = {0xFFFF, 0x2346, 0};
  DecodedFrame frame;
  EXPECT_TRUE(DecodeDataFrame(BuildFrame(content, 0x2345).data(), frame));
  EXPECT_EQ(frame.checksum, 0x2345);
  EXPECT_FALSE(DecodeDataFrame(BuildFrame(content, 0x2346).data(), frame));
}

TEST(DataFrameChecksum, ANoOffsetIsAdded) {
  // Unlike command records, no 0x5555 goes into a frame's checksum.
  FrameContent content;
  content.header = {0, 0, 0};
  DecodedFrame frame;
  EXPECT_TRUE(DecodeDataFrame(BuildFrame(content, 0).data(), frame));
  EXPECT_FALSE(DecodeDataFrame(BuildFrame(content, 0x5555).data(), frame));
}

TEST(UsbErrorTextTest, IsFourUpperCaseHexDigits) {
  EXPECT_EQ(UsbErrorText(0x0A3F), "USB error: $0A3F");
  EXPECT_EQ(UsbErrorText(0x0000), "USB error: $0000");
  EXPECT_EQ(UsbErrorText(0xBEEF), "USB error: $BEEF");
}

}  // namespace
}  // namespace vanto::testing
