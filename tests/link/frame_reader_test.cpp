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

// The driver may give fewer bytes than asked for: they are kept, and the
// frame is decoded once its last byte has come.
TEST_F(FrameReaderTest, AShortReadKeepsItsBytesForTheNextRead) {
  Open();
  device->readLimit = 300;
  device->Queue(BuildFrame(Numbered(1)));
  ReadDataFrames(link);
  EXPECT_FALSE(state.frames.frameReady.load());
  ReadDataFrames(link);
  DecodedFrame frame;
  ASSERT_TRUE(TakeReadyFrame(state.frames, frame));
  EXPECT_EQ(frame.header[0], 1);
  EXPECT_EQ(frame.rawAdc0[64], 1063);
  EXPECT_EQ(device->readSizes, (std::vector<DWORD>{520, 220}));
  EXPECT_FALSE(TakeStatusText(state.outbox).has_value());  // no "USB error"
}

// A failed read gave no bytes: the frame of the read before is still in
// the buffer and must not come out again, nor keep the link alive.
TEST_F(FrameReaderTest, AFailedReadOrStatusNeverRepublishesTheLastFrame) {
  Open();
  device->Queue(BuildFrame(Numbered(1)));
  ReadDataFrames(link);
  DecodedFrame frame;
  ASSERT_TRUE(TakeReadyFrame(state.frames, frame));
  const std::int64_t lastGood = state.usb.lastGoodFrameMs.load();

  for (FT_STATUS* fault : {&device->readResult, &device->getStatusResult}) {
    *fault = 18;  // FT_OTHER_ERROR: a hiccup, not a lost device
    device->Queue(BuildFrame(Numbered(2)));
    clock.nowMs += 700;
    ReadDataFrames(link);
    EXPECT_FALSE(TakeReadyFrame(state.frames, frame));
    EXPECT_EQ(state.usb.lastGoodFrameMs.load(), lastGood);
    *fault = FT_OK;
    std::lock_guard<std::mutex> guard(device->lock);
    device->rx.clear();
  }
}

// A request the instrument never answered stays counted no longer than a
// frame may take, so a later register write drops only frames it must.
TEST_F(FrameReaderTest, ALostRequestIsForgottenAndFreshFramesAreShown) {
  Open();
  for (int i = 0; i < 3; ++i) SendFrameRequest(link, 0);  // all three lost
  clock.nowMs += kWatchdogMs + 1;
  ReadDataFrames(link);  // nothing queued
  EXPECT_EQ(state.usb.framesOutstanding.load(), 0);
  SendFrameRequest(link, 0);
  ReadDataFrames(link);  // this one is young: it is still on its way
  EXPECT_EQ(state.usb.framesOutstanding.load(), 1);
  WriteRegisters(link, 16, 2);
  SendFrameRequest(link, 0);
  device->Queue(BuildFrame(Numbered(1)));  // measured before the write
  device->Queue(BuildFrame(Numbered(2)));  // the fresh one
  ReadDataFrames(link);
  DecodedFrame frame;
  ASSERT_TRUE(TakeReadyFrame(state.frames, frame));
  EXPECT_EQ(frame.header[0], 2);
}

// Unplugged in the middle of streaming: the driver fails every call with
// device-not-found or an I/O error. The link closes at once and says so.
TEST_F(FrameReaderTest, AnUnpluggedInstrumentClosesTheLinkWithItsMessage) {
  for (FT_STATUS gone : {FT_STATUS{2}, FT_STATUS{4}}) {
    for (FT_STATUS* call : {&device->getStatusResult, &device->readResult}) {
      boxes.shown.clear();
      Open();
      device->Queue(BuildFrame(Numbered(1)));
      *call = gone;
      ReadDataFrames(link);
      EXPECT_EQ(state.usb.connected.load(), 0);
      EXPECT_EQ(BoxTitles(), std::vector<std::string>{"Warning #0075"});
      {
        std::lock_guard<std::mutex> guard(device->lock);
        EXPECT_FALSE(device->isOpen);
        device->rx.clear();
      }
      *call = FT_OK;  // plugged in again: the next connect works
    }
  }
  EXPECT_EQ(Count(Log(), "Warning #0075 Instrument disconnected - USB connection lost"), 4);
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
