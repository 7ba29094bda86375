// The calibration window's actions without the window: static output
// levels, the adjust buttons, the calibrate buttons, the live ADC averages,
// the stored record (20 or 22 lines, byte for byte, in file and EEPROM),
// stores that fail, and closing.
#include <gtest/gtest.h>

#include <filesystem>

#include "calibration/calibration_messages.h"
#include "calibration/calibration_session.h"
#include "calibration/calibration_fixture.h"
#include "foundation/message_texts.h"
#include "link/command_records.h"

namespace vanto::testing {
namespace {

TEST_F(CalibrationTest, OpeningLoadsTheWorkingCodesFromTheInstrument) {
  Open();
  EXPECT_EQ(ReadFile("ORX_cal.txt"), kFactoryRecord);
  const std::array<std::int32_t, 7> expected = {29860, 29027, 1236, -26811, -27637, 29187, 3221};
  EXPECT_EQ(session->codes, expected);
  EXPECT_EQ(session->fields.liveDac, "--");
  EXPECT_EQ(session->fields.record.dac[0], "--");
  EXPECT_TRUE(session->dcBias);
}

TEST_F(CalibrationTest, OpeningWithTheLinkClosedSaysNoUsb) {
  CalibrationSession closed(link, calibration);
  EXPECT_FALSE(OpenCalibrationSession(closed));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Info #0056");
}

TEST_F(CalibrationTest, SetOutputPlus10ThenCourseAdjust) {
  Open();
  Press(CalibrationActionKind::LoadDefaults);
  EXPECT_EQ(session->fields.record.dac[0], "--");  // defaults change codes, not fields
  Press(CalibrationActionKind::SetOutput, CalibrationLevel::Plus10);
  std::vector<Bytes> writes = RegisterWrites();
  ASSERT_EQ(writes.size(), 1u);
  ASSERT_EQ(writes[0].size(), 32u * 8u);
  EXPECT_EQ(RecordAddress(writes[0]), 0);
  std::vector<std::uint32_t> values = RecordValues(writes[0]);
  EXPECT_EQ(values[1], 0x30u);
  EXPECT_EQ(values[3], 28945u);
  EXPECT_EQ(values[6], 1000u);
  EXPECT_EQ(values[8], 100u);
  EXPECT_EQ(values[10], 64u);
  EXPECT_EQ(values[11], 10u);
  EXPECT_EQ(values[12], 8u);
  EXPECT_EQ(values[14], 100u);
  EXPECT_EQ(values[16], 0u);
  EXPECT_EQ(values[17], 0u);
  EXPECT_EQ(session->fields.liveDac, "28945");

  device->ClearRecords();
  Press(CalibrationActionKind::Adjust, CalibrationLevel::Plus10, 1);  // "+Course Adj."
  writes = RegisterWrites();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0], WriteRecordBytes(3, 28970));
  EXPECT_EQ(session->fields.liveDac, "28970");
}

TEST_F(CalibrationTest, AdjustButtonsStepByTheirAmounts) {
  Open();
  Press(CalibrationActionKind::LoadDefaults);
  const std::int32_t steps[] = {500, 25, 1, -1, -25, -500};
  std::int32_t code = 29550;
  for (int button = 0; button < 6; ++button) {
    Press(CalibrationActionKind::Adjust, CalibrationLevel::Plus1, button);
    code += steps[button];
    EXPECT_EQ(CodeOf(*session, CalibrationLevel::Plus1), code);
    EXPECT_EQ(session->fields.liveDac, std::to_string(code));
  }
  EXPECT_EQ(RegisterWrites().size(), 6u);
}

TEST_F(CalibrationTest, FineAdjustDownInTheMinus1GroupSendsTheInstrumentEncoding) {
  Open();
  Press(CalibrationActionKind::LoadDefaults);
  Press(CalibrationActionKind::Adjust, CalibrationLevel::Minus1, 3);  // "-Fine Adj."
  const std::vector<Bytes> writes = RegisterWrites();
  ASSERT_EQ(writes.size(), 1u);
  ASSERT_EQ(writes[0].size(), 8u);
  EXPECT_EQ(RecordAddress(writes[0]), 3);
  EXPECT_EQ(Bytes(writes[0].begin() + 2, writes[0].begin() + 6), (Bytes{0x00, 0x00, 0x95, 0x48}));
  EXPECT_EQ(session->fields.liveDac, "-27576");
}

TEST_F(CalibrationTest, DcBiasOutputSetsTheBiasRegistersAndItsField) {
  Open();
  Press(CalibrationActionKind::LoadDefaults);
  Press(CalibrationActionKind::SetOutput, CalibrationLevel::BiasMinus10);
  const std::vector<std::uint32_t> values = RecordValues(RegisterWrites().at(0));
  EXPECT_EQ(values[1], 0x30u);
  EXPECT_EQ(values[3], 0x9779u);  // -27015 in the instrument's record encoding
  EXPECT_EQ(values[20], 3367u);
  EXPECT_EQ(values[21], (29198u - 3367u) / 2u);
  EXPECT_EQ(values[22], 2u);
  EXPECT_EQ(session->fields.record.dcBias[1], "3367");
  EXPECT_EQ(session->fields.liveDac, "--");
  device->ClearRecords();
  Press(CalibrationActionKind::Adjust, CalibrationLevel::BiasMinus10, 0);
  EXPECT_EQ(RegisterWrites().at(0), WriteRecordBytes(20, 3867));
  EXPECT_EQ(session->fields.record.dcBias[1], "3867");
}

TEST_F(CalibrationTest, CalibrateButtonsFillTheirFieldsOnly) {
  Open();
  Press(CalibrationActionKind::LoadDefaults);
  session->adc0Average = 3090;
  session->adc1Average = -2917;
  Press(CalibrationActionKind::Calibrate, CalibrationLevel::Plus1);
  EXPECT_EQ(session->fields.record.dac[1], "29550");
  for (const std::string& f : session->fields.record.adc0) EXPECT_EQ(f, "--");
  for (const std::string& f : session->fields.record.adc1) EXPECT_EQ(f, "--");
  EXPECT_EQ(session->fields.record.dac[0], "--");
  Press(CalibrationActionKind::Calibrate, CalibrationLevel::Minus10);
  EXPECT_EQ(session->fields.record.dac[4], "-27015");
  EXPECT_EQ(session->fields.record.adc0[2], "3090");
  EXPECT_EQ(session->fields.record.adc1[2], "-2917");
  EXPECT_EQ(session->fields.record.adc0[0], "--");
  Press(CalibrationActionKind::Calibrate, CalibrationLevel::BiasPlus10);
  EXPECT_EQ(session->fields.record.dcBias[0], "29198");
}

TEST(LiveAverageTest, SumOfTruncatedPointsOver64) {
  std::array<std::int32_t, 129> raw{};
  raw[1] = 8000;
  raw[2] = -79;
  EXPECT_EQ(LiveAdcAverage(raw), 1);  // (100 + 0) / 64
  raw.fill(0);
  for (int k = 1; k <= 64; ++k) raw[static_cast<std::size_t>(k)] = -80 * 100 - 79;
  EXPECT_EQ(LiveAdcAverage(raw), -100);
  raw[0] = 1 << 30;  // index 0 is not a point
  EXPECT_EQ(LiveAdcAverage(raw), -100);
}

TEST_F(CalibrationTest, LiveAveragesComeFromTheWindowsOwnFrameReads) {
  Open();
  FrameContent content;
  content.adc0[0] = 8000;
  content.adc0[1] = -79;
  for (int k = 0; k < 64; ++k) content.adc1[static_cast<std::size_t>(k)] = -160;
  device->Queue(BuildFrame(content));
  UpdateLiveAverages(*session);
  EXPECT_EQ(session->fields.adc0Live, "1");
  EXPECT_EQ(session->fields.adc1Live, "-2");
  EXPECT_FALSE(state.frames.frameReady.load());
}

class StoreTest : public CalibrationTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(StoreTest, WritesTheRecordByteForByteIntoFileAndEeprom) {
  model = GetParam();
  const bool bias = model != "ORXA" && model != "ORXAP";
  Open();
  clock.calendar = {2024, 3, 7, 14, 5, 9};
  Press(CalibrationActionKind::LoadDefaults);
  session->adc0Average = 30000;
  session->adc1Average = -29000;
  Press(CalibrationActionKind::Calibrate, CalibrationLevel::Plus10);
  Press(CalibrationActionKind::Calibrate, CalibrationLevel::Minus1);
  if (bias) Press(CalibrationActionKind::Calibrate, CalibrationLevel::BiasMinus10);
  Press(CalibrationActionKind::Store);

  std::string expected =
      "Calibration date=07/Mar/2024@14:05:09\r\nDAC@10V=28945\r\nDAC@1V=--\r\nDAC@0V=--\r\n"
      "DAC@-1V=-27575\r\nDAC@-10V=--\r\nADC0@10V=30000\r\nADC0@0V=--\r\nADC0@-10V=--\r\n"
      "ADC1@10V=-29000\r\nADC1@0V=--\r\nADC1@-10V=--\r\n50ohm=50\r\n100ohm=100\r\n200ohm=200\r\n"
      "500ohm=500\r\n1Kohm=1000\r\n2Kohm=2000\r\n5Kohm=5000\r\n10Kohm=10000\r\n";
  if (bias) expected += "DCBIAS@10V=--\r\nDCBIAS@-10V=3367\r\n";
  EXPECT_EQ(ReadFile("ORX_cal.txt"), expected);
  EXPECT_EQ(Count(expected, "\r\n"), bias ? 22 : 20);
  EXPECT_EQ(EepromText(), expected);
  EXPECT_TRUE(session->stored);
  EXPECT_EQ(calibration.lastCalibrationTime, "Calibration date=07/Mar/2024@14:05:09");
  EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Models, StoreTest,
                         ::testing::Values("ORXA", "ORXAP", "ORXB", "ORXC", "ORXCB"));

TEST_F(CalibrationTest, RefusedEepromKeepsThePreviousRecordAndSaysSo) {
  Open();
  {
    std::lock_guard<std::mutex> guard(device->lock);
    device->writeEeResult = 1;  // refused
  }
  Press(CalibrationActionKind::LoadDefaults);
  Press(CalibrationActionKind::Calibrate, CalibrationLevel::Plus10);
  Press(CalibrationActionKind::Store);
  EXPECT_FALSE(session->stored);
  EXPECT_EQ(EepromText(), kFactoryRecord);
  EXPECT_EQ(ReadFile("ORX_cal.txt"), kFactoryRecord);  // the file shows what the instrument has
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown.back().title, "Error #0102");
}

TEST_F(CalibrationTest, UnwritableFileStoresNothingAndSaysSo) {
  Open();
  std::filesystem::remove("ORX_cal.txt");
  std::filesystem::create_directory("ORX_cal.txt");  // cannot be replaced by a file
  Press(CalibrationActionKind::LoadDefaults);
  Press(CalibrationActionKind::Calibrate, CalibrationLevel::Plus10);
  Press(CalibrationActionKind::Store);
  EXPECT_FALSE(session->stored);
  EXPECT_EQ(EepromText(), kFactoryRecord);
  {
    std::lock_guard<std::mutex> guard(device->lock);
    EXPECT_EQ(device->writeEeCount, 0);
  }
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0101");
}

TEST_F(CalibrationTest, ClosingClearsStaticOutputAndLeavesTheLinkClosed) {
  Open();
  Press(CalibrationActionKind::SetOutput, CalibrationLevel::Plus10);
  EXPECT_EQ(state.registers[kControlRegister], 0x30);
  CloseCalibrationSession(*session);
  EXPECT_EQ(state.registers[kControlRegister], 0x20);
  EXPECT_EQ(state.usb.connected.load(), 0);
  // A second close of a closed link says nothing.
  CloseCalibrationSession(*session);
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace vanto::testing
