// Start-up of the whole program in an empty folder, headless: the files it
// makes, what it logs and shows, the fonts, and how a close ends the loop.
#include "app/qt/application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include "app/qt/main_loop.h"
#include "app/settings_store.h"
#include "app/text_lines.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::ReadFile;

class SilentSound final : public SoundOutput {
 public:
  bool Available() override { return false; }
  bool Load(SoundId, const std::string&) override { return false; }
  void Play(SoundId) override {}
};

class ApplicationTest : public ::testing::Test {
 protected:
  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  SilentSound sound;
  Application app{context, sound};

  std::vector<std::string> LogTexts() {
    std::vector<std::string> texts;
    const std::string log = ReadFile("log.txt");
    for (auto line : SplitLines(log)) texts.emplace_back(line.substr(23));
    return texts;
  }
};

TEST_F(ApplicationTest, StartInAnEmptyFolderPreparesItsFiles) {
  app.Start();
  EXPECT_EQ(app.Window().windowTitle().toStdString(),
            "Quillotek - ORXA Analog Signature Analyser V22.001");
  EXPECT_EQ(SplitLines(ReadFile(kSettingsFileName)).size(), 40u);
  EXPECT_EQ(ReadFile("testplans/untitled.ept"), std::string(576, ','));
  EXPECT_EQ(context.app.currentPlanFile, "testplans\\untitled.ept");
  EXPECT_EQ(RowCount(context.plan), 1);
  EXPECT_EQ(context.plan.table.Columns(), 577);

  std::vector<std::string> log = LogTexts();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "ORX32.EXE start-up, activeinstrument:ORXA");
  EXPECT_EQ(log[1], "Error #0003 settings/colours.txt Not found, using Default colour scheme");
  EXPECT_EQ(log[2],
            "ALLSoundStatus=#False, cannot load sounds - could be missing files OR no/bad sound "
            "system on WIN/PC");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0003");
  EXPECT_EQ(boxes.shown[0].body, "settings/colours.txt Not found, using Default colour scheme");
  EXPECT_FALSE(context.app.soundAvailable);
  EXPECT_TRUE(context.app.relayoutPending);
}

TEST_F(ApplicationTest, ColourSchemePresentMeansNoMessage) {
  ASSERT_EQ(::mkdir("settings", 0755), 0);
  testing::WriteFile("settings/colours.txt", "graphics/scheme1/\r\n");
  app.Start();
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ApplicationTest, FontsResolveToArialsMetricTwin) {
  app.Start();
  const UiFonts& fonts = app.Fonts();
  EXPECT_EQ(QFontInfo(fonts.regular11).family().toStdString(), "Liberation Sans");
  EXPECT_EQ(QFontInfo(fonts.italic10First).family().toStdString(), "Liberation Sans");
  EXPECT_TRUE(QFontInfo(fonts.italic10First).italic());
  EXPECT_EQ(fonts.italic10First, fonts.italic10Second);
  EXPECT_EQ(fonts.regular11.pointSize(), 11);
  EXPECT_EQ(fonts.italic10First.pointSize(), 10);
}

TEST_F(ApplicationTest, WindowUsesTheBackgroundColourSetting) {
  testing::WriteFile(kSettingsFileName, "ORX_ColourBackground=$0000FF\r\n");  // red
  app.Start();
  EXPECT_EQ(app.Window().palette().color(QPalette::Window), QColor(255, 0, 0));
}

TEST_F(ApplicationTest, CloseEndsTheLoopOnlyWhileTheMainWindowIsActive) {
  app.Start();
  IdleDispatcher dispatcher(context.app);

  app.OnWindowEvent(EventKind::Close);  // offscreen: no window is active yet
  EXPECT_FALSE(context.app.quitRequested);

  app.Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&app.Window()));
  QCloseEvent close;
  QApplication::sendEvent(&app.Window(), &close);
  EXPECT_FALSE(close.isAccepted());  // the window itself stays; the loop ends
  EXPECT_TRUE(context.app.quitRequested);
  EXPECT_EQ(context.app.lastEvent, EventKind::Close);
}

TEST_F(ApplicationTest, EveryLoopPassCallsTheDispatcherOnceEventOrNot) {
  app.Start();
  struct CountingDispatcher : PassDispatcher {
    int passes = 0;
    void DispatchPass() override { ++passes; }
  } dispatcher;
  QTimer wake;
  wake.start(1);
  for (int i = 0; i < 20; ++i) RunMainLoopPass(context.app, dispatcher);
  EXPECT_EQ(dispatcher.passes, 20);
}

}  // namespace
}  // namespace vanto
