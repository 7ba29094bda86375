// The EEPROM's calibration area: the factory calibration text on first use,
// and words written by the host surviving an unload and reload.
#include <filesystem>

#include "sim/sim_session.h"

namespace vanto::testing {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

struct FactoryCase {
  const char* model;
  std::size_t lines;
  bool dcBias;
};

void PrintTo(const FactoryCase& c, std::ostream* os) {
  *os << c.model;
}

class FactoryCalibration : public SimSession, public ::testing::WithParamInterface<FactoryCase> {};

TEST_P(FactoryCalibration, HoldsEveryKeyOfTheModelInCrLfLines) {
  Configure(std::string("model=") + GetParam().model + "\n");
  OpenDevice();
  const std::string text = CalibrationText();
  std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), GetParam().lines) << text;
  EXPECT_EQ(lines[0].rfind("Calibration date=", 0), 0u);
  const char* keys[] = {"DAC@10V",   "DAC@1V",  "DAC@0V",    "DAC@-1V",  "DAC@-10V",
                        "ADC0@10V",  "ADC0@0V", "ADC0@-10V", "ADC1@10V", "ADC1@0V",
                        "ADC1@-10V", "50ohm",   "100ohm",    "200ohm",   "500ohm",
                        "1Kohm",     "2Kohm",   "5Kohm",     "10Kohm"};
  for (std::size_t i = 0; i < std::size(keys); ++i) {
    EXPECT_EQ(lines[i + 1].rfind(std::string(keys[i]) + "=", 0), 0u) << lines[i + 1];
  }
  EXPECT_EQ(HasKey(text, "DCBIAS@10V"), GetParam().dcBias);
  EXPECT_EQ(HasKey(text, "DCBIAS@-10V"), GetParam().dcBias);
  // The file holds the area as stored: the text, then zeros, 1792 bytes.
  std::string file = ReadFile("orx_sim_eeprom.bin");
  ASSERT_EQ(file.size(), 1792u);
  EXPECT_EQ(file.substr(0, text.size()), text);
  EXPECT_EQ(file.find_first_not_of('\0', text.size()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Models, FactoryCalibration,
                         ::testing::Values(FactoryCase{"ORXA", 20, false},
                                           FactoryCase{"ORXAP", 20, false},
                                           FactoryCase{"ORXB", 22, true},
                                           FactoryCase{"ORXCB", 22, true}));

class EepromTest : public SimSession {
 protected:
  // The host's copy of a file into the area: two bytes per word, low first,
  // zero words after the end.
  void WriteArea(const std::string& bytes) {
    for (Dword address = 128; address < 1024; ++address) {
      std::size_t at = (address - 128) * 2;
      unsigned low = at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0u;
      unsigned high = at + 1 < bytes.size() ? static_cast<unsigned char>(bytes[at + 1]) : 0u;
      ASSERT_EQ(sim_.api.WriteEE(handle_, address, static_cast<Word>(high * 256 + low)), 0u);
    }
  }
  std::vector<Word> ReadArea() {
    std::vector<Word> words(1024);
    for (Dword address = 128; address < 1024; ++address) {
      sim_.api.ReadEE(handle_, address, &words[address]);
    }
    return words;
  }
};

TEST_F(EepromTest, WrittenAreaSurvivesUnloadAndReload) {
  Configure("model=ORXB\neeprom_file=unit7.bin\n");
  OpenDevice();
  WriteArea("AB=1\n");
  CloseDevice();
  sim_.Unload();
  sim_.Load();
  OpenDevice();
  std::vector<Word> words = ReadArea();
  EXPECT_EQ(words[128], 0x4241);
  EXPECT_EQ(words[129], 0x313D);
  EXPECT_EQ(words[130], 0x000A);
  for (std::size_t address = 131; address < 1024; ++address) {
    ASSERT_EQ(words[address], 0) << "word " << address;
  }
  EXPECT_EQ(CalibrationText(), "AB=1\n");
}

TEST_F(EepromTest, EmptyFileNameKeepsTheAreaInMemoryOnly) {
  Configure("model=ORXA\neeprom_file=\n");
  OpenDevice();
  const std::string factory = CalibrationText();
  WriteArea("X=2\r\n");
  EXPECT_EQ(CalibrationText(), "X=2\r\n");
  CloseDevice();
  OpenDevice();
  EXPECT_EQ(CalibrationText(), factory);
  EXPECT_FALSE(std::filesystem::exists("orx_sim_eeprom.bin"));
}

}  // namespace
}  // namespace vanto::testing
