// A calibration session on a connected fake instrument, with a scripted
// multimeter, on the fake clock.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "calibration/calibration_session.h"
#include "link/link_fixture.h"
#include "support/fake_dmm.h"

namespace vanto::testing {

inline constexpr const char* kFactoryRecord =
    "Calibration date=14/Mar/2023@10:21:07\r\nDAC@10V=29860\r\nDAC@1V=29027\r\nDAC@0V=1236\r\n"
    "DAC@-1V=-26811\r\nDAC@-10V=-27637\r\nADC0@10V=30972\r\nADC0@0V=39\r\nADC0@-10V=-30895\r\n"
    "ADC1@10V=29160\r\nADC1@0V=-52\r\nADC1@-10V=-29264\r\n50ohm=50\r\n100ohm=100\r\n200ohm=200\r\n"
    "500ohm=500\r\n1Kohm=1000\r\n2Kohm=2000\r\n5Kohm=5000\r\n10Kohm=10000\r\nDCBIAS@10V=29187\r\n"
    "DCBIAS@-10V=3221\r\n";

// The values of one command frame's write records (data bytes 2..5).
inline std::vector<std::uint32_t> RecordValues(const Bytes& frame) {
  std::vector<std::uint32_t> values;
  for (std::size_t at = 0; at + 8 <= frame.size(); at += 8) {
    values.push_back((std::uint32_t{frame[at + 2]} << 24) | (std::uint32_t{frame[at + 3]} << 16) |
                     (std::uint32_t{frame[at + 4]} << 8) | frame[at + 5]);
  }
  return values;
}
inline int RecordAddress(const Bytes& frame, std::size_t record = 0) {
  return ((frame[record * 8] & 0x7F) << 8) | frame[record * 8 + 1];
}

class CalibrationTest : public LinkTest {
 protected:
  void Open(const std::string& record = kFactoryRecord) {
    Connect(record);
    calibration.network = network;
    session = std::make_unique<CalibrationSession>(link, calibration);
    ASSERT_TRUE(OpenCalibrationSession(*session));
    device->ClearRecords();
  }
  void Press(CalibrationActionKind kind, CalibrationLevel level = CalibrationLevel::Plus10,
             int adjust = 0) {
    PressCalibrationAction(*session, {kind, level, adjust, 0});
  }
  // Register writes only (no frame requests).
  std::vector<Bytes> RegisterWrites() {
    std::vector<Bytes> out;
    for (const Bytes& w : device->Writes()) {
      if (!w.empty() && (w[0] & 0x80) != 0) out.push_back(w);
    }
    return out;
  }
  std::string EepromText() {
    std::string text;
    std::lock_guard<std::mutex> guard(device->lock);
    for (int a = 128; a < 1024; ++a) {
      const WORD w = device->eeprom[static_cast<std::size_t>(a)];
      if ((w & 0xFF) != 0) text += static_cast<char>(w & 0xFF);
      if ((w >> 8) != 0) text += static_cast<char>(w >> 8);
    }
    return text;
  }

  CalibrationState calibration;
  std::shared_ptr<FakeDmmNetwork> network = std::make_shared<FakeDmmNetwork>(clock);
  std::unique_ptr<CalibrationSession> session;
};

}  // namespace vanto::testing
