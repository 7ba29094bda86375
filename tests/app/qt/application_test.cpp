// Start-up of the whole program in an empty folder, headless: the files it
// makes, what it logs and shows, the fonts, and how a close ends the loop.
#include "app/qt/application.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/qt/main_loop.h"
#include "foundation/settings_store.h"
#include "foundation/text_lines.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"
#include "testplan/record_cells.h"
#include "testplan/test_plan.h"

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

class AnsweringQuestions final : public QuestionBoxes {
 public:
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  QuestionAnswer AskYesNoCancel(const std::string& title, const std::string& text) override {
    asked.push_back(title + " " + text);
    return answer;
  }
  QuestionAnswer answer = QuestionAnswer::Cancel;
  std::vector<std::string> asked;
};

TEST_F(ApplicationTest, ClosingWithUnsavedResultsAsksAndCancelKeepsTheProgramRunning) {
  app.Start();
  AnsweringQuestions questions;
  app.Controller().SetQuestionBoxes(questions);
  InsertRecordsAfter(context.plan, 1);
  context.plan.table.SetCell(2, cell::kStatus, cell::kGood);
  app.Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&app.Window()));

  QCloseEvent close;
  QApplication::sendEvent(&app.Window(), &close);
  EXPECT_EQ(questions.asked,
            std::vector<std::string>{"Info #0072 Save changes to testplans\\untitled.ept?"});
  EXPECT_FALSE(context.app.quitRequested);
  EXPECT_EQ(context.plan.table.Cell(2, cell::kStatus), cell::kGood);

  questions.answer = QuestionAnswer::Yes;
  QCloseEvent again;
  QApplication::sendEvent(&app.Window(), &again);
  EXPECT_TRUE(context.app.quitRequested);
  EXPECT_NE(ReadFile("testplans/untitled.ept").find(",Good,"), std::string::npos);
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

// The main window as it first appears: the Advanced layout at its stated
// client width, the ribbon of the model, the panes of the default view.
TEST_F(ApplicationTest, AdvancedWindowLaysOutTheRibbonAndTheDefaultView) {
  testing::WriteFile(kSettingsFileName, "ActiveInstrument=ORXA\r\nORX_Mode=Advanced\r\n");
  app.Start();
  MainWindowController& window = app.Controller();
  const QWidget* client = app.Window().ClientArea();
  EXPECT_EQ(client->width(), 1545);
  EXPECT_FLOAT_EQ(window.Layout().unit, 139.7f);
  ASSERT_NE(window.Pane(PaneId::MainScope), nullptr);
  EXPECT_EQ(window.Pane(PaneId::MainScope)->geometry(), QRect(148, 2, 697, 697));
  EXPECT_TRUE(window.Pane(PaneId::MainScope)->isVisible());
  // "2miniscopes+PCB+TestTree+BadTree": mini-scopes 4 and 6, board, trees.
  EXPECT_TRUE(window.Pane(MiniScope(4))->isVisible());
  EXPECT_TRUE(window.Pane(MiniScope(6))->isVisible());
  EXPECT_FALSE(window.Pane(MiniScope(5))->isVisible());
  EXPECT_EQ(window.Pane(MiniScope(4))->size(), QSize(231, 231));
  EXPECT_TRUE(window.TestTree()->isVisible());
  EXPECT_TRUE(window.BadTree()->isVisible());
  ASSERT_NE(window.Ribbon(), nullptr);
  EXPECT_TRUE(window.Ribbon()->isVisible());
  EXPECT_FALSE(window.Ribbon()->Has(RibbonElement::DcGeneratorHeader));
  EXPECT_FALSE(window.Ribbon()->Has(RibbonElement::ScanSigList));
}

// The compact size is stated as 534 x 408, but the ribbon's compact set
// needs more height than that: the window grows so no control is cut off.
TEST_F(ApplicationTest, CompactWindowKeepsEveryRibbonControlInside) {
  testing::WriteFile(kSettingsFileName, "ActiveInstrument=ORXC\r\nORX_Mode=Basic\r\n");
  app.Start();
  MainWindowController& window = app.Controller();
  const QWidget* client = app.Window().ClientArea();
  EXPECT_EQ(client->width(), 534);
  const RibbonPanel& ribbon = *window.Ribbon();
  EXPECT_GE(client->height(), ribbon.ContentHeight(RibbonShownIn::CompactModes) + 4);
  const QRect autoFreeze = ribbon.ElementRect(RibbonElement::AutoFreeze).translated(ribbon.pos());
  EXPECT_TRUE(client->rect().contains(autoFreeze));
  EXPECT_TRUE(ribbon.Widget(RibbonElement::AutoFreeze)->isVisible());
  EXPECT_FALSE(ribbon.Widget(RibbonElement::Good)->isVisible());
  EXPECT_FALSE(window.Pane(MiniScope(5))->isVisible());
}

// A freeze toggle's caption follows it on the pass that runs the click,
// as its check does: "Golden Frozen" while down, "Freeze Golden" again
// once raised.
TEST_F(ApplicationTest, FreezeTogglesShowTheirFrozenCaptionsWhileDown) {
  testing::WriteFile(kSettingsFileName, "ActiveInstrument=ORXA\r\nORX_Mode=Basic\r\n");
  app.Start();
  RibbonPanel& ribbon = *app.Controller().Ribbon();
  auto* golden = qobject_cast<QAbstractButton*>(ribbon.Widget(RibbonElement::FreezeGolden));
  auto* dut = qobject_cast<QAbstractButton*>(ribbon.Widget(RibbonElement::FreezeDut));
  ASSERT_NE(golden, nullptr);
  ASSERT_NE(dut, nullptr);
  ASSERT_TRUE(golden->isVisible());
  QTimer wake;
  wake.start(1);
  const auto clickAndRun = [&](QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    for (int i = 0; i < 3; ++i) RunMainLoopPass(context.app, app.Dispatcher());
  };
  struct Step {
    QAbstractButton* clicked;
    const char* goldenCaption;
    const char* dutCaption;
  };
  for (const Step& step : {Step{golden, "Golden Frozen", " Freeze   DUT "},
                           Step{dut, "Golden Frozen", "  DUT   Frozen"},
                           Step{golden, "Freeze Golden", "  DUT   Frozen"},
                           Step{dut, "Freeze Golden", " Freeze   DUT "}}) {
    clickAndRun(step.clicked);
    EXPECT_EQ(golden->text().toStdString(), step.goldenCaption);
    EXPECT_EQ(dut->text().toStdString(), step.dutCaption);
    EXPECT_EQ(golden->isChecked(), std::string(step.goldenCaption) == "Golden Frozen");
    EXPECT_EQ(dut->isChecked(), std::string(step.dutCaption) == "  DUT   Frozen");
  }
}

// Keys reach the test run through the queue: "Right" moves to the next
// record on the next pass, whatever pane the pointer rests on.
TEST_F(ApplicationTest, TheNextKeyMovesOneRecordPerPress) {
  ASSERT_EQ(::mkdir("testplans", 0755), 0);
  std::string plan = std::string(576, ',') + "\r\n";
  for (int row = 2; row <= 6; ++row) plan += "1000,,1000,,50,,,,Untested,R1" + std::string(566, ',') + "\r\n";
  testing::WriteFile("testplans/five.ept", plan);
  testing::WriteFile(kSettingsFileName, "ORX_TestPlanFileName=testplans/five.ept\r\n");
  app.Start();
  app.Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&app.Window()));
  QTimer wake;
  wake.start(1);
  for (int i = 0; i < 3; ++i) RunMainLoopPass(context.app, app.Dispatcher());
  context.plan.currentRecord = 2;
  QTest::keyClick(&app.Window(), Qt::Key_Right);
  QTest::keyClick(&app.Window(), Qt::Key_Right);
  for (int i = 0; i < 3; ++i) RunMainLoopPass(context.app, app.Dispatcher());
  EXPECT_EQ(context.plan.currentRecord, 4);
}

// A plan of `statuses.size()` records with goldens, the window started on
// it in the Advanced mode and a few passes run.
class RunResultsWindowTest : public ApplicationTest {
 protected:
  void StartOn(const std::vector<const char*>& statuses) {
    ASSERT_EQ(::mkdir("testplans", 0755), 0);
    TestPlanState plan;
    plan.table.Reset(1 + static_cast<int>(statuses.size()), kPlanColumns);
    for (std::size_t i = 0; i < statuses.size(); ++i) {
      const int row = static_cast<int>(i) + 2;
      plan.table.SetCell(row, cell::kComponent, "R" + std::to_string(row));
      plan.table.SetCell(row, cell::kStatus, statuses[i]);
      plan.table.SetCell(row, cell::kSignature, cell::kYes);
    }
    ASSERT_TRUE(SaveTestPlan(plan, "testplans/run.ept", context.messages));
    testing::WriteFile(kSettingsFileName,
                       "ORX_Mode=Advanced\r\nORX_TestPlanFileName=testplans/run.ept\r\n");
    app.Start();
    Passes(3);
    context.plan.currentRecord = 2;  // a loaded plan starts on its plan row
    Passes(1);
  }
  void Passes(int count) {
    for (int i = 0; i < count; ++i) app.Dispatcher().DispatchPass();
  }
  void Press(RibbonControl control) {
    app.Events().controls.push_back({control, 0});
    Passes(2);
  }
  RibbonPanel& Ribbon() { return *app.Controller().Ribbon(); }
  std::string Text(RibbonElement element) {
    return static_cast<QLabel*>(Ribbon().Widget(element))->text().toStdString();
  }
};

TEST_F(RunResultsWindowTest, AutoTestWithNothingLeftGivesTheControlsBackAndSaysSo) {
  StartOn({cell::kGood, cell::kBad, cell::kGood});
  for (int press = 0; press < 2; ++press) {
    Press(RibbonControl::AutomaticRun);
    EXPECT_EQ(app.RunState().runMode, RunMode::TestBoard);
    EXPECT_EQ(Ribbon().ShownPicture(RibbonElement::AutomaticRun), PictureId::AutoTestYellow);
    EXPECT_TRUE(Ribbon().Widget(RibbonElement::Next)->isEnabled());
    EXPECT_TRUE(Ribbon().Widget(RibbonElement::Good)->isEnabled());
    EXPECT_EQ(Text(RibbonElement::UsbStatusText), "Nothing left to test");
  }
  Press(RibbonControl::Next);  // the next command takes it away
  EXPECT_NE(Text(RibbonElement::UsbStatusText), "Nothing left to test");
}

TEST_F(RunResultsWindowTest, AMarkByHandShowsInTheTreesAndPassRatesBeforeThePauseEnds) {
  StartOn({cell::kUntested, cell::kUntested, cell::kUntested, cell::kUntested});
  ASSERT_EQ(Text(RibbonElement::BadRateText), "0.00%");
  app.Events().controls.push_back({RibbonControl::Bad, 0});
  Passes(1);
  ASSERT_TRUE(app.RunState().manualWait.running);  // the fake clock holds the pause
  EXPECT_EQ(Text(RibbonElement::BadRateText), "25.00%");
  EXPECT_EQ(Text(RibbonElement::GoodRateText), "0.00%");
  const TreeModel& bad = app.Controller().BadTree()->Model();
  ASSERT_EQ(bad.Count(), 2);
  EXPECT_EQ(bad.Items()[1].row, 2);
  const TreeModel& test = app.Controller().TestTree()->Model();
  const auto pin = std::find_if(test.Items().begin() + 1, test.Items().end(),
                                [](const TreeItem& item) { return item.row == 2 && item.level == 1; });
  ASSERT_NE(pin, test.Items().end());
  EXPECT_EQ(pin->icon, TreeIcon::Bad);
}

}  // namespace
}  // namespace vanto
