// Reading frames from the receive queue: whole frames only, checksums
// verified before a frame is published.
#include "link/frame_reader.h"

#include <gtest/gtest.h>

#include "link/command_writer.h"
#include "link/frame_processing.h"
#include "link/link_fixture.h"

namespace vanto::testing {
namespace {

using FrameReaderTest = LinkTest;

FrameContent Numbered(int n) {
  FrameContent content;
  content.header = {static_cast<std::uint16_t>(n), 3100, 0};
  for (int k = 0; k < 64; ++k) {
    content.adc0[static_cast<std::size_t>(k)] = n * 1000 + k;
    content.adc1[static_cast<std::size_t>(k)] = -(n * 1000 + k);
  }
  return content;
}

TEST_F(FrameReaderTest, TwoFramesFrom1040QueuedBytes) {
  Open();
  device->Queue(BuildFrame(Numbered(1)));
  device->Queue(BuildFrame(Numbered(2)));
  ASSERT_EQ(device->Queued(), 1040u);
  ReadDataFrames(link);
  EXPECT_EQ(device->Queued(), 0u);
  EXPECT_EQ(device->readSizes, (std::vector<DWORD>{520, 520}));
  DecodedFrame frame;
  ASSERT_TRUE(TakeReadyFrame(state.frames, frame));
  EXPECT_EQ(frame.header[0], 2);
  EXPECT_EQ(frame.rawAdc0[64], 2063);
  EXPECT_EQ(frame.rawAdc1[1], -2000);
}

TEST_F(FrameReaderTest, OneFrameFrom1039QueuedBytes) {
  Open();
  const Bytes second = BuildFrame(Numbered(2));
  device->Queue(BuildFrame(Numbered(1)));
  device->Queue(Bytes(second.begin(), second.end() - 1));
  ReadDataFrames(link);
  EXPECT_EQ(device->Queued(), 519u);
  EXPECT_EQ(device->readSizes, (std::vector<DWORD>{520}));
  DecodedFrame frame;
  ASSERT_TRUE(TakeReadyFrame(state.frames, frame));
  EXPECT_EQ(frame.header[0], 1);
}

// A frame requested before new settings were written was measured with the
// old ones: it is read off the line but never shown or judged.
TEST_F(FrameReaderTest, FramesRequestedBeforeARegisterWriteAreNotPublished) {
  Open();
  SendFrameRequest(link, 0);
  SendFrameRequest(link, 0);
  WriteRegisters(link, 16, 2);  // e.g. another scanner channel
  SendFrameRequest(link, 0);
  for (int n = 1; n <= 3; ++n) device->Queue(BuildFrame(Numbered(n)));

  ReadDataFrames(link);

  EXPECT_EQ(device->Queued(), 0u);
  DecodedFrame frame;
  ASSERT_TRUE(TakeReadyFrame(state.frames, frame));
  EXPECT_EQ(frame.header[0], 3);
  EXPECT_EQ(state.usb.framesOutstanding.load(), 0);
}

TEST_F(FrameReaderTest, FewerThan520BytesAreLeftQueued) {
  Open();
  device->Queue(Bytes(519, 0));
  ReadDataFrames(link);
  EXPECT_EQ(device->Queued(), 519u);
  EXPECT_TRUE(device->readSizes.empty());
  EXPECT_FALSE(state.frames.frameReady.load());
}

TEST_F(FrameReaderTest, AGoodFrameRenewsLastGoodFrameTime) {
  Open();
  clock.nowMs += 700;
  device->Queue(BuildFrame(Numbered(1)));
  ReadDataFrames(link);
  EXPECT_EQ(state.usb.lastGoodFrameMs.load(), clock.nowMs);
  EXPECT_TRUE(state.frames.frameReady.load());
}

TEST_F(FrameReaderTest, ABadChecksumPostsTheErrorTextAndDropsTheReadyFrame) {
  Open();
  const std::int64_t opened = state.usb.lastGoodFrameMs.load();
  clock.nowMs += 700;
  device->Queue(BuildFrame(Numbered(1), 0x0A3F));
  ReadDataFrames(link);
  EXPECT_FALSE(state.frames.frameReady.load());
  EXPECT_EQ(state.usb.lastGoodFrameMs.load(), opened);
  EXPECT_EQ(TakeLinkStatusText(state), std::optional<std::string>("USB error: $0A3F"));

  // A good frame followed by a bad one in the same pass: the good one is
  // dropped before it was converted.
  device->Queue(BuildFrame(Numbered(2)));
  device->Queue(BuildFrame(Numbered(3), 0xBEEF));
  ReadDataFrames(link);
  EXPECT_FALSE(state.frames.frameReady.load());
  EXPECT_EQ(TakeLinkStatusText(state), std::optional<std::string>("USB error: $BEEF"));
}

TEST_F(FrameReaderTest, ABadFrameNeverReplacesThePublishedOne) {
  Open();
  device->Queue(BuildFrame(Numbered(1)));
  ReadDataFrames(link);
  device->Queue(BuildFrame(Numbered(9), 0x0001));
  ReadDataFrames(link);
  EXPECT_EQ(CopyPublishedFrame(state.frames).header[0], 1);
}

TEST_F(FrameReaderTest, AStrayByteBreaksAlignmentUntilTheWatchdogCloses) {
  Open();
  device->Queue(Bytes{0xA5});
  for (int n = 1; n <= 4; ++n) device->Queue(BuildFrame(Numbered(n)));
  ReadDataFrames(link);
  EXPECT_FALSE(state.frames.frameReady.load());
  EXPECT_EQ(device->Queued(), 1u);
}

TEST_F(FrameReaderTest, NothingIsReadWhileClosed) {
  device->Queue(BuildFrame(Numbered(1)));
  ReadDataFrames(link);
  EXPECT_EQ(device->Queued(), 520u);
  EXPECT_EQ(device->getStatusCount, 0);
}

}  // namespace
}  // namespace vanto::testing
