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
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/qt/application.h"
#include "app/qt/main_loop.h"
#include "editor/qt/editor_window.h"
#include "editor/qt/photograph_view.h"
#include "foundation/system_clock.h"
#include "link/acquisition_thread.h"
#include "link/connection.h"
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
    WriteFile("ORX_settings.txt",
              "ActiveInstrument=ORXA\r\nORX_Mode=Advanced\r\n"
              "ORX_SignatureCaptureDelay=2 cycles\r\n");
    WriteSimulatedBoard();
    ::setenv("ORX_SIM_MODEL", "ORXA", 1);
    CommandLine options;
    options.d2xxPath = ORX_SIM_LIBRARY;
    app.SetInstrumentOptions(options);
    std::filesystem::create_directories("testplans/images");
    std::filesystem::copy_file(std::string(VANTO_RESOURCE_DIR) + "/testplans/demo1.jpg",
                               "testplans/images/demo1.jpg");
    app.Start();
    app.Controller().SetFileRequester(files);
    wake.start(1);
    boxes.shown.clear();
  }

  void TearDown() override {
    ShutDownLink(context.link);
    ::unsetenv("ORX_SIM_CONFIG");
    ::unsetenv("ORX_SIM_MODEL");
  }

  // The board the plan describes: a node per pin, and a probe that
  // starts in the air and then visits the pins in the plan's order.
  void WriteSimulatedBoard() {
    std::string board = "AIR open\n";
    std::string walk = "AIR 1500 0\n";
    const char* circuits[] = {"R1k", "D", "R4k7", "Z5.1", "R220", "D | !D", "R10k | C47n"};
    for (int i = 0; i < 16; ++i) {
      const std::string node = i < 14 ? "U1_" + std::to_string(i + 1) : "R7_" + std::to_string(i - 13);
      board += node + " " + circuits[i % 7] + "\n";
      walk += node + " 1500 750\n";
    }
    WriteFile("board.txt", board);
    WriteFile("walk.txt", walk);
    UseConfig("");
    ::setenv("ORX_SIM_CONFIG", (dir.Path() / "sim.cfg").c_str(), 1);
  }

  void UseConfig(const std::string& extra) {
    WriteFile("sim.cfg", "model=ORXA\nboard_file=board.txt\nprobe_script=walk.txt\neeprom_file=\nseed=5\n" +
                             extra);
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
  void BuildPlan();

  void Control(RibbonControl control, int value = 0) {
    app.Events().controls.push_back({control, value});
  }

  // Runs the main loop until the automatic run is over, or fails after
  // the time limit.
  void RunUntil(RunMode done, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    Passes(5);  // the run starts
    while (app.RunState().runMode != done) {
      ASSERT_LT(std::chrono::steady_clock::now(), end) << "the automatic run did not end";
      RunMainLoopPass(context.app, app.Dispatcher());
    }
  }

  // (Re)connects to the simulator, so its probe walk starts from its top.
  void Connect() {
    InstrumentLink link{context.link, context.messages, context.clock,
                        app.Analysis().liveSignature, context.app.activeModel, {}};
    if (context.link.usb.connected.load() == 1) ORX_StopConnection(link);
    ORX_StartConnection(link);
    ASSERT_EQ(context.link.usb.connected.load(), 1);
  }

  void Create(const char* name, const char* entry) {
    Editor().ComponentName()->setText(name);
    Editor().Templates()->setCurrentText(entry);
    Press(EditorButton::CreateComponent);
  }

  testing::TempWorkdir dir;
  SystemClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  SilentSound sound;
  Application app{context, sound};
  testing::RecordingFileRequester files;
  QTimer wake;
};

// File > New, the editor from "Edit/Add Records", the demo photograph,
// U1 (14-pin DIP) and R1 (2 pins, renamed R7), U1's pin 3 moved,
// "Quick Save", the editor closed.
void EditorJourneyTest::BuildPlan() {
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
}

TEST_F(EditorJourneyTest, NewPlanPlacedByClicksSavedAndReadBack) {
  BuildPlan();
  ASSERT_FALSE(HasFailure());
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

namespace vanto {
namespace {

// The plan made in the editor, used on the simulated board: an automatic
// capture takes the golden signature of every pin as the probe visits
// them, and an automatic test of the same board then marks them all Good;
// with one pin's node opened, exactly that pin's record turns Bad, so
// every golden belongs to its own pin.
TEST_F(EditorJourneyTest, ThePlacedPinsAreCapturedAndTestedGoodOnTheSimulatedBoard) {
  BuildPlan();
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(app.RunState().editCaptureChecked);

  Connect();
  Control(RibbonControl::First);
  Control(RibbonControl::AutomaticRun);
  RunUntil(RunMode::Capture, std::chrono::seconds(90));
  for (int row = 2; row <= 17; ++row) {
    EXPECT_EQ(context.plan.table.Cell(row, cell::kSignature), cell::kYes) << "row " << row;
  }

  Connect();
  Control(RibbonControl::EditCaptureSignature, 0);
  Control(RibbonControl::First);
  Control(RibbonControl::AutomaticRun);
  RunUntil(RunMode::TestBoard, std::chrono::seconds(90));
  for (int row = 2; row <= 17; ++row) {
    EXPECT_EQ(context.plan.table.Cell(row, cell::kStatus), cell::kGood) << "row " << row;
  }

  UseConfig("fault.U1_5=R10\n");  // record 6: 220 ohms become 10 (an open pin would look like a lifted probe)
  for (int row = 2; row <= 17; ++row) context.plan.table.SetCell(row, cell::kStatus, cell::kUntested);
  Connect();
  Control(RibbonControl::First);
  Control(RibbonControl::AutomaticRun);
  RunUntil(RunMode::TestBoard, std::chrono::seconds(90));
  for (int row = 2; row <= 17; ++row) {
    EXPECT_EQ(context.plan.table.Cell(row, cell::kStatus), row == 6 ? cell::kBad : cell::kGood)
        << "row " << row;
  }
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().title << " " << boxes.shown.front().body;
}

}  // namespace
}  // namespace vanto
