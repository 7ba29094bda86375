// The editor's window headless: the grid shows the current record, the
// navigation's edge cases, what a click on the photograph selects (and
// that a placement never selects), the zoom window and the pin move with
// Escape, the keys of the buttons, the captions word for word and the
// clamp of CurrentRecord.
#include "editor/qt/editor_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <string>

#include "editor/editor_captions.h"
#include "editor/editor_click.h"
#include "editor/qt/photograph_view.h"
#include "support/fake_file_requester.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"

namespace vanto {
namespace {

using testing::FakeClock;
using testing::RecordingBoxes;
using testing::RecordingFileRequester;
using testing::TempWorkdir;

constexpr int kPhotoSize = 640;  // shown 1:1 at zoom 1 in the 640 x 640 view

class EditorWindowTest : public ::testing::Test {
 protected:
  EditorWindowTest() : messages(clock, boxes) {
    std::filesystem::create_directories("testplans/images");
    QImage photo(kPhotoSize, kPhotoSize, QImage::Format_RGB32);
    photo.fill(QColor(40, 90, 40));
    EXPECT_TRUE(photo.save("testplans/images/board.png", "PNG"));
    NewTestPlan(plan);
    TestPlan& t = plan.table;
    t.SetCell(1, cell::kImageFile, "testplans/images/board.png");
    t.SetCell(1, cell::kViewX, "320");
    t.SetCell(1, cell::kViewY, "320");
    t.SetCell(1, cell::kZoom, "1");
  }

  // Appends a component of `pins` records placed along a row from (x, y)
  // in steps of `dx`, seen from the whole board.
  void AddComponent(const std::string& name, int pins, int x, int y, int dx = 20) {
    for (int p = 1; p <= pins; ++p) {
      const int row = plan.table.Rows() + 1;
      plan.table.InsertEmptyRows(row, 1);
      plan.table.SetCell(row, cell::kRecord, std::to_string(row));
      plan.table.SetCell(row, cell::kComponent, name);
      plan.table.SetCell(row, cell::kPin, std::to_string(p));
      plan.table.SetCell(row, 8, name + ", Pin " + std::to_string(p));
      plan.table.SetCell(row, cell::kStatus, cell::kUntested);
      plan.table.SetCell(row, cell::kSignature, cell::kNo);
      plan.table.SetCell(row, cell::kViewX, "320");
      plan.table.SetCell(row, cell::kViewY, "320");
      plan.table.SetCell(row, cell::kZoom, "1");
      plan.table.SetCell(row, cell::kTestX, std::to_string(x + (p - 1) * dx));
      plan.table.SetCell(row, cell::kTestY, std::to_string(y));
    }
  }

  // Three components: IC1 rows 2..4, R1 rows 5..6, IC2 rows 7..9.
  void ThreeComponents() {
    AddComponent("IC1", 3, 100, 100);
    AddComponent("R1", 2, 100, 200);
    AddComponent("IC2", 3, 100, 300);
  }

  EditorWindow& Open() {
    window = std::make_unique<EditorWindow>(
        EditorWindowContext{plan, editor, settings, messages, requester, planFile, photographs},
        [this] { ++closings; });
    window->show();
    return *window;
  }

  void Press(EditorButton button) { window->Button(button)->click(); }

  // Keys reach the window's shortcuts only while it is active.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), key, modifiers);
  }

  std::string Shown(GridColumn column) const {
    return window->Grid()->Display(column)->text().toStdString();
  }
  std::string Typed(GridColumn column) const {
    return window->Grid()->Entry(column)->text().toStdString();
  }

  // A left click on the photograph at photograph pixel (x, y) (1:1 at
  // zoom 1 on the whole board).
  void ClickPhoto(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(window->Photograph(), button, Qt::NoModifier, QPoint(x, y));
  }

  TempWorkdir dir;
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages;
  Settings settings;
  RecordingFileRequester requester;
  std::string planFile = "testplans/edited.ept";
  PhotographCache photographs;
  TestPlanState plan;
  EditorState editor;
  std::unique_ptr<EditorWindow> window;
  int closings = 0;
};

TEST_F(EditorWindowTest, TheGridShowsTheCurrentRecordStoredAndToWrite) {
  ThreeComponents();
  plan.table.SetCell(6, cell::kUserText, "near C4");
  plan.table.SetCell(6, cell::kZoom, "3.714");
  plan.table.SetCell(6, cell::kScanSig, "12");
  plan.currentRecord = 6;
  Open();

  EXPECT_EQ(Shown(GridColumn::Record), "6/9");
  EXPECT_EQ(Shown(GridColumn::Component), "R1");
  EXPECT_EQ(Shown(GridColumn::Pin), "2");
  EXPECT_EQ(Shown(GridColumn::Description), "R1, Pin 2");
  EXPECT_EQ(Shown(GridColumn::UserText), "near C4");
  EXPECT_EQ(Shown(GridColumn::Zoom), "3.714");
  EXPECT_EQ(Shown(GridColumn::TestX), "120");
  EXPECT_EQ(Shown(GridColumn::ScanSig), "12");
  // The entry row: the same texts, the view and pin from the working
  // values, the zoom with one decimal.
  EXPECT_EQ(Typed(GridColumn::Component), "R1");
  EXPECT_EQ(Typed(GridColumn::UserText), "near C4");
  EXPECT_EQ(Typed(GridColumn::Zoom), "3.7");
  EXPECT_EQ(Typed(GridColumn::ViewX), "320");
  EXPECT_EQ(Typed(GridColumn::TestX), "120");
  EXPECT_EQ(Typed(GridColumn::TestY), "200");
  EXPECT_EQ(window->ImageField()->text().toStdString(), " testplans/images/board.png");
  EXPECT_EQ(window->Grid()->Entry(GridColumn::Record), nullptr);

  // Typed but unwritten values are lost on navigation, as the tool tip says.
  window->Grid()->Entry(GridColumn::UserText)->setText("typed");
  Press(EditorButton::Next);
  EXPECT_EQ(Shown(GridColumn::Record), "7/9");
  Press(EditorButton::Previous);
  EXPECT_EQ(Typed(GridColumn::UserText), "near C4");
  EXPECT_NE(window->Grid()->Entry(GridColumn::UserText)->toolTip().indexOf("lose"), -1);
}

TEST_F(EditorWindowTest, WritingTheEntryRowStoresItAsTyped) {
  ThreeComponents();
  plan.currentRecord = 3;
  Open();
  window->Grid()->Entry(GridColumn::Status)->setText("NoTest");
  window->Grid()->Entry(GridColumn::ScanSig)->setText("7");
  window->Grid()->Button(GridButton::WriteEntryRow)->click();
  EXPECT_EQ(plan.table.Cell(3, cell::kStatus), "NoTest");
  EXPECT_EQ(plan.table.Cell(3, cell::kScanSig), "7");
  EXPECT_EQ(Shown(GridColumn::Status), "NoTest");
}

struct NavigationCase {
  const char* name;
  int start;
  EditorButton button;
  int expected;
};

class EditorNavigationTest : public EditorWindowTest,
                             public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(EditorNavigationTest, StopsWhereItShould) {
  const NavigationCase& c = GetParam();
  ThreeComponents();
  plan.currentRecord = c.start;
  Open();
  Press(c.button);
  EXPECT_EQ(plan.currentRecord, c.expected);
  EXPECT_EQ(Shown(GridColumn::Record), std::to_string(c.expected) + "/9");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorNavigationTest,
    ::testing::Values(NavigationCase{"NextComponentFromTheLastStopsOnTheLastRow", 8,
                                     EditorButton::NextComponent, 9},
                      NavigationCase{"NextComponentFromTheLastRow", 9, EditorButton::NextComponent, 9},
                      NavigationCase{"NextComponentFromTheFirst", 3, EditorButton::NextComponent, 5},
                      NavigationCase{"PreviousComponentFromTheFirstStopsOnRow2", 3,
                                     EditorButton::PreviousComponent, 2},
                      NavigationCase{"PreviousComponentFromTheSecond", 6,
                                     EditorButton::PreviousComponent, 2},
                      NavigationCase{"PreviousComponentFromTheThird", 9,
                                     EditorButton::PreviousComponent, 5},
                      NavigationCase{"PreviousComponentFromTheFirstPinOfTheThird", 7,
                                     EditorButton::PreviousComponent, 5},
                      NavigationCase{"PreviousFromRow2ReachesThePlanRow", 2, EditorButton::Previous, 1},
                      NavigationCase{"PreviousStaysOnThePlanRow", 1, EditorButton::Previous, 1},
                      NavigationCase{"NextStopsOnTheLastRow", 9, EditorButton::Next, 9},
                      NavigationCase{"First", 7, EditorButton::First, 2},
                      NavigationCase{"Last", 2, EditorButton::Last, 9}),
    [](const ::testing::TestParamInfo<NavigationCase>& info) { return info.param.name; });

TEST_F(EditorWindowTest, PreviousOntoThePlanRowShowsTheWholeBoardSavedWithThePhotograph) {
  AddComponent("IC1", 2, 100, 100);
  plan.table.SetCell(2, cell::kZoom, "4");
  plan.currentRecord = 2;
  Open();
  EXPECT_EQ(window->ViewState().window.x1 - window->ViewState().window.x0, 160);
  Press(EditorButton::Previous);
  EXPECT_EQ(plan.currentRecord, 1);
  EXPECT_EQ(window->ViewState().window, (PcbWindow{0, 640, 0, 640, 640, 640}));
  EXPECT_EQ(Shown(GridColumn::Record), "1/3");
}

TEST_F(EditorWindowTest, CurrentRecordIsKeptOnARowThatExists) {
  ThreeComponents();
  // An automatic run leaves it past the end.
  plan.currentRecord = 10;
  Open();
  EXPECT_EQ(plan.currentRecord, 9);
  EXPECT_EQ(Shown(GridColumn::Record), "9/9");

  // "First" on a plan without records.
  TestPlanState empty;
  NewTestPlan(empty);
  plan = empty;
  Press(EditorButton::First);
  EXPECT_EQ(plan.currentRecord, 1);
  Press(EditorButton::DeletePin);
  EXPECT_EQ(RowCount(plan), 1);
}

TEST_F(EditorWindowTest, AClickWithinFivePixelsSelectsTheLowerRowNumber) {
  AddComponent("IC1", 1, 200, 200);  // row 2
  AddComponent("IC2", 1, 204, 203);  // row 3, also within reach
  AddComponent("IC3", 1, 400, 400);  // row 4
  plan.currentRecord = 4;
  Open();
  ClickPhoto(202, 201);
  EXPECT_EQ(plan.currentRecord, 2);
  EXPECT_EQ(Shown(GridColumn::Component), "IC1");

  ClickPhoto(406, 400);  // 6 pixels away: nothing
  EXPECT_EQ(plan.currentRecord, 2);
  ClickPhoto(405, 405);
  EXPECT_EQ(plan.currentRecord, 4);
}

TEST_F(EditorWindowTest, AClickDuringAPlacementNeverSelects) {
  AddComponent("IC1", 1, 200, 200);
  AddComponent("IC2", 1, 400, 400);
  plan.currentRecord = 2;
  Open();
  window->ComponentName()->setText("R5");
  window->Templates()->setCurrentText("  2 pin");
  Press(EditorButton::CreateComponent);
  ASSERT_EQ(editor.placement.placementStep, 1);

  ClickPhoto(400, 400);  // right on IC2's pin
  EXPECT_EQ(RowCount(plan), 4);
  EXPECT_EQ(plan.currentRecord, 3);
  EXPECT_EQ(plan.table.Cell(3, cell::kComponent), "R5");
  EXPECT_EQ(plan.table.Cell(3, cell::kTestX), "400");
  ClickPhoto(200, 200);  // right on IC1's pin
  EXPECT_EQ(plan.currentRecord, 4);
  EXPECT_EQ(plan.table.Cell(4, cell::kPin), "2");
  EXPECT_EQ(plan.table.Cell(4, cell::kTestY), "200");
  // The placement ended and the name moved on.
  EXPECT_EQ(editor.placement.placementStep, 0);
  EXPECT_EQ(window->ComponentName()->text().toStdString(), "R6");
}

TEST_F(EditorWindowTest, ARightClickOnThePhotographCreatesTheComponent) {
  AddComponent("IC1", 2, 200, 200);
  plan.currentRecord = 2;
  Open();
  window->Templates()->setCurrentText("  8 pin DIP/SO");
  ClickPhoto(300, 300, Qt::RightButton);
  EXPECT_EQ(editor.placement.placementStep, 1);
  EXPECT_EQ(plan.currentRecord, 3);  // the end of IC1
  EXPECT_EQ(editor.placement.editorPrompt, "Click on Pin 1");
}

TEST_F(EditorWindowTest, TheZoomWindowTakesTwoCornersAndEscapeAbandonsIt) {
  AddComponent("IC1", 1, 200, 200);
  plan.currentRecord = 2;
  Open();
  Press(EditorButton::SelectZoomWindow);
  EXPECT_EQ(editor.placement.editorPrompt, kZoomCornerAPrompt);
  ClickPhoto(200, 200);  // on a pin: a corner, not a selection
  EXPECT_EQ(editor.placement.editorPrompt, kZoomCornerBPrompt);
  Key(Qt::Key_Escape);
  EXPECT_EQ(editor.working.zoomWindowStep, 0);
  EXPECT_EQ(editor.placement.editorPrompt, "");

  Press(EditorButton::SelectZoomWindow);
  ClickPhoto(100, 100);
  ClickPhoto(260, 180);
  EXPECT_EQ(editor.working.zoomWindowStep, 0);
  EXPECT_EQ(editor.placement.editorPrompt, "");
  EXPECT_FLOAT_EQ(editor.working.view.zoom, 4.0f);  // 640 / 160 against 640 / 80 = 8
  EXPECT_EQ(editor.working.view.centreX, 180);
  EXPECT_EQ(editor.working.view.centreY, 140);
  EXPECT_EQ(Typed(GridColumn::Zoom), "4.0");
  EXPECT_EQ(plan.table.Cell(2, cell::kZoom), "1");  // the record keeps its view
}

TEST_F(EditorWindowTest, MovePinTakesTheNextClickAndEscapeKeepsThePin) {
  AddComponent("IC1", 2, 200, 200);  // pin 2 of row 3 at (220, 200)
  plan.currentRecord = 3;
  Open();
  Press(EditorButton::MovePin);
  EXPECT_EQ(editor.placement.editorPrompt, "Move Pin: Click on new location for Pin 2");
  EXPECT_EQ(editor.working.pinX, 0);
  // Escape: the pin stays where it was and the crosshair goes back to it.
  Key(Qt::Key_Escape);
  EXPECT_EQ(editor.working.movePinStep, 0);
  EXPECT_EQ(editor.placement.editorPrompt, "");
  EXPECT_EQ(editor.working.pinX, 220);
  ClickPhoto(333, 222);  // now an ordinary click: selects nothing
  EXPECT_EQ(plan.table.Cell(3, cell::kTestX), "220");

  Press(EditorButton::MovePin);
  ClickPhoto(333, 222);
  EXPECT_EQ(plan.table.Cell(3, cell::kTestX), "333");
  EXPECT_EQ(plan.table.Cell(3, cell::kTestY), "222");
  EXPECT_EQ(Typed(GridColumn::TestX), "333");
  EXPECT_EQ(editor.placement.editorPrompt, "");
}

TEST_F(EditorWindowTest, EscapeLeavesAPlacementRunning) {
  plan.currentRecord = 1;
  Open();
  window->Templates()->setCurrentText("  3 pin");
  Press(EditorButton::CreateComponent);
  ClickPhoto(50, 50);
  Key(Qt::Key_Escape);
  EXPECT_EQ(editor.placement.placementStep, 2);
  EXPECT_EQ(editor.placement.editorPrompt, "Click on Pin 2");
}

TEST_F(EditorWindowTest, NavigationAndZoomKeysWorkAndStandInTheToolTips) {
  ThreeComponents();
  plan.currentRecord = 2;
  Open();
  struct KeyCase {
    EditorButton button;
    const char* tip;  // the button's own tip, or null
    QKeySequence key;
  };
  const KeyCase cases[] = {
      {EditorButton::Next, editor_text::kNextTip, QKeySequence(Qt::Key_PageDown)},
      {EditorButton::Previous, editor_text::kPreviousTip, QKeySequence(Qt::Key_PageUp)},
      {EditorButton::NextComponent, editor_text::kNextComponentTip,
       QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
      {EditorButton::PreviousComponent, editor_text::kPreviousComponentTip,
       QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
      {EditorButton::First, editor_text::kFirstTip, QKeySequence(Qt::CTRL | Qt::Key_Home)},
      {EditorButton::Last, editor_text::kLastTip, QKeySequence(Qt::CTRL | Qt::Key_End)},
      {EditorButton::ZoomIn, nullptr, QKeySequence(Qt::CTRL | Qt::Key_Plus)},
      {EditorButton::ZoomOut, nullptr, QKeySequence(Qt::CTRL | Qt::Key_Minus)},
      {EditorButton::ZoomAll, nullptr, QKeySequence(Qt::CTRL | Qt::Key_0)},
      {EditorButton::SelectZoomWindow, nullptr, QKeySequence(Qt::CTRL | Qt::Key_R)},
      {EditorButton::Up, nullptr, QKeySequence(Qt::ALT | Qt::Key_Up)},
      {EditorButton::Centre, nullptr, QKeySequence(Qt::ALT | Qt::Key_C)},
  };
  for (const KeyCase& c : cases) {
    const QString tip = window->Button(c.button)->toolTip();
    if (c.tip != nullptr) {
      EXPECT_TRUE(tip.startsWith(c.tip)) << tip.toStdString();
    }
    EXPECT_NE(tip.indexOf(c.key.toString(QKeySequence::NativeText)), -1) << tip.toStdString();
  }

  Key(Qt::Key_PageDown);
  EXPECT_EQ(plan.currentRecord, 3);
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(plan.currentRecord, 5);
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(plan.currentRecord, 9);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(plan.currentRecord, 8);
  Key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_FLOAT_EQ(editor.working.view.zoom, 2.0f);
}

TEST_F(EditorWindowTest, CaptionsAndControlsAsTheyOpen) {
  editor.controls.selectedTemplate = " Custom (2 row)";  // from an earlier opening
  Open();
  EXPECT_EQ(window->windowTitle().toStdString(), "Edit/Add Records & Images");
  EXPECT_EQ(window->width(), 1280);
  EXPECT_EQ(window->height(), 760);
  EXPECT_EQ(window->Photograph()->geometry(), QRect(10, 10, 640, 640));
  EXPECT_EQ(window->ViewImage().size(), QSize(640, 640));

  const std::pair<EditorButton, const char*> captions[] = {
      {EditorButton::SelectImage, "Select Image"},
      {EditorButton::Previous, "<"},
      {EditorButton::Next, ">"},
      {EditorButton::InsertBefore, "< Manual Insert Before"},
      {EditorButton::InsertAfter, "Manual Insert After >"},
      {EditorButton::PreviousComponent, "<<"},
      {EditorButton::NextComponent, ">>"},
      {EditorButton::DeleteComponent, "Delete Whole Component"},
      {EditorButton::First, "First"},
      {EditorButton::Last, "Last"},
      {EditorButton::DeletePin, "Delete Single Pin Record"},
      {EditorButton::ZoomIn, "ZOOM +"},
      {EditorButton::ZoomOut, "ZOOM -"},
      {EditorButton::ZoomAll, "ZOOM ALL"},
      {EditorButton::SelectZoomWindow, "SELECT ZOOM WINDOW"},
      {EditorButton::Up, "UP"},
      {EditorButton::Down, "DOWN"},
      {EditorButton::Left, "LEFT"},
      {EditorButton::Right, "RIGHT"},
      {EditorButton::Centre, "CENTRE"},
      {EditorButton::CreateComponent, "Create New Component"},
      {EditorButton::MovePin, "Move Pin"},
      {EditorButton::QuickSave, "Quick Save"},
  };
  for (const auto& [button, caption] : captions) {
    EXPECT_EQ(window->Button(button)->text().toStdString(), caption);
  }
  EXPECT_EQ(window->Button(EditorButton::SelectZoomWindow)->size(), QSize(90, 70));
  EXPECT_TRUE(window->Button(EditorButton::DeletePin)->toolTip().startsWith("Deletes single record/pin"));

  QStringList labels;
  for (const QLabel* label : window->findChildren<QLabel*>()) labels << label->text();
  for (const char* step :
       {editor_text::kStep1, editor_text::kStep2, editor_text::kStep2a, editor_text::kStep3,
        editor_text::kStep4, editor_text::kStep5, editor_text::kStep6, editor_text::kStep6a,
        editor_text::kStep7, editor_text::kStep7b, editor_text::kStep7c, "Data", ".EPT file > ",
        "To write > ", "Record", "User Text", "Signature"}) {
    EXPECT_TRUE(labels.contains(step)) << step;
  }
  EXPECT_EQ(window->ComponentName()->text().toStdString(), "Unknown_1");
  EXPECT_TRUE(window->AutoIncrement()->isChecked());
  EXPECT_EQ(window->Templates()->currentText().toStdString(), ".... Components ....");
  EXPECT_EQ(window->Templates()->itemText(1).toStdString(), "  1 pin");
  for (int i = 0; i < kCountFields; ++i) EXPECT_FALSE(window->CountField(i)->isVisible());

  window->Templates()->setCurrentText(" Custom (from pin? to pin?)");
  EXPECT_TRUE(window->CountField(0)->isVisible());
  EXPECT_TRUE(window->CountField(1)->isVisible());
  EXPECT_FALSE(window->CountField(2)->isVisible());
  EXPECT_EQ(window->CountLabel(1)->text().toStdString(), "Last: ");
  EXPECT_EQ(window->CountField(0)->text().toStdString(), "?");

  window->close();
  EXPECT_EQ(closings, 1);
}

TEST_F(EditorWindowTest, SelectImageShowsTheWholeChosenPhotograph) {
  QImage photo(1600, 1200, QImage::Format_RGB32);
  photo.fill(Qt::blue);
  ASSERT_TRUE(photo.save("testplans/images/big.png", "PNG"));
  Open();
  requester.answers.push_back((dir.Path() / "testplans/images/big.png").string());
  Press(EditorButton::SelectImage);
  EXPECT_EQ(plan.table.Cell(1, cell::kImageFile), "testplans/images/big.png");
  EXPECT_EQ(plan.table.Cell(1, cell::kViewX), "800");
  EXPECT_EQ(plan.table.Cell(1, cell::kViewY), "600");
  EXPECT_EQ(window->ViewState().window, (PcbWindow{0, 1600, 0, 1200, 1600, 1200}));
  EXPECT_EQ(window->ViewImage().pixelColor(320, 100), QColor(Qt::blue));
}

}  // namespace
}  // namespace vanto
