// The window-free start-up steps: model check and title, the daily release
// check decision, the plan file fall-back, the main loop's event flags.
#include "app/startup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "foundation/file_paths.h"
#include "foundation/settings_keys.h"
#include "foundation/text_lines.h"
#include "support/fakes.h"
#include "support/pipe_guard.h"
#include "support/process_locale.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class StartupTest : public ::testing::Test {
 protected:
  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};

  std::vector<std::string> LogTexts() {
    std::vector<std::string> texts;
    const std::string log = ReadFile("log.txt");
    for (auto line : SplitLines(log)) texts.emplace_back(line.substr(23));
    return texts;
  }
};

TEST_F(StartupTest, EmptyFolderGivesDefaultsAndTheOrxaTitle) {
  LoadSettingsAndModel(context);
  EXPECT_EQ(context.app.activeModel, "ORXA");
  EXPECT_EQ(MainWindowCaption(context.app), "Quillotek - ORXA Analog Signature Analyser V22.001");
  EXPECT_EQ(LogTexts(), std::vector<std::string>{"ORX32.EXE start-up, activeinstrument:ORXA"});
  EXPECT_EQ(context.app.currentPlanFile, "testplans\\demo1.ept");
}

class StartupInLocale : public testing::EachLocaleTest {
 protected:
  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
};

TEST_P(StartupInLocale, TitleShowsTheVersionWithAPoint) {
  LoadSettingsAndModel(context);
  EXPECT_EQ(MainWindowCaption(context.app), "Quillotek - ORXA Analog Signature Analyser V22.001");
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(StartupInLocale);

TEST_F(StartupTest, EveryModelGetsItsTitleAndLogLine) {
  for (const char* model : {"ORXA", "ORXAP", "ORXB", "ORXC", "ORXCB"}) {
    testing::TempWorkdir inner;
    testing::FakeClock innerClock;
    testing::RecordingBoxes innerBoxes;
    AppContext c(innerClock, innerBoxes);
    WriteFile(kSettingsFileName, std::string("ActiveInstrument=") + model + "\r\n");
    LoadSettingsAndModel(c);
    EXPECT_EQ(c.app.activeModel, model);
    EXPECT_EQ(c.app.windowTitle, std::string("Quillotek - ") + model + " Analog Signature Analyser");
    const std::string log = ReadFile("log.txt");
    auto lines = SplitLines(log);
    ASSERT_EQ(lines.size(), 1u) << model;
    EXPECT_EQ(lines[0].substr(23), std::string("ORX32.EXE start-up, activeinstrument:") + model);
  }
}

TEST_F(StartupTest, ModelInOtherLetterCaseFallsBackToOrxaAndKeepsTheFile) {
  WriteFile(kSettingsFileName, "ActiveInstrument=orxb\r\n");
  LoadSettingsAndModel(context);
  EXPECT_EQ(context.app.activeModel, "ORXA");
  EXPECT_EQ(context.app.menuModel, "orxb");
  EXPECT_EQ(MainWindowCaption(context.app), "Quillotek - ORXA Analog Signature Analyser V22.001");
  EXPECT_EQ(LogTexts(),
            (std::vector<std::string>{"ORX32.EXE start-up, cannot find legal instrument name, "
                                      "defaulting 'activeinstrument$' to 'ORXA'",
                                      "ORX32.EXE start-up, activeinstrument:ORXA"}));
  EXPECT_EQ(SplitLines(ReadFile(kSettingsFileName))[0], "ActiveInstrument=orxb");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupTest, ByteOrderMarkStaysInFrontOfTheFirstValue) {
  WriteFile(kSettingsFileName, "\xEF\xBB\xBF" "ActiveInstrument=ORXB\r\n");
  LoadSettingsAndModel(context);
  EXPECT_EQ(context.settings.activeInstrument, "\xEF\xBB\xBF" "ORXB");
  EXPECT_EQ(context.app.activeModel, "ORXA");
}

TEST_F(StartupTest, ReleaseCheckRunsOnceADayOnlyWhenSwitchedOnWithOne) {
  LoadSettingsAndModel(context);  // default date "1/1/2022", check on
  clock.calendar = {2023, 3, 7, 9, 0, 0};
  EXPECT_TRUE(ReleaseCheckDue(context));
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kDateOfLastUpdateCheck), "07/03/2023");
  EXPECT_FALSE(ReleaseCheckDue(context));  // same day again

  clock.calendar = {2023, 3, 8, 9, 0, 0};
  context.settings.checkWebsiteForUpdate = 2;
  EXPECT_FALSE(ReleaseCheckDue(context));
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kDateOfLastUpdateCheck), "07/03/2023");
}

TEST_F(StartupTest, MissingPlansFallBackToAnUntitledPlanOfCommas) {
  LoadSettingsAndModel(context);
  EnsureTestPlanFile(context);
  struct stat info {};
  ASSERT_EQ(::stat("testplans", &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(context.app.currentPlanFile, "testplans\\untitled.ept");
  EXPECT_EQ(ReadFile("testplans/untitled.ept"), std::string(576, ','));
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kTestPlanFileName), "testplans\\demo1.ept");
}

TEST_F(StartupTest, APipeOrAFolderNamedAsThePlanFallsBackWithoutWaiting) {
  ASSERT_EQ(::mkdir("testplans", 0755), 0);
  ASSERT_EQ(::mkdir("testplans/folder.ept", 0755), 0);
  for (const char* name : {"testplans\\pipe.ept", "testplans\\folder.ept"}) {
    std::filesystem::remove("testplans/untitled.ept");
    testing::PipeGuard pipe("testplans/pipe.ept");
    context.app.currentPlanFile = name;
    EnsureTestPlanFile(context);
    EXPECT_FALSE(pipe.Waited()) << name;
    EXPECT_EQ(context.app.currentPlanFile, "testplans\\untitled.ept") << name;
    EXPECT_EQ(ReadFile("testplans/untitled.ept"), std::string(576, ',')) << name;
    std::filesystem::remove("testplans/pipe.ept");
  }
}

TEST_F(StartupTest, AnUntitledPlanThatIsAPipeIsNeitherWaitedOnNorReplaced) {
  ASSERT_EQ(::mkdir("testplans", 0755), 0);
  testing::PipeGuard pipe("testplans/untitled.ept");
  EnsureTestPlanFile(context);  // the demo plan is missing too
  EXPECT_FALSE(pipe.Waited());
  struct stat info {};
  ASSERT_EQ(::lstat("testplans/untitled.ept", &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(StartupTest, ExistingPlanIsKeptWhateverTheSeparator) {
  ASSERT_EQ(::mkdir("testplans", 0755), 0);
  WriteFile("testplans/demo1.ept", "plan\r\n");
  LoadSettingsAndModel(context);
  EnsureTestPlanFile(context);
  EXPECT_EQ(context.app.currentPlanFile, "testplans\\demo1.ept");
  EXPECT_FALSE(FileReadable("testplans/untitled.ept"));
}

TEST_F(StartupTest, ExistingUntitledPlanIsNotOverwritten) {
  ASSERT_EQ(::mkdir("testplans", 0755), 0);
  WriteFile("testplans/untitled.ept", "mine\r\n");
  LoadSettingsAndModel(context);
  EnsureTestPlanFile(context);
  EXPECT_EQ(ReadFile("testplans/untitled.ept"), "mine\r\n");
}

TEST(WindowEvents, CloseEndsOnlyWhenTheMainWindowIsActive) {
  AppState state;
  HandleWindowEvent(state, EventKind::Close, false);
  EXPECT_FALSE(state.quitRequested);
  EXPECT_EQ(state.lastEvent, EventKind::Close);
  HandleWindowEvent(state, EventKind::Close, true);
  EXPECT_TRUE(state.quitRequested);
}

TEST(WindowEvents, KindsRaiseTheirFlags) {
  struct Case {
    EventKind kind;
    bool click, rightClick, relayout;
  };
  for (Case c : {Case{EventKind::LeftClick, true, false, false},
                 Case{EventKind::Control, true, false, false},
                 Case{EventKind::RightClick, false, true, false},
                 Case{EventKind::Resized, false, false, true},
                 Case{EventKind::Moved, false, false, true},
                 Case{EventKind::Menu, false, false, false},
                 Case{EventKind::Maximised, false, false, false},
                 Case{EventKind::Tray, false, false, false}}) {
    AppState state;
    HandleWindowEvent(state, c.kind, true);
    EXPECT_EQ(state.clickPending, c.click) << static_cast<int>(c.kind);
    EXPECT_EQ(state.rightClickPending, c.rightClick) << static_cast<int>(c.kind);
    EXPECT_EQ(state.relayoutPending, c.relayout) << static_cast<int>(c.kind);
    EXPECT_EQ(state.lastEvent, c.kind);
    EXPECT_FALSE(state.quitRequested);
  }
}

}  // namespace
}  // namespace vanto
