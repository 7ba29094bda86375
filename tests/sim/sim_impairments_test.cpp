// The simulator's selectable faults: bad checksums every N frames, silence
// after a time, one stray byte that breaks the frame alignment, a warm
// instrument that keeps its registers with a frame in flight at FT_Open,
// and the noise level with its seed.
#include <chrono>
#include <thread>

#include "sim/sim_session.h"

namespace vanto::testing {
namespace {

class ImpairmentTest : public SimSession {
 protected:
  void Start(const std::string& extra) {
    Configure("model=ORXA\nprobe=R1\nnode.R1=R1k\n" + extra);
    OpenDevice();
    opened_ = std::chrono::steady_clock::now();
    Apply({1000, 1000, 1000, 1, 1}, LoadCalibration());
  }

  std::chrono::steady_clock::time_point opened_;
};

TEST_F(ImpairmentTest, EveryThirdFrameHasABadChecksum) {
  Start("bad_checksum_every=3\n");
  for (int n = 1; n <= 6; ++n) {
    EXPECT_EQ(RequestFrame().checksumOk, n % 3 != 0) << "frame " << n;
  }
}

TEST_F(ImpairmentTest, FallsSilentAfterTheStatedTime) {
  Start("silent_after_ms=1000\n");
  EXPECT_TRUE(RequestFrame().checksumOk);
  std::this_thread::sleep_until(opened_ + std::chrono::milliseconds(1100));
  Send(RequestRecord());
  EXPECT_EQ(WaitForBytes(1, 300), 0u);
}

TEST_F(ImpairmentTest, StrayByteAfterTheFirstFrameBreaksTheAlignment) {
  Start("stray_byte_after=1\n");
  std::vector<std::uint8_t> two = RequestRecord();
  two.insert(two.end(), two.begin(), two.end());
  Send(two);
  ASSERT_EQ(WaitForBytes(1041, 2000), 1041u);
  std::vector<std::uint8_t> bytes = ReadBytes(1041);
  ASSERT_EQ(bytes.size(), 1041u);
  EXPECT_TRUE(DecodeFrame(bytes.data()).checksumOk);
  EXPECT_FALSE(DecodeFrame(bytes.data() + 520).checksumOk);
  EXPECT_TRUE(DecodeFrame(bytes.data() + 521).checksumOk) << "the frame itself is whole";
  // Only once: the next frame is 520 bytes again, still read one byte late.
  Send(RequestRecord());
  ASSERT_EQ(WaitForBytes(520, 2000), 520u);
}

// Nothing is asked after the second FT_Open, yet the rest of the frame of
// the last session arrives; a frame asked for then is taken with the
// registers the last session wrote.
TEST_F(ImpairmentTest, AWarmInstrumentKeepsItsRegistersAndSendsTheRestOfAFrame) {
  Start("noise=0\nwarm_open=1\n");
  // Even the first handle finds the instrument mid-frame.
  ASSERT_EQ(WaitForBytes(260, 2000), 260u);
  EXPECT_EQ(ReadBytes(260).size(), 260u);
  const DecodedFrame before = RequestFrame();
  CloseDevice();
  OpenDevice();
  EXPECT_EQ(WaitForBytes(260, 2000), 260u);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));  // three frame times
  EXPECT_EQ(Queued(), 260u) << "half a frame, and nothing after it";
  EXPECT_EQ(ReadBytes(260).size(), 260u);
  const DecodedFrame after = RequestFrame();
  EXPECT_TRUE(after.checksumOk);
  EXPECT_EQ(after.adc1, before.adc1);
}

TEST_F(ImpairmentTest, AColdInstrumentStartsQuietAndFromReset) {
  Start("noise=0\n");
  const DecodedFrame before = RequestFrame();
  CloseDevice();
  OpenDevice();
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(Queued(), 0u);
  const DecodedFrame after = RequestFrame();
  EXPECT_TRUE(after.checksumOk);
  EXPECT_NE(after.adc1, before.adc1) << "the registers were reset";
}

double SpreadBetween(const DecodedFrame& a, const DecodedFrame& b) {
  double sum = 0;
  for (std::size_t i = 0; i < 64; ++i) {
    double d = static_cast<double>(a.adc1[i]) - b.adc1[i];
    sum += d * d;
  }
  return std::sqrt(sum / 64);
}

TEST_F(ImpairmentTest, NoiseLevelIsSelectable) {
  Start("noise=0\n");
  const double quiet = SpreadBetween(RequestFrame(), RequestFrame());
  CloseDevice();
  Start("noise=12\n");
  const double noisy = SpreadBetween(RequestFrame(), RequestFrame());
  EXPECT_EQ(quiet, 0.0);
  EXPECT_GT(noisy, 10.0);  // 12 counts per sample, eight samples per point
}

TEST_F(ImpairmentTest, SameSeedRepeatsTheSameFrames) {
  auto firstFrameWith = [this](const std::string& seed) {
    Start("noise=5\nseed=" + seed + "\n");
    DecodedFrame frame = RequestFrame();
    CloseDevice();
    return frame;
  };
  DecodedFrame a = firstFrameWith("17");
  DecodedFrame b = firstFrameWith("17");
  DecodedFrame c = firstFrameWith("18");
  EXPECT_EQ(a.adc0, b.adc0);
  EXPECT_EQ(a.adc1, b.adc1);
  EXPECT_NE(a.adc1, c.adc1);
}

}  // namespace
}  // namespace vanto::testing
