// A user's first plan, through the program's own parts: File > New, the
// editor opened from "Edit/Add Records" with "Edit/Capture signature"
// ticked, the demo board's photograph chosen, a 14-pin DIP and a 2-pin
// part placed by clicks on the photograph, one renamed, one pin moved,
// "Quick Save"; the saved plan read back holds every record with its
// position. The main loop runs between the steps as it would for a user;
// only the file requester and the message boxes are recorded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <string>

#include "app/qt/application.h"
#include "app/qt/main_loop.h"
#include "editor/qt/editor_window.h"
#include "editor/qt/photograph_view.h"
#include "support/fake_file_requester.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"
#include "testplan/test_plan.h"

namespace vanto {
namespace {

using testing::WriteFile;

class SilentSound final : public SoundOutput {
 public:
  bool Available() override { return false; }
  bool Load(SoundId, const std::string&) override { return false; }
  void Play(SoundId) override {}
};

struct Pin {
  int x;
  int y;
};

class EditorJourneyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile("ORX_settings.txt", "ActiveInstrument=ORXA\r\nORX_Mode=Advanced\r\n");
    std::filesystem::create_directories("testplans/images");
    std::filesystem::copy_file(std::string(VANTO_RESOURCE_DIR) + "/testplans/demo1.jpg",
                               "testplans/images/demo1.jpg");
    app.Start();
    app.Controller().SetFileRequester(files);
    wake.start(1);
    boxes.shown.clear();
  }

  void Passes(int count = 3) {
    for (int i = 0; i < count; ++i) RunMainLoopPass(context.app, app.Dispatcher());
  }

  EditorWindow& Editor() { return *app.Controller().Editor(); }
  void Press(EditorButton button) {
    Editor().Button(button)->click();
    Passes();
  }
  // The demo photograph is 1600 x 1100 and shown whole in the 640 x 640
  // view: an even x and a y that is a multiple of 32 land on whole
  // photograph pixels (x * 2.5, y * 1100 / 640).
  void Click(int viewX, int viewY) {
    QTest::mouseClick(Editor().Photograph(), Qt::LeftButton, Qt::NoModifier, QPoint(viewX, viewY));
    Passes();
  }
  void Create(const char* name, const char* entry) {
    Editor().ComponentName()->setText(name);
    Editor().Templates()->setCurrentText(entry);
    Press(EditorButton::CreateComponent);
  }

  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  SilentSound sound;
  Application app{context, sound};
  testing::RecordingFileRequester files;
  QTimer wake;
};

TEST_F(EditorJourneyTest, NewPlanPlacedByClicksSavedAndReadBack) {
  // File > New: the new plan is saved at once under the chosen name.
  files.answers.push_back((dir.Path() / "testplans/board.ept").string());
  app.Events().menuCommands.push_back(MenuCommand::New);
  Passes();
  ASSERT_EQ(RowCount(context.plan), 1);
  ASSERT_TRUE(app.RunState().editCaptureChecked);

  // "Edit/Add Records" opens the editor; the main loop goes on.
  app.Events().controls.push_back({RibbonControl::EditAddRecords, 0});
  Passes();
  ASSERT_NE(app.Controller().Editor(), nullptr);
  EXPECT_TRUE(Editor().isVisible());

  files.answers.push_back((dir.Path() / "testplans/images/demo1.jpg").string());
  Press(EditorButton::SelectImage);
  EXPECT_EQ(context.plan.table.Cell(1, cell::kImageFile), "testplans/images/demo1.jpg");
  EXPECT_EQ(Editor().ViewState().window, (PcbWindow{0, 1600, 0, 1100, 1600, 1100}));

  // A 14-pin DIP: pin 1, pin 7 down the left side, pin 8, pin 14 up the
  // right side.
  Create("U1", " 14 pin DIP/SO");
  Click(100, 192);
  Click(100, 384);
  Click(200, 384);
  Click(200, 192);
  EXPECT_EQ(context.editor.placement.placementStep, 0);
  EXPECT_EQ(Editor().ComponentName()->text().toStdString(), "U2");
  // A 2-pin part after it.
  Create("R1", "  2 pin");
  Click(300, 96);
  Click(340, 96);
  ASSERT_EQ(RowCount(context.plan), 1 + 14 + 2);

  // Rename the 2-pin part (CurrentRecord stands on its last pin).
  EXPECT_EQ(Editor().Grid()->Display(GridColumn::Component)->text().toStdString(), "R1");
  Editor().Grid()->Entry(GridColumn::Component)->setText("R7");
  Editor().Grid()->Button(GridButton::UpdateComponent)->click();
  Passes();

  // Move U1's pin 3: "First", ">" twice, "Move Pin", a click.
  Press(EditorButton::First);
  Press(EditorButton::Next);
  Press(EditorButton::Next);
  ASSERT_EQ(context.plan.table.Cell(context.plan.currentRecord, cell::kPin), "3");
  Press(EditorButton::MovePin);
  Click(160, 256);

  Press(EditorButton::QuickSave);
  EXPECT_FALSE(context.plan.table.HasUnsavedChanges());
  Editor().close();
  Passes();
  EXPECT_EQ(app.Controller().Editor(), nullptr);
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().title << " " << boxes.shown.front().body;

  // Read back what the file holds.
  TestPlanState saved;
  ASSERT_TRUE(LoadTestPlan(saved, "testplans/board.ept", context.messages));
  ASSERT_EQ(RowCount(saved), 17);
  EXPECT_EQ(saved.table.Cell(1, cell::kImageFile), "testplans/images/demo1.jpg");
  // U1 along x 250 from y 330 down to 660 in steps of 55, then along x
  // 500 back up; pin 3 moved to (400, 440).
  std::vector<Pin> expected;
  for (int i = 0; i < 7; ++i) expected.push_back({250, 330 + 55 * i});
  for (int i = 0; i < 7; ++i) expected.push_back({500, 660 - 55 * i});
  expected[2] = {400, 440};
  expected.push_back({750, 165});
  expected.push_back({850, 165});
  for (int i = 0; i < 16; ++i) {
    const int row = 2 + i;
    const bool u1 = i < 14;
    const std::string component = u1 ? "U1" : "R7";
    const std::string pin = std::to_string(u1 ? i + 1 : i - 13);
    EXPECT_EQ(saved.table.Cell(row, cell::kComponent), component) << "row " << row;
    EXPECT_EQ(saved.table.Cell(row, cell::kPin), pin) << "row " << row;
    EXPECT_EQ(saved.table.Cell(row, 8), component + ", Pin " + pin) << "row " << row;
    EXPECT_EQ(saved.table.Cell(row, cell::kTestX), std::to_string(expected[i].x)) << "row " << row;
    EXPECT_EQ(saved.table.Cell(row, cell::kTestY), std::to_string(expected[i].y)) << "row " << row;
    EXPECT_EQ(saved.table.Cell(row, cell::kStatus), cell::kUntested) << "row " << row;
    EXPECT_EQ(saved.table.Cell(row, cell::kSignature), cell::kNo) << "row " << row;
    // A row template renumbers the plan; one-click pins are numbered at
    // the next renumbering.
    if (u1) {
      EXPECT_EQ(saved.table.Cell(row, cell::kRecord), std::to_string(row)) << "row " << row;
    }
  }
}

}  // namespace
}  // namespace vanto
