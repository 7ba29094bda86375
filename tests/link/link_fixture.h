// A link with a fake device, a fake clock and recorded message boxes, in a
// fresh working folder. Tests run the link's operations directly on the
// test thread; the acquisition thread is not started unless a test does.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/messages.h"
#include "link/connection.h"
#include "link/fake_d2xx_device.h"
#include "link/link_state.h"
#include "link/wire_bytes.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto::testing {

// A calibration record the link takes as sound, for tests about other things.
inline constexpr const char* kSoundCalibration =
    "DAC@10V=30000\r\nDAC@1V=3000\r\nDAC@0V=0\r\nDAC@-1V=-3000\r\nDAC@-10V=-30000\r\n"
    "ADC0@10V=20000\r\nADC0@0V=0\r\nADC0@-10V=-20000\r\nADC1@10V=20000\r\nADC1@0V=0\r\n"
    "ADC1@-10V=-20000\r\n";

class LinkTest : public ::testing::Test {
 protected:
  LinkTest() {
    state.openLibrary = [this] { return std::shared_ptr<D2xxApi>(device); };
  }

  // Open and configured, without identity check or priming.
  void Open() {
    OpenDevice(link, kInstrumentBaudRate);
    ASSERT_EQ(state.usb.connected.load(), 1);
    device->ClearRecords();
  }

  // A full connection start with a matching identity.
  void Connect(const std::string& calibration = kSoundCalibration) {
    device->SetIdentity("Quillotek", "Quillotek " + model);
    device->StoreCalibrationText(calibration);
    ORX_StartConnection(link);
    ASSERT_EQ(state.usb.connected.load(), 1);
    device->ClearRecords();
  }

  std::vector<std::string> BoxTitles() const {
    std::vector<std::string> titles;
    for (const RecordedBox& box : boxes.shown) titles.push_back(box.title);
    return titles;
  }

  std::string Log() const { return ReadFile("log.txt"); }

  TempWorkdir workdir;
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
  std::shared_ptr<FakeD2xxDevice> device = std::make_shared<FakeD2xxDevice>();
  std::string model = "ORXB";
  Signature live{.pointCount = 64};
  LinkState state;
  InstrumentLink link{state, messages, clock, live, model, {}};
};

inline int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace vanto::testing
