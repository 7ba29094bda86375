// Records and frames on the simulated wire: the host's encoder against the
// documented examples, registers set by write records (seen through their
// effect), one 520-byte frame per request after the acquisition and line
// time, the header words, and reads from a second thread.
#include <atomic>
#include <chrono>
#include <thread>

#include "sim/sim_session.h"

namespace vanto::testing {
namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct RecordExample {
  std::uint32_t address;
  std::int64_t value;
  std::vector<std::uint8_t> bytes;
};

void PrintTo(const RecordExample& e, std::ostream* os) {
  *os << "register " << e.address << " = " << e.value;
}

class RecordEncoding : public ::testing::TestWithParam<RecordExample> {};

// The tests' own encoder must match the documented bytes before it is
// trusted to talk to the simulator.
TEST_P(RecordEncoding, MatchesTheDocumentedBytes) {
  EXPECT_EQ(WriteRecord(GetParam().address, GetParam().value), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RecordEncoding,
    ::testing::Values(RecordExample{1, 2, {0x80, 0x01, 0x00, 0x00, 0x00, 0x02, 0xD5, 0x58}},
                      RecordExample{6, 1000, {0x80, 0x06, 0x00, 0x00, 0x03, 0xE8, 0xD9, 0x43}},
                      RecordExample{23, 5, {0x80, 0x17, 0x00, 0x00, 0x00, 0x05, 0xD5, 0x71}},
                      RecordExample{3, -27575, {0x80, 0x03, 0x00, 0x00, 0x95, 0x49, 0x6A, 0xA1}}));

class FrameTest : public SimSession {
 protected:
  void SetUp() override {
    SimSession::SetUp();
    Configure("model=ORXB\nprobe=R1\nnode.R1=R1k\n");
  }

  // The calibration's static output: registers 0-31 with register 1 and 3
  // as the calibration window sends them, a 100 Hz frame of 10 x 8 samples.
  void SetStaticOutput(int control, std::int64_t code) {
    std::map<std::uint32_t, std::int64_t> registers;
    for (std::uint32_t r = 0; r < 32; ++r) registers[r] = 0;
    registers[1] = control;
    registers[3] = code;
    registers[6] = 1000;
    registers[8] = 100;
    registers[10] = 64;
    registers[11] = 10;
    registers[12] = 8;
    registers[14] = 100;
    Send(WriteRun(registers));
  }

  Curve StaticCurve(const Calibration& c) {
    DecodedFrame frame = RequestFrame();
    EXPECT_TRUE(frame.checksumOk);
    return Convert(frame, c, 80, 100);
  }
};

struct StaticLevel {
  const char* key;
  int control;
  double volts;
};

void PrintTo(const StaticLevel& l, std::ostream* os) {
  *os << l.key;
}

class StaticOutput : public FrameTest, public ::testing::WithParamInterface<StaticLevel> {};

// Register 1 bit 4 puts out register 3's level; with the factory calibration
// the code stored for a level reads back as that level on both ADCs, negative
// codes included (they travel in the host's non-two's-complement form).
TEST_P(StaticOutput, CalibratedCodeReadsBackAsItsLevel) {
  OpenDevice();
  const std::string text = CalibrationText();
  ASSERT_TRUE(HasKey(text, GetParam().key));
  Calibration c = Calibration::FromText(text);
  SetStaticOutput(GetParam().control, CalibrationValue(text, GetParam().key));
  DecodedFrame frame = RequestFrame();
  ASSERT_TRUE(frame.checksumOk);
  for (std::size_t i = 0; i < 64; ++i) {
    float volt0 = (frame.adc0[i] / 80.0f + c.offset0) * c.gain0;
    float volt1 = (frame.adc1[i] / 80.0f + c.offset1) * c.gain1;
    ASSERT_NEAR(volt0, GetParam().volts, 0.005) << "ADC0, point " << i + 1;
    ASSERT_NEAR(volt1, GetParam().volts, 0.005) << "ADC1, point " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, StaticOutput,
                         ::testing::Values(StaticLevel{"DAC@10V", 0x30, 10.0},
                                           StaticLevel{"DAC@1V", 0x10, 1.0},
                                           StaticLevel{"DAC@0V", 0x10, 0.0},
                                           StaticLevel{"DAC@-1V", 0x10, -1.0},
                                           StaticLevel{"DAC@-10V", 0x30, -10.0}));

TEST_F(FrameTest, RecordWithABadChecksumIsIgnoredAndAGoodOneTakesEffect) {
  OpenDevice();
  const std::string text = CalibrationText();
  Calibration c = Calibration::FromText(text);
  SetStaticOutput(0x30, CalibrationValue(text, "DAC@10V"));
  std::vector<std::uint8_t> damaged = WriteRecord(3, CalibrationValue(text, "DAC@0V"));
  damaged[7] ^= 0x01;
  Send(damaged);
  EXPECT_NEAR(StaticCurve(c).volts[10], 10.0, 0.01);
  Send(WriteRecord(3, CalibrationValue(text, "DAC@-10V")));
  EXPECT_NEAR(StaticCurve(c).volts[10], -10.0, 0.01);
}

struct Timing {
  std::uint32_t baud;
  int hz;
  int samplesPerPoint;
  int cycles;
};

void PrintTo(const Timing& t, std::ostream* os) {
  *os << t.baud << " baud, " << t.cycles << " cycles at " << t.hz << "Hz";
}

class FrameTiming : public FrameTest, public ::testing::WithParamInterface<Timing> {};

// 528 bytes of 10 bits at the line speed plus register 12 cycles at register 14 Hz.
TEST_P(FrameTiming, FrameArrivesWhenRequestAcquisitionAndReplyHaveTakenTheirTime) {
  const Timing t = GetParam();
  OpenDevice(t.baud);
  Calibration c = LoadCalibration();
  Apply({1000, 1000, t.hz, t.samplesPerPoint, t.cycles}, c);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(Queued(), 0u) << "nothing is sent unasked";
  const double expectedMs = 528 * 10 * 1000.0 / t.baud + 1000.0 * t.cycles / t.hz;
  const auto start = Clock::now();
  Send(RequestRecord());
  ASSERT_EQ(WaitForBytes(520, 2000), 520u);
  const double elapsed = MsSince(start);
  EXPECT_GE(elapsed, expectedMs - 0.5);
  // Never early; late only by what a busy machine adds, within reason.
  EXPECT_LE(elapsed, expectedMs + 1000.0);
  std::vector<std::uint8_t> bytes = ReadBytes(600);
  ASSERT_EQ(bytes.size(), 520u);
  EXPECT_TRUE(DecodeFrame(bytes.data()).checksumOk);
}

INSTANTIATE_TEST_SUITE_P(Lines, FrameTiming,
                         ::testing::Values(Timing{250000, 100, 10, 4}, Timing{115200, 1000, 1, 8},
                                           Timing{250000, 10, 100, 1}));

TEST_F(FrameTest, TwoRequestsGiveExactlyTwoGoodFrames) {
  OpenDevice();
  Apply({1000, 1000, 1000, 1, 2}, LoadCalibration());
  std::vector<std::uint8_t> two = RequestRecord();
  two.insert(two.end(), two.begin(), two.end());
  Send(two);
  ASSERT_EQ(WaitForBytes(1040, 2000), 1040u);
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  EXPECT_EQ(Queued(), 1040u);
  std::vector<std::uint8_t> bytes = ReadBytes(1040);
  ASSERT_EQ(bytes.size(), 1040u);
  DecodedFrame first = DecodeFrame(bytes.data());
  DecodedFrame second = DecodeFrame(bytes.data() + 520);
  EXPECT_TRUE(first.checksumOk);
  EXPECT_TRUE(second.checksumOk);
  EXPECT_NE(first.header[0], second.header[0]);
}

TEST_F(FrameTest, BytesTrickleInAtTheLineSpeed) {
  OpenDevice(19200);  // 520 bytes take 271 ms
  Apply({1000, 1000, 1000, 1, 1}, LoadCalibration());
  Send(RequestRecord());
  Dword first = WaitForBytes(1, 2000);
  EXPECT_GT(first, 0u);
  EXPECT_LT(first, 520u);
  EXPECT_EQ(WaitForBytes(520, 2000), 520u);
}

TEST_F(FrameTest, ReadWaitsOnlyForBytesOnTheirWay) {
  OpenDevice();
  Apply({1000, 1000, 100, 10, 2}, LoadCalibration());  // 20 ms acquisition
  auto start = Clock::now();
  std::vector<std::uint8_t> none = ReadBytes(520);
  EXPECT_TRUE(none.empty());
  EXPECT_LT(MsSince(start), 200.0) << "nothing on its way: no waiting for it";
  start = Clock::now();
  Send(RequestRecord());
  std::vector<std::uint8_t> frame = ReadBytes(520);
  ASSERT_EQ(frame.size(), 520u);
  EXPECT_TRUE(DecodeFrame(frame.data()).checksumOk);
  EXPECT_GE(MsSince(start), 20.0 + 21.0);
  EXPECT_LT(MsSince(start), 20.0 + 21.0 + 1000.0);
}

TEST_F(FrameTest, RailReadsNearFiveVolts) {
  OpenDevice();
  Apply({1000, 1000, 1000, 1, 1}, LoadCalibration());
  for (int i = 0; i < 3; ++i) {
    DecodedFrame frame = RequestFrame();
    double volts = frame.header[1] * 0.0016121271;
    EXPECT_GT(volts, 4.9);
    EXPECT_LT(volts, 5.1);
  }
}

TEST_F(FrameTest, ButtonBitsFollowTheScript) {
  // Presses a second apart, so that a busy machine cannot blur them.
  WriteFile("buttons.txt", "# B first, then A\n0 B 1000\n2000 A 100000\n");
  Configure("model=ORXB\nprobe=R1\nnode.R1=R1k\nbuttons_script=buttons.txt\n");
  OpenDevice();
  const auto opened = Clock::now();
  Apply({1000, 1000, 1000, 1, 1}, LoadCalibration());
  EXPECT_EQ(RequestFrame().header[2], 2u);
  std::this_thread::sleep_until(opened + std::chrono::milliseconds(2100));
  EXPECT_EQ(RequestFrame().header[2], 1u);
}

TEST_F(FrameTest, ReaderThreadGetsEveryFrameWhileAnotherThreadWrites) {
  OpenDevice();
  Calibration c = LoadCalibration();
  Apply({1000, 1000, 1000, 1, 2}, c);
  constexpr int kRequests = 12;
  std::atomic<int> good{0};
  std::thread reader([&] {
    const auto end = Clock::now() + std::chrono::seconds(3);
    while (good.load() < kRequests && Clock::now() < end) {
      if (Queued() >= 520) {
        std::vector<std::uint8_t> bytes = ReadBytes(520);
        if (bytes.size() == 520 && DecodeFrame(bytes.data()).checksumOk) ++good;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
  });
  for (int i = 0; i < kRequests; ++i) {
    Apply({i % 2 == 0 ? 1000 : 400, 1000, 1000, 1, 2}, c);
    Send(RequestRecord());
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
  }
  reader.join();
  EXPECT_EQ(good.load(), kRequests);
}

// The original program neither closes the device nor stops its threads at
// exit; the library must not crash the exit while frames are in the making.
TEST_F(FrameTest, ProcessMayExitWithTheDeviceOpenAndBusy) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        OpenDevice();
        Apply({1000, 1000, 10, 100, 1}, LoadCalibration());
        std::thread requester([this] {
          for (;;) {
            Send(RequestRecord());
            Queued();
          }
        });
        requester.detach();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        std::exit(3);
      },
      ::testing::ExitedWithCode(3), "");
}

}  // namespace
}  // namespace vanto::testing
