// The whole program against the simulated scanner instrument: a plan of
// scanner channels is captured automatically on the good virtual board,
// then tested automatically on the same board (all Good) and on the board
// with faults (exactly the faulted records Bad). Everything runs through
// the real main loop, dispatcher, link, acquisition thread and simulator;
// only the message boxes are recorded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "app/qt/application.h"
#include "app/qt/main_loop.h"
#include "foundation/settings_keys.h"
#include "foundation/system_clock.h"
#include "link/acquisition_thread.h"
#include "link/connection.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"
#include "testplan/record_cells.h"

namespace vanto {
namespace {

using testing::WriteFile;

constexpr int kRecords = 24;
// The channels whose nodes the faulty board changes, and how.
const std::set<int> kFaultedChannels = {5, 13, 22};

class RecordingSound final : public SoundOutput {
 public:
  bool Available() override { return true; }
  bool Load(SoundId, const std::string&) override { return true; }
  void Play(SoundId id) override { played.push_back(id); }
  std::vector<SoundId> played;
};

// Node n of the board: a mix of the parts a real board shows.
std::string NodeCircuit(int n) {
  switch (n % 6) {
    case 0: return "R" + std::to_string(470 + 100 * n);
    case 1: return "D";
    case 2: return "C" + std::to_string(n) + "00n";
    case 3: return "Z5.1";
    case 4: return "R10k|C47n";
    default: return "D|!D";
  }
}

std::string BoardText() {
  std::string text;
  for (int n = 1; n <= kRecords; ++n) {
    text += "N" + std::to_string(n) + " " + NodeCircuit(n) + "\n";
  }
  text += "AIR open\n";
  return text;
}

std::string FaultText() {
  // An open pin, a shorted pin and a leaky diode.
  return "N5 open\nN13 R10\nN22 D | R2k\n";
}

std::string SimConfig(bool faulty) {
  std::string config = "model=ORXC\nboard_file=board.txt\neeprom_file=\nprobe=AIR\nseed=7\n";
  for (int n = 1; n <= kRecords; ++n) {
    config += "scan." + std::to_string(n) + "=N" + std::to_string(n) + "\n";
  }
  if (faulty) config += "fault_file=faults.txt\n";
  return config;
}

class SimulatedRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile("board.txt", BoardText());
    WriteFile("faults.txt", FaultText());
    UseBoard(false);
    ::setenv("ORX_SIM_MODEL", "ORXC", 1);
    WriteFile("ORX_settings.txt",
              std::string("ActiveInstrument=ORXC\r\n") + "ORX_Mode=Advanced\r\n" +
                  "ORX_SignatureCaptureDelay=2 cycles\r\n" +
                  "ORX_TestPlanFileName=testplans/scan.ept\r\n");
    MakePlan();
    std::filesystem::create_directory("settings");
    WriteFile("settings/colours.txt", "graphics/scheme1/\r\n");
    CommandLine options;
    options.d2xxPath = ORX_SIM_LIBRARY;
    options.connect = true;
    app.SetInstrumentOptions(options);
    app.Start();
    wake.start(1);
  }
  void TearDown() override {
    ShutDownLink(context.link);
    ::unsetenv("ORX_SIM_CONFIG");
    ::unsetenv("ORX_SIM_MODEL");
  }

  void UseBoard(bool faulty) {
    WriteFile("sim.cfg", SimConfig(faulty));
    ::setenv("ORX_SIM_CONFIG", (dir.Path() / "sim.cfg").c_str(), 1);
  }

  // Records 2..25 on scanner channels 1..24, 1 V, 1 kOhm, 200 Hz.
  static void MakePlan() {
    TestPlanState plan;
    plan.table.Reset(1 + kRecords, kPlanColumns);
    for (int n = 1; n <= kRecords; ++n) {
      const int row = n + 1;
      plan.table.SetCell(row, cell::kAmplitude, "1000");
      plan.table.SetCell(row, cell::kResistance, "1000");
      plan.table.SetCell(row, cell::kFrequency, "200");
      plan.table.SetCell(row, cell::kComponent, "U" + std::to_string(1 + (n - 1) / 8));
      plan.table.SetCell(row, cell::kStatus, cell::kUntested);
      plan.table.SetCell(row, cell::kSignature, cell::kNo);
      plan.table.SetCell(row, cell::kScanSig, std::to_string(n));
      plan.table.SetCell(row, cell::kScanCom, "0");
    }
    std::filesystem::create_directory("testplans");
    testing::FakeClock clock;
    testing::RecordingBoxes boxes;
    Messages messages(clock, boxes);
    ASSERT_TRUE(SaveTestPlan(plan, "testplans/scan.ept", messages));
  }

  void Control(RibbonControl control, int value = 0) {
    app.Events().controls.push_back({control, value});
  }

  // Runs the main loop until the automatic run is over, or fails after
  // the time limit.
  void RunUntil(RunMode done, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    // Let the run start first.
    for (int i = 0; i < 5; ++i) RunMainLoopPass(context.app, app.Dispatcher());
    while (app.RunState().runMode != done) {
      ASSERT_LT(std::chrono::steady_clock::now(), end) << "the automatic run did not end";
      RunMainLoopPass(context.app, app.Dispatcher());
    }
  }

  std::string Cell(int row, int column) const { return context.plan.table.Cell(row, column); }

  bool Connected() const { return context.link.usb.connected.load() == 1; }

  testing::TempWorkdir dir;
  SystemClock clock;
  testing::RecordingBoxes boxes;
  AppContext context{clock, boxes};
  RecordingSound sound;
  Application app{context, sound};
  QTimer wake;
};

TEST_F(SimulatedRunTest, CapturesTheGoodBoardThenFindsExactlyTheFaultedPins) {
  ASSERT_TRUE(Connected());

  // Auto capture: "Edit/Capture signature" on, then the automatic-run button.
  Control(RibbonControl::EditCaptureSignature, 1);
  Control(RibbonControl::AutomaticRun);
  RunUntil(RunMode::Capture, std::chrono::seconds(60));
  for (int row = 2; row <= kRecords + 1; ++row) {
    EXPECT_EQ(Cell(row, cell::kSignature), cell::kYes) << "row " << row;
  }

  // Auto test on the same board: every record Good.
  Control(RibbonControl::EditCaptureSignature, 0);
  Control(RibbonControl::First);
  Control(RibbonControl::AutomaticRun);
  RunUntil(RunMode::TestBoard, std::chrono::seconds(60));
  for (int row = 2; row <= kRecords + 1; ++row) {
    EXPECT_EQ(Cell(row, cell::kStatus), cell::kGood) << "row " << row;
  }

  // The faulty board: a new connection reads the simulator's new
  // configuration.
  {
    InstrumentLink link{context.link, context.messages, context.clock,
                        app.Analysis().liveSignature, context.app.activeModel, {}};
    ORX_StopConnection(link);
    UseBoard(true);
    ORX_StartConnection(link);
  }
  ASSERT_TRUE(Connected());
  for (int row = 2; row <= kRecords + 1; ++row) context.plan.table.SetCell(row, cell::kStatus, cell::kUntested);
  Control(RibbonControl::First);
  Control(RibbonControl::AutomaticRun);
  RunUntil(RunMode::TestBoard, std::chrono::seconds(60));
  for (int n = 1; n <= kRecords; ++n) {
    const std::string expected = kFaultedChannels.count(n) ? cell::kBad : cell::kGood;
    EXPECT_EQ(Cell(n + 1, cell::kStatus), expected) << "channel " << n;
  }
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().title << " " << boxes.shown.front().body;
}

// The instrument falls silent in the middle of an automatic capture: the
// acquisition thread's watchdog closes the link and the run ends with the
// warning that names the record it stopped at.
TEST_F(SimulatedRunTest, AnInstrumentFallingSilentEndsTheRunWithItsWarning) {
  {
    InstrumentLink link{context.link, context.messages, context.clock,
                        app.Analysis().liveSignature, context.app.activeModel, {}};
    ORX_StopConnection(link);
    WriteFile("sim.cfg", SimConfig(false) + "silent_after_ms=3000\n");
    ORX_StartConnection(link);
  }
  ASSERT_TRUE(Connected());
  Control(RibbonControl::EditCaptureSignature, 1);
  Control(RibbonControl::AutomaticRun);
  RunUntil(RunMode::Capture, std::chrono::seconds(30));

  EXPECT_FALSE(Connected());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Warning #0070");
  const std::string record = "record " + std::to_string(context.plan.currentRecord) + " (";
  EXPECT_NE(boxes.shown[0].body.find(record), std::string::npos) << boxes.shown[0].body;
  EXPECT_EQ(Cell(kRecords + 1, cell::kSignature), cell::kNo);  // stopped before the end
}

}  // namespace
}  // namespace vanto
