// The link against the simulated instrument, through the real dlopen path:
// connect, identify, load the calibration, receive frames about four times
// a second, convert them into a live signature that matches the simulated
// circuit, and close by itself when the instrument falls silent.
#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "foundation/message_texts.h"
#include "foundation/system_clock.h"
#include "link/acquisition_thread.h"
#include "link/calibration_storage.h"
#include "link/connection.h"
#include "link/d2xx_library.h"
#include "link/frame_processing.h"
#include "link/generator_apply.h"
#include "link/link_outbox.h"
#include "link/link_state.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto::testing {
namespace {

using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

double ThreadCpuSeconds(std::thread& thread) {
  clockid_t clock = 0;
  if (::pthread_getcpuclockid(thread.native_handle(), &clock) != 0) return 0.0;
  timespec time{};
  ::clock_gettime(clock, &time);
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

class LinkSimTest : public ::testing::Test {
 protected:
  void SetUpSimulator(const std::string& config) {
    WriteFile("sim.cfg", config);
    ::setenv("ORX_SIM_CONFIG", (workdir.Path() / "sim.cfg").c_str(), 1);
    ::setenv(kD2xxLibraryVariable, ORX_SIM_LIBRARY, 1);
    StartAcquisitionThread(link);
  }
  void TearDown() override {
    ShutDownLink(state);
    ::unsetenv("ORX_SIM_CONFIG");
    ::unsetenv(kD2xxLibraryVariable);
  }

  // The main loop's share of the link for one pass.
  bool Pass() {
    GeneratorStep(link);
    const bool frame = ProcessFrame(link);
    ShowPendingLinkMessages(link);
    std::this_thread::sleep_for(1ms);
    return frame;
  }

  TempWorkdir workdir;
  SystemClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
  std::string model = "ORXA";
  Signature live{.pointCount = 64};
  LinkState state;
  InstrumentLink link{state, messages, clock, live, model, {}};
};

TEST_F(LinkSimTest, OneKilohmNodeGivesAStraightLineFourTimesASecond) {
  SetUpSimulator("model=ORXA\nprobe=R1\nnode.R1=R1k\n");  // R1 is 1 kOhm to ground
  state.generator.requestedMv = 1000;
  state.generator.requestedOhms = 1000;
  state.generator.requestedHz = 50;

  ORX_StartConnection(link);
  ASSERT_EQ(state.usb.connected.load(), 1) << state.usb.libraryError;
  EXPECT_TRUE(boxes.shown.empty());
  const std::string calibration = ReadFile(kCalibrationFileName);
  EXPECT_NE(calibration.find("DAC@0V="), std::string::npos) << calibration;
  EXPECT_NE(calibration.find("ADC1@-10V="), std::string::npos) << calibration;
  EXPECT_NE(state.adc.gain1, 0.0f);

  // Let the settings reach the instrument, then count frames for 3 s.
  for (auto until = Steady::now() + 600ms; Steady::now() < until;) Pass();
  const double cpuBefore = ThreadCpuSeconds(state.acquisition.thread);
  const auto start = Steady::now();
  int frames = 0;
  while (Steady::now() - start < 3s) frames += Pass() ? 1 : 0;
  const double cpuShare = (ThreadCpuSeconds(state.acquisition.thread) - cpuBefore) /
                          std::chrono::duration<double>(Steady::now() - start).count();
  std::printf("frames in 3 s: %d, acquisition thread CPU: %.2f %% of one core\n", frames,
              100.0 * cpuShare);
  // Never faster than the four a second the link asks for; slower only
  // when a busy machine holds the threads back.
  EXPECT_GE(frames, 4);
  EXPECT_LE(frames, 13);
  EXPECT_EQ(state.usb.connected.load(), 1);
  EXPECT_LT(cpuShare, 0.05);

  // 1 V through 1 kOhm into 1 kOhm: the node swings +-0.5 V and the
  // current is -node / 1 kOhm; 2 % of full scale (1 V, 1 mA) allowed.
  const float fullVolts = 1.0f;
  const float fullAmps = 1.0f / static_cast<float>(state.generator.actualOhms);
  float highest = -1.0f;
  float lowest = 1.0f;
  for (int i = 1; i <= live.pointCount; ++i) {
    const float v = live.voltage[static_cast<std::size_t>(i)];
    const float a = live.current[static_cast<std::size_t>(i)];
    highest = std::max(highest, v);
    lowest = std::min(lowest, v);
    EXPECT_NEAR(a, -v / 1000.0f, 0.02f * fullAmps) << "point " << i;
  }
  EXPECT_NEAR(highest, 0.5f, 0.02f * fullVolts);
  EXPECT_NEAR(lowest, -0.5f, 0.02f * fullVolts);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LinkSimTest, ClosesItselfAbout2SecondsAfterTheInstrumentFallsSilent) {
  SetUpSimulator("model=ORXA\nprobe=R1\nsilent_after_ms=2500\n");
  ORX_StartConnection(link);
  ASSERT_EQ(state.usb.connected.load(), 1) << state.usb.libraryError;

  auto lastFrame = Steady::now();
  int frames = 0;
  const auto deadline = Steady::now() + 10s;
  while (state.usb.connected.load() == 1 && Steady::now() < deadline) {
    if (Pass()) {
      lastFrame = Steady::now();
      ++frames;
    }
  }
  const auto closedAfter = Steady::now() - lastFrame;
  EXPECT_GT(frames, 3);
  EXPECT_EQ(state.usb.connected.load(), 0);
  EXPECT_GE(closedAfter, 1990ms);
  EXPECT_LE(closedAfter, 4000ms);
  EXPECT_NE(ReadFile("log.txt").find(text::kStopConnection), std::string::npos);
  // The watchdog closes quietly.
  for (int i = 0; i < 10; ++i) Pass();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(TakeScopeRedrawRequest(state));
}

// The cable pulled while frames stream: the program closes the link,
// says so once, and connects again when asked.
TEST_F(LinkSimTest, AnUnpluggedInstrumentDisconnectsCleanlyAndReconnects) {
  SetUpSimulator("model=ORXA\nprobe=R1\nunplug_after_ms=1500\n");
  ORX_StartConnection(link);
  ASSERT_EQ(state.usb.connected.load(), 1) << state.usb.libraryError;
  int frames = 0;
  const auto deadline = Steady::now() + 10s;
  while (state.usb.connected.load() == 1 && Steady::now() < deadline) frames += Pass() ? 1 : 0;
  EXPECT_EQ(state.usb.connected.load(), 0);
  for (int i = 0; i < 10; ++i) Pass();
  std::vector<std::string> titles;
  for (const RecordedBox& box : boxes.shown) titles.push_back(box.title);
  EXPECT_EQ(titles, std::vector<std::string>{"Warning #0075"});
  EXPECT_TRUE(TakeScopeRedrawRequest(state));

  boxes.shown.clear();
  ORX_StartConnection(link);  // plugged in again
  ASSERT_EQ(state.usb.connected.load(), 1);
  bool frame = false;
  for (auto until = Steady::now() + 5s; !frame && Steady::now() < until;) frame = Pass();
  EXPECT_TRUE(frame);
  EXPECT_TRUE(boxes.shown.empty());
}

// A warm instrument keeps the registers of the last session, and the rest
// of the frame it was sending arrives as the link opens: the start-up
// discard takes it, so every frame after it is whole and none is flagged.
TEST_F(LinkSimTest, AFrameInFlightAtConnectLeavesTheLinkAligned) {
  SetUpSimulator("model=ORXA\nprobe=R1\nwarm_open=1\n");
  for (int session = 1; session <= 2; ++session) {
    SCOPED_TRACE("connection " + std::to_string(session));
    ORX_StartConnection(link);
    ASSERT_EQ(state.usb.connected.load(), 1) << state.usb.libraryError;
    int frames = 0;
    std::vector<std::string> errors;
    for (auto until = Steady::now() + 10s; frames < 4 && Steady::now() < until;) {
      frames += Pass() ? 1 : 0;
      std::optional<std::string> status = TakeStatusText(state.outbox);
      if (status && status->rfind("USB error", 0) == 0) errors.push_back(*status);
    }
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(errors, std::vector<std::string>{});
    ORX_StopConnection(link);
  }
  EXPECT_TRUE(boxes.shown.empty());
}

// Requests lost on the way: the frames of the others still come, and the
// lost ones are not counted for ever.
TEST_F(LinkSimTest, DroppedRequestsNeitherCloseTheLinkNorPileUp) {
  SetUpSimulator("model=ORXA\nprobe=R1\ndrop_request_every=3\n");
  ORX_StartConnection(link);
  ASSERT_EQ(state.usb.connected.load(), 1) << state.usb.libraryError;
  int frames = 0;
  for (auto until = Steady::now() + 4s; Steady::now() < until;) frames += Pass() ? 1 : 0;
  EXPECT_EQ(state.usb.connected.load(), 1);
  EXPECT_GT(frames, 2);
  // At most the requests of the last two seconds (one every 250 ms) are
  // still counted; the older lost ones are forgotten.
  EXPECT_LE(state.usb.framesOutstanding.load(), 2000 / 250);
}

TEST_F(LinkSimTest, AnEepromThatFailsWritesIsReportedAndKeepsItsRecord) {
  SetUpSimulator("model=ORXA\nprobe=R1\neeprom_write_fails=1\neeprom_file=\n");
  ORX_StartConnection(link);
  ASSERT_EQ(state.usb.connected.load(), 1) << state.usb.libraryError;
  const std::string before = ReadFile("ORX_cal.txt");
  WriteFile("new_cal.txt", "DAC@10V=1\r\n");
  EXPECT_FALSE(WriteFileToEeprom(link, "new_cal.txt"));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0074");
  LoadCalibration(link);
  EXPECT_EQ(ReadFile("ORX_cal.txt"), before);
}

TEST_F(LinkSimTest, AWrongModelIsRefused) {
  SetUpSimulator("model=ORXAP\n");
  ORX_StartConnection(link);
  EXPECT_EQ(state.usb.connected.load(), 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0060");
}

}  // namespace
}  // namespace vanto::testing
