// The menu commands on the application context: settings changed in
// memory and in "ORX_settings.txt", what must be redrawn, the boxes, and
// the hand-over of the other features' entries.
#include "app/menu_commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "foundation/settings_keys.h"
#include "support/fakes.h"
#include "support/process_locale.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::ReadFile;

class RecordingHooks final : public MenuCommandHooks {
 public:
  void NewPlan() override { calls.push_back("NewPlan"); }
  void OpenPlan() override { calls.push_back("OpenPlan"); }
  void SavePlan() override { calls.push_back("SavePlan"); }
  void OpenRecentPlan(int index) override {
    calls.push_back("OpenRecentPlan " + std::to_string(index));
  }
  void Connect() override { calls.push_back("Connect"); }
  void Disconnect() override { calls.push_back("Disconnect"); }
  void CollapseTestTree() override { calls.push_back("CollapseTestTree"); }
  void OpenDisplayColours() override { calls.push_back("OpenDisplayColours"); }
  void OpenCalibration() override { calls.push_back("OpenCalibration"); }
  bool SettleUnsavedPlan() override {
    ++settleAsked;
    return settle;
  }

  std::vector<std::string> calls;
  bool settle = true;  // false: the user cancels the save question
  int settleAsked = 0;
};

class MenuCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A settings file as the first start leaves it: every key with its default.
    LoadSettings(context.settingsStore, context.settings);
    context.app.activeModel = "ORXA";
    context.app.menuModel = "ORXA";
  }

  MenuOutcome Run(MenuCommand command) { return RunMenuCommand(context, command, hooks); }

  std::string FileValue(const char* key) { return ReadSetting(kSettingsFileName, key); }

  MenuCheckState Checks() const { return {context.settings, context.app.menuModel, false}; }

  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  RecordingHooks hooks;
};

TEST_F(MenuCommandTest, ChoosingAThresholdStoresItsValueRefreshesAndLeavesTheScopes) {
  const MenuOutcome outcome = Run(MenuCommand::GoldenVsLive075);
  EXPECT_EQ(context.settings.goldenVsLiveThreshold, "0.75%");
  EXPECT_EQ(FileValue(key::kGoldenVsLiveThreshold), "0.75%");
  EXPECT_TRUE(outcome.refreshInterface);
  EXPECT_FALSE(outcome.displayRefresh);
  EXPECT_FALSE(outcome.instrumentMarks);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MenuCommandTest, AHandEditedGoldenThresholdIsReplacedByTheChosenEntry) {
  context.settings.goldenVsLiveThreshold = "2.5%";
  context.settingsStore.WriteSetting(key::kGoldenVsLiveThreshold, "2.5%");
  for (MenuCommand command : CheckMarkOrder()) {
    const auto choice = ChoiceOfCommand(command);
    if (choice && std::string(choice->key) == key::kGoldenVsLiveThreshold) {
      EXPECT_FALSE(MenuChecked(command, Checks())) << FindMenuEntry(command)->label;
    }
  }
  Run(MenuCommand::GoldenVsLive300);
  EXPECT_EQ(context.settings.goldenVsLiveThreshold, "3.00%");
  EXPECT_EQ(FileValue(key::kGoldenVsLiveThreshold), "3.00%");
  EXPECT_TRUE(MenuChecked(MenuCommand::GoldenVsLive300, Checks()));
  EXPECT_FALSE(MenuChecked(MenuCommand::GoldenVsLive150, Checks()));
}

TEST_F(MenuCommandTest, TheDelayEntriesStoreTheirValuesWithoutTheLeadingSpace) {
  Run(MenuCommand::StableDelay2);
  EXPECT_EQ(FileValue(key::kSignatureCaptureDelay), "2 cycles");
  EXPECT_TRUE(MenuChecked(MenuCommand::StableDelay2, Checks()));
  Run(MenuCommand::StableDelay20);
  EXPECT_EQ(context.settings.signatureCaptureDelay, "20 cycles");
  EXPECT_FALSE(MenuChecked(MenuCommand::StableDelay2, Checks()));
}

TEST_F(MenuCommandTest, OverwriteTogglesBetweenZeroAndOneAndAHandEditedFiveBecomesZero) {
  context.settings.allowSignatureOverwrite = 5;
  context.settingsStore.WriteSetting(key::kAllowSignatureOverwrite, 5);
  EXPECT_FALSE(MenuChecked(MenuCommand::AllowSignatureOverwrite, Checks()));

  const std::vector<std::pair<int, const char*>> steps = {{0, "0"}, {1, "1"}, {0, "0"}};
  for (const auto& [value, text] : steps) {
    const MenuOutcome outcome = Run(MenuCommand::AllowSignatureOverwrite);
    EXPECT_TRUE(outcome.refreshInterface);
    EXPECT_EQ(context.settings.allowSignatureOverwrite, value);
    EXPECT_EQ(FileValue(key::kAllowSignatureOverwrite), text);
    EXPECT_EQ(MenuChecked(MenuCommand::AllowSignatureOverwrite, Checks()), value == 1);
  }
}

TEST_F(MenuCommandTest, ReleaseCheckEntriesToggleTheirFlags) {
  Run(MenuCommand::DailyCheckForReleases);
  EXPECT_EQ(context.settings.checkWebsiteForUpdate, 0);
  EXPECT_EQ(FileValue(key::kCheckWebsiteForUpdate), "0");
  Run(MenuCommand::OnlyLtsReleases);
  EXPECT_EQ(context.settings.onlyLtsCheck, 1);
  EXPECT_EQ(FileValue(key::kOnlyLtsCheck), "1");
  EXPECT_TRUE(MenuChecked(MenuCommand::OnlyLtsReleases, Checks()));
  EXPECT_FALSE(MenuChecked(MenuCommand::DailyCheckForReleases, Checks()));
}

TEST_F(MenuCommandTest, ScopeOptionsAlsoAskForADisplayRefresh) {
  struct Row {
    MenuCommand command;
    const char* key;
    const char* value;
  };
  for (const Row& row : std::vector<Row>{
           {MenuCommand::GraticuleOff, key::kScope1GraticuleMode, "Off"},
           {MenuCommand::CrosshairsClassic, key::kScope1CrosshairMode, "Classic"},
           {MenuCommand::MiniScopeCrosshairsOn, key::kScopeXCrosshairMode, "On"},
           {MenuCommand::PcbCrosshairs3Line, key::kPcbCrosshairType, "3 line"},
       }) {
    const MenuOutcome outcome = Run(row.command);
    EXPECT_TRUE(outcome.refreshInterface) << row.key;
    EXPECT_TRUE(outcome.displayRefresh) << row.key;
    EXPECT_EQ(FileValue(row.key), row.value);
  }
}

TEST_F(MenuCommandTest, ModeAndViewEntriesStoreTheirTexts) {
  Run(MenuCommand::ModeCompact);
  EXPECT_EQ(context.settings.mode, "Basic");
  EXPECT_EQ(FileValue(key::kMode), "Basic");
  const MenuOutcome outcome = Run(MenuCommand::ViewThreeMiniScopesPcbTestTree);
  EXPECT_TRUE(outcome.refreshInterface);
  EXPECT_EQ(context.settings.displayView, "3miniscopes+PCB+TestTree");
  EXPECT_EQ(FileValue(key::kDisplayView), "3miniscopes+PCB+TestTree");
  Run(MenuCommand::ModeAdvanced);
  EXPECT_EQ(FileValue(key::kMode), "Advanced");
}

TEST_F(MenuCommandTest, ChangeInstrumentNamesTheModelForTheNextStartOnly) {
  const MenuOutcome outcome = Run(MenuCommand::InstrumentOrxb);
  EXPECT_EQ(FileValue(key::kActiveInstrument), "ORXB");
  EXPECT_EQ(FileValue(key::kDateOfLastUpdateCheck), "01/01/2021");
  EXPECT_EQ(context.app.menuModel, "ORXB");
  EXPECT_EQ(context.app.activeModel, "ORXA");  // this run keeps its model
  EXPECT_TRUE(outcome.instrumentMarks);
  EXPECT_FALSE(outcome.refreshInterface);
  EXPECT_TRUE(MenuChecked(MenuCommand::InstrumentOrxb, Checks()));
  EXPECT_FALSE(MenuChecked(MenuCommand::InstrumentOrxa, Checks()));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Info");
  EXPECT_EQ(boxes.shown[0].body, "Change will take effect when you restart VANTO");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Information);
}

TEST_F(MenuCommandTest, NewCreatesAPlanOnlyInTheAdvancedMode) {
  struct Row {
    const char* mode;
    bool planCreated;
    bool infoShown;
  };
  for (const Row& row : std::vector<Row>{{"Advanced", true, false},
                                         {"Basic", false, true},
                                         {"Basic-Auto", false, true},
                                         {"Expert", false, false}}) {
    hooks.calls.clear();
    boxes.shown.clear();
    context.settings.mode = row.mode;
    Run(MenuCommand::New);
    EXPECT_EQ(hooks.calls == std::vector<std::string>{"NewPlan"}, row.planCreated) << row.mode;
    EXPECT_EQ(!boxes.shown.empty(), row.infoShown) << row.mode;
    if (row.infoShown) {
      EXPECT_EQ(boxes.shown[0].title, "Info #0063");
      EXPECT_EQ(boxes.shown[0].body, "This function is only available in Advanced mode.");
      EXPECT_NE(
          ReadFile("log.txt").find("Info #0063 This function is only available in Advanced mode."),
          std::string::npos);
    }
  }
}

TEST_F(MenuCommandTest, CommandsThatDropThePlanAskFirstAndACancelCallsThemOff) {
  const std::string before = ReadFile(kSettingsFileName);
  for (MenuCommand command : {MenuCommand::New, MenuCommand::Open, MenuCommand::OpenRecent1,
                              MenuCommand::OpenRecent8, MenuCommand::InstrumentOrxb}) {
    hooks = RecordingHooks{};
    hooks.settle = false;
    boxes.shown.clear();
    Run(command);
    EXPECT_EQ(hooks.settleAsked, 1) << static_cast<int>(command);
    EXPECT_TRUE(hooks.calls.empty()) << static_cast<int>(command);
    EXPECT_TRUE(boxes.shown.empty()) << static_cast<int>(command);
  }
  EXPECT_EQ(ReadFile(kSettingsFileName), before);  // Change Instrument wrote nothing
  EXPECT_EQ(context.app.menuModel, "ORXA");

  hooks = RecordingHooks{};
  Run(MenuCommand::OpenRecent1);
  Run(MenuCommand::InstrumentOrxb);
  EXPECT_EQ(hooks.settleAsked, 2);
  EXPECT_EQ(hooks.calls, std::vector<std::string>{"OpenRecentPlan 0"});
  EXPECT_EQ(FileValue(key::kActiveInstrument), "ORXB");
}

TEST_F(MenuCommandTest, CommandsThatKeepThePlanDoNotAsk) {
  for (MenuCommand command : {MenuCommand::Save, MenuCommand::Connect, MenuCommand::Disconnect,
                              MenuCommand::CollapseTestTree, MenuCommand::About}) {
    Run(command);
  }
  context.settings.mode = "Basic";
  Run(MenuCommand::New);  // refused before anything would be dropped
  EXPECT_EQ(hooks.settleAsked, 0);
}

TEST_F(MenuCommandTest, OtherFeaturesEntriesGoToTheirHooksAndChangeNoSetting) {
  const std::string before = ReadFile(kSettingsFileName);
  struct Row {
    MenuCommand command;
    const char* call;
  };
  for (const Row& row : std::vector<Row>{
           {MenuCommand::Open, "OpenPlan"},
           {MenuCommand::Save, "SavePlan"},
           {MenuCommand::OpenRecent1, "OpenRecentPlan 0"},
           {MenuCommand::OpenRecent8, "OpenRecentPlan 7"},
           {MenuCommand::Connect, "Connect"},
           {MenuCommand::Disconnect, "Disconnect"},
           {MenuCommand::CollapseTestTree, "CollapseTestTree"},
           {MenuCommand::DisplayColours, "OpenDisplayColours"},
           {MenuCommand::CalibrateDacAdc, "OpenCalibration"},
       }) {
    hooks.calls.clear();
    const MenuOutcome outcome = Run(row.command);
    EXPECT_EQ(hooks.calls, std::vector<std::string>{row.call});
    EXPECT_FALSE(outcome.refreshInterface) << row.call;
  }
  EXPECT_EQ(ReadFile(kSettingsFileName), before);
  EXPECT_TRUE(boxes.shown.empty());
}

class AboutInLocale : public testing::EachLocaleTest {};

TEST_P(AboutInLocale, NamesTheVersionWithAPoint) {
  EXPECT_EQ(AboutText().substr(0, AboutText().find('\n')), "VANTO V22.001");
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(AboutInLocale);

TEST_F(MenuCommandTest, AboutAndSupportShowTheirInformationBoxes) {
  Run(MenuCommand::About);
  Run(MenuCommand::SupportInfo);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].title, "About");
  EXPECT_NE(boxes.shown[0].body.find("VANTO V22.001"), std::string::npos);
  EXPECT_EQ(boxes.shown[1].title, "Support");
  EXPECT_EQ(boxes.shown[1].body,
            std::string("visit: ") + kSupportWebSite + " or email: support@vanto-analyser.org");
  EXPECT_EQ(boxes.shown[1].body.find('\n'), std::string::npos);  // one line
  // Neither box is a coded message, so neither is logged.
  EXPECT_EQ(ReadFile("log.txt"), "");
}

// The key list names every key the ribbon installs, each with the tool
// tip text of its control, and nothing for controls without a key.
TEST_F(MenuCommandTest, KeyboardAndFootswitchListsEveryKeyWithItsControl) {
  const MenuOutcome outcome = Run(MenuCommand::KeyboardAndFootswitch);
  EXPECT_FALSE(outcome.refreshInterface);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Information);
  EXPECT_EQ(boxes.shown[0].title, "Keyboard and footswitch");
  // The key lines stand between the two blank lines, in ribbon order.
  const std::string& body = boxes.shown[0].body;
  const std::size_t first = body.find("\n\n");
  const std::size_t last = body.rfind("\n\n");
  ASSERT_LT(first, last);
  EXPECT_EQ(body.substr(first + 2, last - first - 1),
            "Left or PgUp: Goto previous Pin/record\n"
            "Right or PgDown: Goto next Pin/record\n"
            "Home: Goto first record\n"
            "End: Goto last record\n"
            "G: GOOD, or capture the golden signature in capture mode\n"
            "B: BAD\n");
  EXPECT_NE(body.find("footswitch"), std::string::npos);
  EXPECT_EQ(ReadFile("log.txt"), "");
}

TEST_F(MenuCommandTest, WithoutASettingsFileTheChoiceStillHoldsInMemory) {
  std::remove(kSettingsFileName);
  Run(MenuCommand::GoldenVsLive500);
  EXPECT_EQ(context.settings.goldenVsLiveThreshold, "5.00%");
  EXPECT_EQ(ReadFile(kSettingsFileName), "");
}

}  // namespace
}  // namespace vanto
