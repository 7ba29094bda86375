// Sending register runs and pacing the frame requests.
#include "link/command_writer.h"

#include <gtest/gtest.h>

#include "link/link_fixture.h"

namespace vanto::testing {
namespace {

using CommandWriterTest = LinkTest;

TEST_F(CommandWriterTest, WritesOneRunInOneWrite) {
  Open();
  state.registers[1] = 2;
  WriteRegisters(link, 1, 1);
  EXPECT_EQ(device->Writes(),
            (std::vector<Bytes>{{0x80, 0x01, 0x00, 0x00, 0x00, 0x02, 0xD5, 0x58}}));

  device->ClearRecords();
  state.registers[3] = -1;
  state.registers[4] = 0x7111;
  WriteRegisters(link, 3, 2);
  const std::vector<Bytes> writes = device->Writes();
  ASSERT_EQ(writes.size(), 1u);
  ASSERT_EQ(writes[0].size(), 16u);
  EXPECT_EQ(Bytes(writes[0].begin() + 2, writes[0].begin() + 6), (Bytes{0x00, 0x00, 0x00, 0xFF}));
  EXPECT_EQ(Bytes(writes[0].begin() + 8, writes[0].begin() + 16), WriteRecordBytes(4, 0x7111));
}

TEST_F(CommandWriterTest, AllThirtyTwoRegistersGoAsOneFrame) {
  Open();
  for (int a = 0; a < kRegisterCount; ++a) state.registers[a] = a * 3;
  WriteRegisters(link, 0, 32);
  std::vector<std::uint32_t> values;
  for (int a = 0; a < kRegisterCount; ++a) values.push_back(static_cast<std::uint32_t>(a * 3));
  EXPECT_EQ(device->Writes(), (std::vector<Bytes>{CommandFrameBytes(0, values)}));
}

TEST_F(CommandWriterTest, WritesNothingWhileClosed) {
  state.registers[1] = 2;
  WriteRegisters(link, 1, 1);
  EXPECT_TRUE(device->writes.empty());
}

TEST_F(CommandWriterTest, WithoutARunningThreadThereIsNoPauseWait) {
  Open();
  const std::int64_t before = clock.nowMs;
  WriteRegisters(link, 1, 1);
  EXPECT_EQ(clock.nowMs, before);
}

TEST_F(CommandWriterTest, RunsOutsideTheRegistersAreNotSent) {
  Open();
  WriteRegisters(link, 31, 2);
  WriteRegisters(link, -1, 1);
  WriteRegisters(link, 0, 0);
  EXPECT_TRUE(device->writes.empty());
}

TEST_F(CommandWriterTest, RequestsAreSentAtMostEvery250Ms) {
  Open();
  PaceFrameRequest(link, 250);
  clock.nowMs += 249;
  PaceFrameRequest(link, 250);
  EXPECT_EQ(device->Writes(), (std::vector<Bytes>{kRequestRecord}));

  clock.nowMs += 1;  // 250 ms after the first
  PaceFrameRequest(link, 250);
  EXPECT_EQ(device->Writes(), (std::vector<Bytes>{kRequestRecord, kRequestRecord}));
}

TEST_F(CommandWriterTest, TwoCalls250MsApartSendTwoRequests) {
  Open();
  PaceFrameRequest(link, 250);
  clock.nowMs += 250;
  PaceFrameRequest(link, 250);
  EXPECT_EQ(device->Writes().size(), 2u);
}

TEST_F(CommandWriterTest, PacingWhileClosedSendsNothingAndKeepsTheLastRequestTime) {
  PaceFrameRequest(link, 250);
  EXPECT_EQ(state.usb.lastRequestMs, 0);
  EXPECT_TRUE(device->writes.empty());
  // After opening, the first pass requests at once.
  Open();
  PaceFrameRequest(link, 250);
  EXPECT_EQ(state.usb.lastRequestMs, clock.nowMs);
  EXPECT_EQ(device->Writes(), (std::vector<Bytes>{kRequestRecord}));
}

TEST_F(CommandWriterTest, SendFrameRequestWritesOneRequestRecord) {
  Open();
  SendFrameRequest(link, 0);
  EXPECT_EQ(device->Writes(), (std::vector<Bytes>{kRequestRecord}));
}

}  // namespace
}  // namespace vanto::testing
