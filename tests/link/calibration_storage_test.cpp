// The calibration record in the EEPROM and "ORX_cal.txt", and the tables
// derived from it.
#include "link/calibration_storage.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "foundation/file_paths.h"
#include "link/command_records.h"
#include "link/generator_apply.h"
#include "link/link_fixture.h"

namespace vanto::testing {
namespace {

using CalibrationStorageTest = LinkTest;

TEST_F(CalibrationStorageTest, FileBytesGoTwoPerWordLowByteFirst) {
  Open();
  WriteFile("cal.txt", "AB=1\n");
  device->eeprom.fill(0xFFFF);
  WriteFileToEeprom(link, "cal.txt");
  EXPECT_EQ(device->eeprom[128], 0x4241);
  EXPECT_EQ(device->eeprom[129], 0x313D);
  EXPECT_EQ(device->eeprom[130], 0x000A);
  for (int word = 131; word <= 1023; ++word) {
    ASSERT_EQ(device->eeprom[static_cast<std::size_t>(word)], 0) << "word " << word;
  }
  // The descriptor area is not touched.
  EXPECT_EQ(device->eeprom[127], 0xFFFF);
  EXPECT_EQ(device->writeEeCount, 896);

  DumpEepromToFile(link, "back.txt");
  EXPECT_EQ(ReadFile("back.txt"), "AB=1\n");
}

TEST_F(CalibrationStorageTest, AFileLongerThan1792BytesIsCut) {
  Open();
  std::string text;
  for (int i = 0; i < 1800; ++i) text.push_back(static_cast<char>('a' + i % 26));
  WriteFile("long.txt", text);
  WriteFileToEeprom(link, "long.txt");
  const unsigned last =
      (static_cast<unsigned char>(text[1791]) << 8) | static_cast<unsigned char>(text[1790]);
  EXPECT_EQ(device->eeprom[1023], last);
  DumpEepromToFile(link, "back.txt");
  EXPECT_EQ(ReadFile("back.txt"), text.substr(0, 1792));
}

TEST_F(CalibrationStorageTest, AnOddLengthEndsWithAZeroHighByte) {
  Open();
  WriteFile("odd.txt", "XYZ");
  WriteFileToEeprom(link, "odd.txt");
  EXPECT_EQ(device->eeprom[128], ('Y' << 8) | 'X');
  EXPECT_EQ(device->eeprom[129], 'Z');
}

TEST_F(CalibrationStorageTest, ZeroBytesAreDroppedWhenDumping) {
  Open();
  device->eeprom[128] = 0x4100;  // low 0, high 'A'
  device->eeprom[500] = 0x0042;  // 'B', high 0
  device->eeprom[1023] = 0x4443;
  DumpEepromToFile(link, "dump.txt");
  EXPECT_EQ(ReadFile("dump.txt"), "ABCD");
  ASSERT_EQ(device->readEeAddresses.size(), 896u);
  EXPECT_EQ(device->readEeAddresses.front(), 128u);
  EXPECT_EQ(device->readEeAddresses.back(), 1023u);
}

TEST_F(CalibrationStorageTest, DumpTruncatesAnOldFile) {
  Open();
  WriteFile("dump.txt", "an older and much longer calibration text");
  device->StoreCalibrationText("K=1\r\n");
  DumpEepromToFile(link, "dump.txt");
  EXPECT_EQ(ReadFile("dump.txt"), "K=1\r\n");
}

TEST_F(CalibrationStorageTest, AnUnreadableFileLeavesTheEepromAndTellsTheOperator) {
  Open();
  device->StoreCalibrationText("DAC@0V=7\r\n");
  const auto before = device->eeprom;
  WriteFileToEeprom(link, "missing.txt");
  ::mkdir("a_folder.txt", 0700);
  WriteFileToEeprom(link, "a_folder.txt");
  EXPECT_EQ(device->eeprom, before);
  EXPECT_EQ(device->writeEeCount, 0);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0067");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Error);
  EXPECT_EQ(Count(Log(), kCalibrationFileUnreadable), 2);
}

TEST_F(CalibrationStorageTest, AnEmptyFileClearsTheArea) {
  Open();
  device->StoreCalibrationText("DAC@0V=7\r\n");
  WriteFile("empty.txt", "");
  WriteFileToEeprom(link, "empty.txt");
  EXPECT_EQ(device->writeEeCount, 896);
  EXPECT_EQ(device->eeprom[128], 0);
}

TEST_F(CalibrationStorageTest, NothingHappensWhileClosed) {
  WriteFile("cal.txt", "AB=1\n");
  WriteFileToEeprom(link, "cal.txt");
  DumpEepromToFile(link, "dump.txt");
  LoadCalibration(link);
  EXPECT_EQ(device->writeEeCount, 0);
  EXPECT_TRUE(device->readEeAddresses.empty());
  EXPECT_FALSE(FileReadable("dump.txt"));
  EXPECT_FALSE(FileReadable(kCalibrationFileName));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(CalibrationStorageTest, LoadCalibrationDerivesTheTables) {
  Open();
  const std::string text = CalibrationText({{"DAC@10V", 31000},
                                            {"DAC@1V", 29550},
                                            {"DAC@0V", 1203},
                                            {"DAC@-1V", -27575},
                                            {"DAC@-10V", -29000},
                                            {"ADC0@10V", 30000},
                                            {"ADC0@0V", 12},
                                            {"ADC0@-10V", -30000},
                                            {"ADC1@10V", 31000},
                                            {"ADC1@0V", 40},
                                            {"ADC1@-10V", -29000},
                                            {"50ohm", 50},
                                            {"10Kohm", 10000},
                                            {"DCBIAS@10V", 29198},
                                            {"DCBIAS@-10V", 3367}});
  device->StoreCalibrationText(text);
  LoadCalibration(link);
  EXPECT_EQ(ReadFile(kCalibrationFileName), text);

  const GeneratorSettings& g = state.generator;
  // Low range: (29550 + 27575) = 57125 x 0.2 .. 1.0; high range: 60000 x 0.2 .. 1.0.
  const std::int32_t amplitudes[] = {0,     11425, 22850, 34275, 45700, 57125, 12000,
                                     18000, 24000, 30000, 60000, 65535, 65535};
  for (std::size_t i = 0; i < 13; ++i) {
    EXPECT_EQ(g.amplitudeCode[i], amplitudes[i]) << kPeakCodeKeysMv[i] << " mV";
    EXPECT_EQ(g.offsetCode[i], i < 11 ? 1203 : 0) << kPeakCodeKeysMv[i] << " mV";
  }
  EXPECT_FLOAT_EQ(state.adc.gain0, 20.0f / 60000.0f);
  EXPECT_FLOAT_EQ(state.adc.offset0, 0.0f);
  // ADC1: -10 V at -29000, +10 V at 31000.
  EXPECT_FLOAT_EQ(state.adc.gain1, 20.0f / 60000.0f);
  EXPECT_NEAR(state.adc.offset1, -1000.0f, 0.01f);
  EXPECT_NEAR((31000 + state.adc.offset1) * state.adc.gain1, 10.0f, 1e-4f);
  EXPECT_NEAR((-29000 + state.adc.offset1) * state.adc.gain1, -10.0f, 1e-4f);
  EXPECT_FLOAT_EQ(g.dcGain, 1291.55f);
  EXPECT_FLOAT_EQ(g.dcZero, 16282.5f);
}

TEST_F(CalibrationStorageTest, CalibratedLevelsReachTheRegisters) {
  Open();
  device->StoreCalibrationText(CalibrationText(
      {{"DAC@1V", 29550}, {"DAC@-1V", -27575}, {"DCBIAS@10V", 29198}, {"DCBIAS@-10V", 3367}}));
  LoadCalibration(link);
  EXPECT_EQ(state.generator.amplitudeCode[1], 11425);
  EXPECT_EQ(state.generator.amplitudeCode[5], 57125);

  state.generator.appliedMv = 200;
  state.generator.dcLevel = 0.0f;
  ApplyGeneratorSettings(link);
  EXPECT_EQ(state.registers[kAmplitudeRegister], 11425);
  EXPECT_EQ(state.registers[kDcCodeRegister], 16282);  // 16282.5, half to even
  EXPECT_EQ(state.registers[kDcZeroRegister], 16282);
  state.generator.dcLevel = 3.3f;
  ApplyGeneratorSettings(link);
  EXPECT_EQ(state.registers[kDcCodeRegister], 20545);
}

TEST_F(CalibrationStorageTest, AnEmptyAreaZeroesTheCodesButKeepsTheAdcScaling) {
  Open();
  state.adc = AdcCalibration{0.5f, 1.0f, 0.25f, 2.0f};
  state.generator.amplitudeCode[3] = 99;
  state.generator.dcGain = 7.0f;
  LoadCalibration(link);
  EXPECT_EQ(ReadFile(kCalibrationFileName), "");
  EXPECT_EQ(state.generator.amplitudeCode[3], 0);
  EXPECT_EQ(state.generator.amplitudeCode[11], 65535);
  EXPECT_EQ(state.adc.gain0, 0.5f);
  EXPECT_EQ(state.adc.offset1, 2.0f);
  EXPECT_EQ(state.generator.dcGain, 0.0f);
  EXPECT_EQ(state.generator.dcZero, 0.0f);
}

TEST_F(CalibrationStorageTest, AnOrxaRecordHasNoDcBias) {
  Open();
  device->StoreCalibrationText(
      CalibrationText({{"DAC@0V", 5}, {"ADC0@10V", 100}, {"ADC0@-10V", -100}}));
  LoadCalibration(link);
  EXPECT_EQ(state.generator.dcGain, 0.0f);
  EXPECT_EQ(state.generator.dcZero, 0.0f);
  EXPECT_FLOAT_EQ(state.adc.gain0, 0.1f);
}

}  // namespace
}  // namespace vanto::testing
