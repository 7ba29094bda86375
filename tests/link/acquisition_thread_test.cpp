// The acquisition thread with real threads: the pause handshake, frames
// flowing to the main thread, messages raised on the thread, and the end.
#include "link/acquisition_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "foundation/message_texts.h"
#include "foundation/system_clock.h"
#include "link/command_writer.h"
#include "link/connection.h"
#include "link/fake_d2xx_device.h"
#include "link/frame_processing.h"
#include "link/wire_bytes.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto::testing {
namespace {

using namespace std::chrono_literals;

constexpr const char* kThreadTestCalibration =
    "DAC@10V=30000\r\nDAC@1V=3000\r\nDAC@0V=0\r\nDAC@-1V=-3000\r\nDAC@-10V=-30000\r\n"
    "ADC0@10V=20000\r\nADC0@-10V=-20000\r\nADC1@10V=20000\r\nADC1@-10V=-20000\r\n";

class AcquisitionThreadTest : public ::testing::Test {
 protected:
  AcquisitionThreadTest() {
    state.openLibrary = [this] { return std::shared_ptr<D2xxApi>(device); };
  }
  ~AcquisitionThreadTest() override { ShutDownLink(state); }

  void OpenAndStart() {
    OpenDevice(link, kInstrumentBaudRate);
    ASSERT_EQ(state.usb.connected.load(), 1);
    StartAcquisitionThread(link);
  }

  // Waits (at most 3 s) until the condition holds.
  template <typename Condition>
  bool Eventually(Condition condition) {
    for (int i = 0; i < 3000; ++i) {
      if (condition()) return true;
      std::this_thread::sleep_for(1ms);
    }
    return condition();
  }

  int GetStatusCalls() {
    std::lock_guard<std::mutex> guard(device->lock);
    return device->getStatusCount;
  }

  TempWorkdir workdir;
  SystemClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
  std::shared_ptr<FakeD2xxDevice> device = std::make_shared<FakeD2xxDevice>();
  std::string model = "ORXB";
  Signature live{.pointCount = 64};
  LinkState state;
  InstrumentLink link{state, messages, clock, live, model, {}};
};

// The whole connection start (identity, register writes, discard,
// calibration read, priming) with the thread running: no device call of
// the main thread ever meets one of the thread's.
TEST_F(AcquisitionThreadTest, AConnectionStartNeverOverlapsTheThreadsDeviceCalls) {
  device->getStatusDelayMs = 2;
  device->SetIdentity("Quillotek", "Quillotek ORXB");
  device->StoreCalibrationText(kThreadTestCalibration);
  StartAcquisitionThread(link);
  ORX_StartConnection(link);
  ASSERT_EQ(state.usb.connected.load(), 1);
  ASSERT_TRUE(Eventually([&] { return GetStatusCalls() > 3; }));
  EXPECT_EQ(device->anyOverlaps.load(), 0);
  EXPECT_EQ(device->badHandleCount, 0);
}

// Closing the program while connected: the thread is joined first, then
// the device closed, and nothing calls into it afterwards.
TEST_F(AcquisitionThreadTest, ShutDownWhileConnectedJoinsTheThreadAndClosesTheDevice) {
  OpenAndStart();
  ASSERT_TRUE(Eventually([&] { return GetStatusCalls() > 3; }));
  ShutDownLink(state);
  EXPECT_FALSE(state.acquisition.thread.joinable());
  EXPECT_EQ(state.usb.connected.load(), 0);
  {
    std::lock_guard<std::mutex> guard(device->lock);
    EXPECT_EQ(device->closeCount, 1);
    EXPECT_FALSE(device->isOpen);
  }
  const int calls = GetStatusCalls();
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(GetStatusCalls(), calls);
}

TEST_F(AcquisitionThreadTest, APausedThreadMakesNoDeviceCallsUntilResumed) {
  OpenAndStart();
  ASSERT_TRUE(Eventually([&] { return GetStatusCalls() > 5; }));
  ASSERT_TRUE(PauseAcquisition(state.acquisition));
  const int atPause = GetStatusCalls();
  EXPECT_EQ(device->readSideInFlight.load(), 0);
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(GetStatusCalls(), atPause);
  ResumeAcquisition(state.acquisition);
  EXPECT_TRUE(Eventually([&] { return GetStatusCalls() > atPause; }));
}

TEST_F(AcquisitionThreadTest, RegisterWritesNeverOverlapTheThreadsDeviceCalls) {
  // Each status poll of the thread takes 3 ms, so a pause that did not wait
  // for the top of the pass would land inside one.
  device->getStatusDelayMs = 3;
  OpenAndStart();
  ASSERT_TRUE(Eventually([&] { return GetStatusCalls() > 3; }));
  state.registers[1] = 2;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) WriteRegisters(link, 1, 1);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(device->overlaps.load(), 0);
  // Each write waits 25 ms with the thread parked.
  EXPECT_GE(elapsed, 20 * 25ms);
  int registerWrites = 0;
  for (const Bytes& write : device->Writes())
    registerWrites += write.size() == 8 && write[0] == 0x80;
  EXPECT_EQ(registerWrites, 20);
}

TEST_F(AcquisitionThreadTest, FramesArriveAboutFourTimesASecond) {
  std::uint16_t counter = 0;
  {
    std::lock_guard<std::mutex> guard(device->lock);
    device->answerRequests = true;
    device->answerFrame = [&counter] {
      FrameContent content;
      content.header = {++counter, 3100, 0};
      return BuildFrame(content);
    };
  }
  OpenAndStart();
  int converted = 0;
  const auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < 1100ms) {
    if (ProcessFrame(link)) ++converted;
    std::this_thread::sleep_for(1ms);
  }
  // Requests at 0, 250, 500, 750, 1000 ms: never more; fewer only when a
  // busy machine holds the threads back.
  EXPECT_GE(converted, 2);
  EXPECT_LE(converted, 5);
  EXPECT_EQ(state.usb.connected.load(), 1);
  ShutDownLink(state);  // before `counter` goes
}

TEST_F(AcquisitionThreadTest, MessagesRaisedOnTheThreadWaitForTheMainThread) {
  std::thread worker([&] {
    MarkAcquisitionThread();
    ORX_StopConnection(link);  // not connected: error 0062
  });
  worker.join();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_NE(ReadFile("log.txt").find(text::kStopConnection), std::string::npos);
  ShowPendingLinkMessages(link);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0062");
  ShowPendingLinkMessages(link);
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(AcquisitionThreadTest, ShutDownStopsTheThreadAndClosesTheDevice) {
  OpenAndStart();
  ASSERT_TRUE(state.acquisition.thread.joinable());
  ShutDownLink(state);
  EXPECT_FALSE(state.acquisition.thread.joinable());
  EXPECT_FALSE(state.acquisition.running.load());
  EXPECT_EQ(state.usb.connected.load(), 0);
  EXPECT_EQ(device->closeCount, 1);
  // Nothing is logged or shown for the end of the program.
  EXPECT_TRUE(boxes.shown.empty());
  // A pause with no thread running returns at once without pausing.
  EXPECT_FALSE(PauseAcquisition(state.acquisition));
}

TEST_F(AcquisitionThreadTest, TheLinkStateEndsTheThreadItself) {
  auto owned = std::make_unique<LinkState>();
  owned->openLibrary = [this] { return std::shared_ptr<D2xxApi>(device); };
  InstrumentLink ownedLink{*owned, messages, clock, live, model, {}};
  OpenDevice(ownedLink, kInstrumentBaudRate);
  StartAcquisitionThread(ownedLink);
  ASSERT_TRUE(Eventually([&] { return GetStatusCalls() > 0; }));
  owned.reset();
  EXPECT_EQ(device->closeCount, 1);
}

TEST_F(AcquisitionThreadTest, AStopWakesAParkedThread) {
  OpenAndStart();
  ASSERT_TRUE(PauseAcquisition(state.acquisition));
  StopAcquisitionThread(state);
  EXPECT_FALSE(state.acquisition.thread.joinable());
}

}  // namespace
}  // namespace vanto::testing
