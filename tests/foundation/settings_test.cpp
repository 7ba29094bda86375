// The settings file: reading, appending defaults, rewriting, and the key
// table in order.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "foundation/settings.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_store.h"
#include "foundation/file_paths.h"
#include "foundation/text_lines.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class SettingsTest : public ::testing::Test {
 protected:
  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  Messages messages{clock, boxes};
  SettingsStore store{messages};
};

TEST_F(SettingsTest, FreshFileHoldsEveryKeyInTableOrderWithItsDefault) {
  Settings settings;
  LoadSettings(store, settings);
  const std::string expected =
      "ActiveInstrument=ORXA\r\n"
      "CheckWebsiteForUpdate=1\r\n"
      "OnlyLTSCheck=0\r\n"
      "DateOfLastUpdateCheck=1/1/2022\r\n"
      "ORX_ColourScope1Background=0\r\n"
      "ORX_ColourScope1Outline=34816\r\n"
      "ORX_ColourScope1Graticule=34816\r\n"
      "ORX_ColourScope1Text=16777215\r\n"
      "ORX_ColourScopeXCrosshair=34816\r\n"
      "ORX_ColourScopeXTraceLiveSig=255\r\n"
      "ORX_ColourScopeXTraceGoldenSig=42495\r\n"
      "ORX_ColourScopeXTraceDUTSig=16711680\r\n"
      "ORX_ColourBackground=1052688\r\n"
      "ORX_ColourPanel=7371891\r\n"
      "ORX_ColourPanelWindow=2228224\r\n"
      "ORX_ColourPanelText=16777215\r\n"
      "ORX_ColourHeader=0\r\n"
      "ORX_ColourHeaderText=34816\r\n"
      "ORX_Mode=Advanced\r\n"
      "ORX_DisplayView=2miniscopes+PCB+TestTree+BadTree\r\n"
      "ORX_TestPlanFileName=testplans\\demo1.ept\r\n"
      "ORX_TestPlanFileNameRecent1=untitled.ept\r\n"
      "ORX_TestPlanFileNameRecent2=untitled.ept\r\n"
      "ORX_TestPlanFileNameRecent3=untitled.ept\r\n"
      "ORX_TestPlanFileNameRecent4=untitled.ept\r\n"
      "ORX_TestPlanFileNameRecent5=untitled.ept\r\n"
      "ORX_TestPlanFileNameRecent6=untitled.ept\r\n"
      "ORX_TestPlanFileNameRecent7=untitled.ept\r\n"
      "ORX_TestPlanFileNameRecent8=untitled.ept\r\n"
      "ORX_Scope1GraticuleMode=On\r\n"
      "ORX_Scope1CrosshairMode=On\r\n"
      "ORX_ScopeXCrosshairMode=Off\r\n"
      "ORX_PCBCrosshairType=1 line\r\n"
      "ORX_Scope1HorizontalDivisions=5\r\n"
      "ORX_Scope1VerticalDivisions=5\r\n"
      "ORX_AllowSignatureOverwrite=0\r\n"
      "ORX_OpenCircuitDetectThreshold=0.50%\r\n"
      "ORX_StableSignatureDetectThreshold=1.00%\r\n"
      "ORX_SignatureCaptureDelay=10 cycles\r\n"
      "ORX_GoldenVsLiveThreshold=1.50%\r\n";
  EXPECT_EQ(ReadFile(kSettingsFileName), expected);
  // A second start finds every key and appends nothing.
  Settings again;
  LoadSettings(store, again);
  EXPECT_EQ(ReadFile(kSettingsFileName), expected);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsTest, ExistingValuesAreReadAndMissingKeysAppendedAfterThem) {
  WriteFile(kSettingsFileName, "ORX_Mode=Basic\r\nsomething unknown\r\n\r\nActiveInstrument=ORXC\r\n");
  Settings settings;
  LoadSettings(store, settings);
  EXPECT_EQ(settings.mode, "Basic");
  EXPECT_EQ(settings.activeInstrument, "ORXC");
  const std::string file = ReadFile(kSettingsFileName);
  auto lines = SplitLines(file);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "ORX_Mode=Basic");
  EXPECT_EQ(lines[1], "something unknown");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "ActiveInstrument=ORXC");
  EXPECT_EQ(lines[4], "CheckWebsiteForUpdate=1");
}

TEST_F(SettingsTest, EmptyValueCountsAsMissingAndALaterWriteReplacesBothLines) {
  WriteFile(kSettingsFileName, "ORX_Mode=\r\n");
  EXPECT_EQ(store.ReadTextSetting("Advanced", key::kMode), "Advanced");
  EXPECT_EQ(ReadFile(kSettingsFileName), "ORX_Mode=\r\nORX_Mode=Advanced\r\n");
  EXPECT_EQ(store.ReadTextSetting("Advanced", key::kMode), "Advanced");  // no third line
  store.WriteSetting(key::kMode, "Basic");
  EXPECT_EQ(ReadFile(kSettingsFileName), "ORX_Mode=Basic\r\nORX_Mode=Basic\r\n");
}

TEST_F(SettingsTest, KeyIsFoundInAnyLetterCaseAndRewrittenInTheCallersSpelling) {
  WriteFile(kSettingsFileName, "orx_mode=Basic\n");
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kMode), "Basic");
  store.WriteSetting(key::kMode, "Advanced");
  EXPECT_EQ(ReadFile(kSettingsFileName), "ORX_Mode=Advanced\r\n");
}

TEST_F(SettingsTest, LastMatchingLineWinsAndAWriteReplacesEveryMatch) {
  WriteFile(kSettingsFileName, "ORX_Mode=Basic\rOther=1\rORX_Mode=Advanced\r");
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kMode), "Advanced");
  store.WriteSetting(key::kMode, "Basic");
  EXPECT_EQ(ReadFile(kSettingsFileName), "ORX_Mode=Basic\r\nOther=1\r\nORX_Mode=Basic\r\n");
}

TEST_F(SettingsTest, ValueIsTheLineWithTheFirstOccurrenceOfTheKeyRemoved) {
  WriteFile(kSettingsFileName, "  # ORX_Mode= Basic \r\n");
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kMode), "  #  Basic ");
}

TEST_F(SettingsTest, HexColourIsReadAsItsValue) {
  WriteFile(kSettingsFileName, "ORX_ColourBackground=$FF0000\r\n");
  EXPECT_EQ(store.ReadIntSetting(1052688, key::kColourBackground), 16711680);
}

TEST_F(SettingsTest, UnparsableIntegerReadsAsZero) {
  WriteFile(kSettingsFileName, "CheckWebsiteForUpdate=yes\r\n");
  EXPECT_EQ(store.ReadIntSetting(1, key::kCheckWebsiteForUpdate), 0);
}

TEST_F(SettingsTest, WriteOfAMissingKeyOrIntoAMissingFileChangesNothing) {
  WriteFile(kSettingsFileName, "ActiveInstrument=ORXB\r\n");
  store.WriteSetting(key::kMode, "Basic");
  EXPECT_EQ(ReadFile(kSettingsFileName), "ActiveInstrument=ORXB\r\n");
  store.WriteSetting("absent.txt", key::kMode, "Basic");
  EXPECT_FALSE(FileReadable("absent.txt"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsTest, FailedWriteLeavesTheOldSettingsWholeAndSaysSo) {
  const std::string before = "ORX_Mode=Basic\r\nActiveInstrument=ORXB\r\n";
  WriteFile(kSettingsFileName, before);
  ASSERT_EQ(::mkdir(kSettingsTemporaryName, 0755), 0);  // "tmp.txt" cannot be created
  store.WriteSetting(key::kMode, "Advanced");
  EXPECT_EQ(ReadFile(kSettingsFileName), before);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0009");
  EXPECT_EQ(boxes.shown[0].body,
            "'ORX_settings.txt' error whilst trying to rename 'tmp.txt' to ORX_settings.txt");
}

TEST_F(SettingsTest, SuccessfulWriteLeavesNoTemporaryFile) {
  WriteFile(kSettingsFileName, "ORX_Mode=Basic\r\n");
  store.WriteSetting(key::kMode, "Advanced");
  EXPECT_FALSE(FileReadable(kSettingsTemporaryName));
}

TEST_F(SettingsTest, AValueWithALineEndCannotSplitIntoAStrayLine) {
  // A file name from a requester may carry a line end; written as it is,
  // its tail would become a setting of its own.
  for (const char* end : {"\r\n", "\n", "\r"}) {
    WriteFile(kSettingsFileName, "ORX_TestPlanFileName=a.ept\r\nORX_Mode=Advanced\r\n");
    store.WriteSetting(key::kTestPlanFileName, std::string("b.ept") + end + "ORX_Mode=Basic");
    EXPECT_EQ(ReadFile(kSettingsFileName),
              "ORX_TestPlanFileName=b.eptORX_Mode=Basic\r\nORX_Mode=Advanced\r\n")
        << "line end " << (end[0] == '\r' ? "CR" : "LF");
    EXPECT_EQ(ReadSetting(kSettingsFileName, key::kMode), "Advanced");
  }
  // A default appended on reading goes on one line too.
  WriteFile(kSettingsFileName, "");
  store.ReadTextSetting("x\r\nORX_Mode=Basic", key::kPcbCrosshairType);
  EXPECT_EQ(ReadFile(kSettingsFileName), "ORX_PCBCrosshairType=xORX_Mode=Basic\r\n");
}

TEST_F(SettingsTest, AppendAfterALastLineWithoutLineEndStartsANewLine) {
  WriteFile(kSettingsFileName, "ORX_Mode=Basic");
  EXPECT_EQ(store.ReadTextSetting("On", key::kScope1GraticuleMode), "On");
  EXPECT_EQ(ReadFile(kSettingsFileName), "ORX_Mode=Basic\r\nORX_Scope1GraticuleMode=On\r\n");
}

TEST_F(SettingsTest, ReadSettingServesOtherFilesAndGivesEmptyWhenMissing) {
  WriteFile("ORX_cal.txt", "DACgain=1.25\r\n");
  EXPECT_EQ(ReadSetting("ORX_cal.txt", "dacgain"), "1.25");
  EXPECT_EQ(ReadSetting("ORX_cal.txt", "ADCgain"), "");
  EXPECT_EQ(ReadSetting("missing.txt", "DACgain"), "");
}

}  // namespace
}  // namespace vanto
