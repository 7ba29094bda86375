// A fixture that drives the simulated instrument the way the program does:
// reads its calibration from the EEPROM, writes generator settings as
// register runs, requests frames and converts them with the calibration.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

#include "sim/sim_library.h"
#include "sim/wire_codec.h"

namespace vanto::testing {

struct Settings {
  int peakMv = 1000;
  int ohms = 1000;
  int hz = 1000;
  int samplesPerPoint = 1;
  int cycles = 8;
  int scanSig = 0;
  int scanCom = 0;
};

inline void PrintTo(const Settings& s, std::ostream* os) {
  *os << s.peakMv << "mV " << s.ohms << "ohm " << s.hz << "Hz " << s.samplesPerPoint << "x"
      << s.cycles;
  if (s.scanSig != 0) *os << " sig" << s.scanSig << " com" << s.scanCom;
}

class SimSession : public SimFixture {
 protected:
  // The calibration area as text: words 128-1023, low byte first, zero bytes dropped.
  std::string CalibrationText() {
    std::string text;
    for (Dword address = 128; address < 1024; ++address) {
      Word word = 0;
      sim_.api.ReadEE(handle_, address, &word);
      if ((word & 0xFF) != 0) text += static_cast<char>(word & 0xFF);
      if ((word >> 8) != 0) text += static_cast<char>(word >> 8);
    }
    return text;
  }

  Calibration LoadCalibration() { return Calibration::FromText(CalibrationText()); }

  void Apply(const Settings& s, const Calibration& c) {
    std::map<std::uint32_t, std::int64_t> registers;
    for (std::uint32_t r = 0; r < 24; ++r) registers[r] = 0;
    registers[1] = 0x02 | (s.peakMv >= 2000 ? 0x20 : 0x00);
    registers[4] = c.AmplitudeCode(s.peakMv);
    registers[5] = c.d0;
    registers[6] = s.peakMv;
    registers[8] = s.ohms;
    registers[10] = 64;
    registers[11] = s.samplesPerPoint;
    registers[12] = s.cycles;
    registers[14] = s.hz;
    registers[16] = s.scanSig;
    registers[17] = s.scanCom;
    registers[23] = 5;
    Send(WriteRun(registers));
  }

  DecodedFrame RequestFrame() {
    Send(RequestRecord());
    EXPECT_GE(WaitForBytes(520, 2000), 520u);
    std::vector<std::uint8_t> bytes = ReadBytes(520);
    EXPECT_EQ(bytes.size(), 520u);
    bytes.resize(520);
    return DecodeFrame(bytes.data());
  }

  Curve Measure(const Settings& s) {
    Calibration c = LoadCalibration();
    Apply(s, c);
    DecodedFrame frame = RequestFrame();
    EXPECT_TRUE(frame.checksumOk);
    return Convert(frame, c, s.samplesPerPoint * s.cycles, s.ohms);
  }
};

// Least-squares line through (volts, amps).
struct Line {
  double slope = 0;
  double intercept = 0;
  double worstResidual = 0;
};

inline Line FitLine(const Curve& curve) {
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  const double n = 64;
  for (std::size_t i = 0; i < 64; ++i) {
    sx += curve.volts[i];
    sy += curve.amps[i];
    sxx += curve.volts[i] * curve.volts[i];
    sxy += curve.volts[i] * curve.amps[i];
  }
  Line line;
  line.slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
  line.intercept = (sy - line.slope * sx) / n;
  for (std::size_t i = 0; i < 64; ++i) {
    double residual = curve.amps[i] - (line.slope * curve.volts[i] + line.intercept);
    line.worstResidual = std::max(line.worstResidual, std::abs(residual));
  }
  return line;
}

}  // namespace vanto::testing
