// The demo plan and photograph the build made (build/resources/testplans):
// the plan loads with one record per pin of the description, its pins sit
// on the photograph's pads, its nets are nodes of the simulator's built-in
// board, and its golden signatures are real measurements: varied, shaped
// like their circuits, and found again by a fresh capture through the
// simulated instrument, by probe as well as by scanner. The fault overlay
// example fails exactly the records it breaks.
#include "demo_plan.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "foundation/number_text.h"
#include "demo_board.h"
#include "demo_board_text.h"
#include "demo_capture.h"
#include "image/picture_decoder.h"
#include "signature/golden_difference.h"
#include "testplan/golden_record.h"
#include "testplan/signature_record.h"
#include "signature/signature_settings.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto::testing {
namespace {

using demo::DemoBoard;
using demo::DemoComponent;
using demo::DemoRecord;
namespace column = demo::column;

const std::string kResources = VANTO_RESOURCE_DIR;

TestPlanState LoadDemoPlan() {
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages(clock, boxes);
  TestPlanState plan;
  EXPECT_TRUE(LoadTestPlan(plan, kResources + "/" + demo::kDemoPlanFile, messages));
  return plan;
}

int RowOf(const TestPlanState& plan, const std::string& component, int pin) {
  for (int row = 2; row <= RowCount(plan); ++row) {
    if (plan.table.Cell(row, column::kComponent) == component &&
        plan.table.Cell(row, column::kPin) == std::to_string(pin)) {
      return row;
    }
  }
  ADD_FAILURE() << "no record for " << component << " pin " << pin;
  return 2;
}

int IntCell(const TestPlanState& plan, int row, int column) {
  return ParseInt(plan.table.CellView(row, column));
}

// How far `measured` lies from the golden of `row`, in percent of the
// row's full scale, as the automatic test measures it.
float DifferenceFromGolden(TestPlanState& plan, int row, const Signature& measured) {
  SignatureAnalysis analysis;
  analysis.displaySignature = measured;
  plan.currentRecord = row;
  return MeasureGoldenDifference(analysis, plan);
}

float Threshold() {
  return GoldenVsLiveThresholdPercent(Settings{});
}

class DemoPlanTest : public ::testing::Test {
 protected:
  TestPlanState plan = LoadDemoPlan();
  const DemoBoard& board = demo::TheDemoBoard();
  const std::vector<DemoRecord> records = demo::DemoRecords(board);
};

TEST_F(DemoPlanTest, HasOneRecordPerPinAndNamesThePhotograph) {
  ASSERT_EQ(RowCount(plan), static_cast<int>(records.size()) + 1);
  EXPECT_EQ(plan.table.Columns(), kPlanColumns);
  EXPECT_EQ(plan.table.Cell(1, column::kImageFile), "testplans/demo1.jpg");
  EXPECT_EQ(IntCell(plan, 1, column::kViewX), board.width / 2);
  EXPECT_EQ(IntCell(plan, 1, column::kViewY), board.height / 2);
  EXPECT_EQ(plan.table.Cell(1, column::kZoom), "1");
  for (const DemoRecord& r : records) {
    const std::string where = r.component->name + " pin " + std::to_string(r.pin->number);
    EXPECT_EQ(IntCell(plan, r.row, column::kRecord), r.row) << where;
    EXPECT_EQ(plan.table.Cell(r.row, column::kDescription),
              r.component->name + ", Pin " + std::to_string(r.pin->number));
    EXPECT_EQ(plan.table.Cell(r.row, column::kComponent), r.component->name);
    EXPECT_EQ(IntCell(plan, r.row, column::kPin), r.pin->number) << where;
    EXPECT_EQ(plan.table.Cell(r.row, column::kStatus), r.pin->tested ? "Untested" : "NoTest");
    EXPECT_EQ(demo::NetFromUserText(plan.table.Cell(r.row, column::kUserText)), r.pin->net);
    EXPECT_EQ(IntCell(plan, r.row, column::kTestX), r.pin->x) << where;
    EXPECT_EQ(IntCell(plan, r.row, column::kTestY), r.pin->y) << where;
    // The record's view shows its component.
    const int zoom = IntCell(plan, r.row, column::kZoom);
    const int half = board.width / zoom / 2;
    EXPECT_LE(std::abs(IntCell(plan, r.row, column::kViewX) - r.pin->x), half) << where;
    EXPECT_LE(std::abs(IntCell(plan, r.row, column::kViewY) - r.pin->y), half) << where;
    // A probe plan: no scanner channels.
    EXPECT_EQ(plan.table.Cell(r.row, column::kScanSig), "") << where;
    EXPECT_EQ(plan.table.Cell(r.row, column::kScanCom), "") << where;
  }
  // Exactly one record is not tested: the header's unconnected pin.
  const int notTested = static_cast<int>(std::count_if(
      records.begin(), records.end(), [](const DemoRecord& r) { return !r.pin->tested; }));
  EXPECT_EQ(notTested, 1);
}

// Metal, not solder mask: the pads are tin, silver leads or gold pins, all
// without the mask's green cast.
bool LooksLikeMetal(const Picture& picture, int x, int y) {
  int r = 0, g = 0, b = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const Rgb c = picture.Pixel(x + dx, y + dy);
      r += c.r;
      g += c.g;
      b += c.b;
    }
  }
  return g - std::max(r, b) < 9 * 20 && r + g + b > 9 * 3 * 100;
}

TEST_F(DemoPlanTest, EveryPinLiesOnTheDrawnPadOfItsComponent) {
  const PictureResult photo = LoadPicture(kResources + "/" + demo::kDemoPhotographFile);
  ASSERT_TRUE(photo.Ok()) << photo.errorText;
  const Picture& picture = photo.picture;
  ASSERT_EQ(picture.width, board.width);
  ASSERT_EQ(picture.height, board.height);
  // The check tells the mask from metal: the middle of the board is mask.
  EXPECT_FALSE(LooksLikeMetal(picture, board.outline.left + 60, board.outline.CentreY()));

  std::map<std::string, const DemoComponent*> parts;
  for (const DemoComponent& part : board.components) parts[part.name] = &part;
  for (int row = 2; row <= RowCount(plan); ++row) {
    const std::string name = plan.table.Cell(row, column::kComponent);
    const int x = IntCell(plan, row, column::kTestX);
    const int y = IntCell(plan, row, column::kTestY);
    const std::string where = name + " pin " + plan.table.Cell(row, column::kPin);
    ASSERT_TRUE(parts.count(name)) << where;
    ASSERT_TRUE(x >= 1 && y >= 1 && x < picture.width - 1 && y < picture.height - 1) << where;
    EXPECT_TRUE(parts[name]->footprint.Contains(x, y)) << where;
    const Rgb c = picture.Pixel(x, y);
    EXPECT_TRUE(LooksLikeMetal(picture, x, y)) << where << " at " << x << "," << y << " is "
                                               << int(c.r) << "," << int(c.g) << "," << int(c.b);
  }
}

// Node names of the board text the simulator compiled in.
std::set<std::string> BuiltInNodes() {
  std::set<std::string> nodes;
  std::istringstream in(sim::builtin::kBoardText);
  std::string line;
  while (std::getline(in, line)) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string name;
    if (words >> name) nodes.insert(name);
  }
  return nodes;
}

TEST_F(DemoPlanTest, EveryNetItNamesIsANodeOfTheSimulatorsBuiltInBoard) {
  const std::set<std::string> nodes = BuiltInNodes();
  ASSERT_EQ(nodes.size(), board.nets.size());
  for (int row = 2; row <= RowCount(plan); ++row) {
    const std::string net = demo::NetFromUserText(plan.table.Cell(row, column::kUserText));
    EXPECT_TRUE(nodes.count(net)) << "row " << row << ": '" << net << "'";
  }
}

TEST_F(DemoPlanTest, EveryRecordHasAGoldenTakenWithItsComponentsSettings) {
  for (const DemoRecord& r : records) {
    const std::string where = r.component->name + " pin " + std::to_string(r.pin->number);
    EXPECT_EQ(plan.table.Cell(r.row, column::kSignature), "Yes") << where;
    EXPECT_EQ(IntCell(plan, r.row, column::kAmplitude), r.component->settings.millivolts);
    EXPECT_EQ(IntCell(plan, r.row, column::kResistance), r.component->settings.ohms);
    EXPECT_EQ(IntCell(plan, r.row, column::kFrequency), r.component->settings.hertz);
    const Signature golden = ReadSlotSignature(plan.table, r.row, 0);
    ASSERT_EQ(golden.pointCount, 64) << where;
    float swing = 0.0f;
    for (int i = 1; i <= 64; ++i) {
      swing = std::max({swing, std::abs(golden.voltage[i]), std::abs(golden.current[i]) * 1000});
    }
    EXPECT_GT(swing, 0.01f) << where << ": no signal in the golden";
    // Nothing in slot 1 yet.
    EXPECT_EQ(plan.table.Cell(r.row, kSlotColumns + 31), "") << where;
  }
}

struct Extremes {
  float vMin = 1e9f, vMax = -1e9f, iMin = 1e9f, iMax = -1e9f;
};

Extremes ExtremesOf(const Signature& s) {
  Extremes e;
  for (int i = 1; i <= s.pointCount; ++i) {
    e.vMin = std::min(e.vMin, s.voltage[i]);
    e.vMax = std::max(e.vMax, s.voltage[i]);
    e.iMin = std::min(e.iMin, s.current[i]);
    e.iMax = std::max(e.iMax, s.current[i]);
  }
  return e;
}

TEST_F(DemoPlanTest, GoldensHaveTheShapesOfTheirCircuits) {
  // R1, 1 kOhm, at 1 V through 1 kOhm: a line of slope -1 mA/V, +-0.5 V.
  const Signature r1 = ReadSlotSignature(plan.table, RowOf(plan, "R1", 1), 0);
  const Extremes line = ExtremesOf(r1);
  EXPECT_NEAR(line.vMax, 0.5f, 0.02f);
  EXPECT_NEAR(line.vMin, -0.5f, 0.02f);
  for (int i = 1; i <= 64; ++i) EXPECT_NEAR(r1.current[i], -r1.voltage[i] / 1000, 2e-5f) << i;

  // The unconnected header pin at 10 V through 10 kOhm: the whole 10 V, no
  // current.
  const Extremes open = ExtremesOf(ReadSlotSignature(plan.table, RowOf(plan, "J1", 7), 0));
  EXPECT_NEAR(open.vMax, 10.0f, 0.3f);
  EXPECT_NEAR(open.vMin, -10.0f, 0.3f);
  EXPECT_LT(std::max(open.iMax, -open.iMin), 5e-6f);

  // Ground: no voltage, the full 1 mA.
  const Extremes ground = ExtremesOf(ReadSlotSignature(plan.table, RowOf(plan, "J1", 3), 0));
  EXPECT_LT(std::max(ground.vMax, -ground.vMin), 0.05f);
  EXPECT_NEAR(ground.iMax, 1e-3f, 5e-5f);

  // D1's anode, a Schottky into the rail: clamped a few tenths of a volt
  // above ground, open below.
  const Extremes schottky = ExtremesOf(ReadSlotSignature(plan.table, RowOf(plan, "D1", 2), 0));
  EXPECT_GT(schottky.vMax, 0.15f);
  EXPECT_LT(schottky.vMax, 0.6f);
  EXPECT_NEAR(schottky.vMin, -10.0f, 0.3f);

  // ZD1's cathode: the 5.1 V zener above, its forward knee below.
  const Extremes zener = ExtremesOf(ReadSlotSignature(plan.table, RowOf(plan, "ZD1", 1), 0));
  EXPECT_NEAR(zener.vMax, 5.1f, 0.5f);
  EXPECT_NEAR(zener.vMin, -0.7f, 0.2f);

  // A port pin of U3: protection diodes both ways, near +-0.6 V at 1 V.
  const Extremes port = ExtremesOf(ReadSlotSignature(plan.table, RowOf(plan, "U3", 23), 0));
  EXPECT_NEAR(port.vMax, 0.55f, 0.12f);
  EXPECT_NEAR(port.vMin, -0.55f, 0.12f);
}

TEST_F(DemoPlanTest, PinsOfOneNetReadAlikeAndTheBoardShowsManyDifferentSignatures) {
  const float threshold = Threshold();
  // Records grouped by settings; within a group, one class per set of
  // records that match each other's goldens.
  std::map<std::tuple<int, int, int>, std::vector<int>> groups;
  for (const DemoRecord& r : records) {
    const auto& s = r.component->settings;
    groups[{s.millivolts, s.ohms, s.hertz}].push_back(r.row);
  }
  int classes = 0;
  for (const auto& [settings, rows] : groups) {
    std::vector<int> representatives;
    for (int row : rows) {
      const Signature golden = ReadSlotSignature(plan.table, row, 0);
      bool matched = false;
      for (int other : representatives) {
        if (DifferenceFromGolden(plan, other, golden) <= threshold) matched = true;
      }
      if (!matched) representatives.push_back(row);
    }
    classes += static_cast<int>(representatives.size());
  }
  EXPECT_GE(classes, 20);

  // Same net, same settings: the same signature within the threshold.
  for (std::size_t a = 0; a < records.size(); ++a) {
    for (std::size_t b = a + 1; b < records.size(); ++b) {
      const DemoRecord& ra = records[a];
      const DemoRecord& rb = records[b];
      if (ra.pin->net != rb.pin->net) continue;
      const auto& sa = ra.component->settings;
      const auto& sb = rb.component->settings;
      if (sa.millivolts != sb.millivolts || sa.ohms != sb.ohms || sa.hertz != sb.hertz) continue;
      const float d = DifferenceFromGolden(plan, ra.row, ReadSlotSignature(plan.table, rb.row, 0));
      EXPECT_LE(d, threshold) << ra.component->name << " pin " << ra.pin->number << " and "
                              << rb.component->name << " pin " << rb.pin->number;
    }
  }
}

// Standard error of this process collected into a file for a while.
class StderrCapture {
 public:
  StderrCapture() {
    std::fflush(stderr);
    saved_ = ::dup(2);
    file_ = std::tmpfile();
    ::dup2(::fileno(file_), 2);
  }
  std::string Stop() {
    std::fflush(stderr);
    ::dup2(saved_, 2);
    ::close(saved_);
    std::rewind(file_);
    std::string text;
    for (int c; (c = std::fgetc(file_)) != EOF;) text += static_cast<char>(c);
    std::fclose(file_);
    return text;
  }

 private:
  int saved_ = -1;
  std::FILE* file_ = nullptr;
};

class RecaptureTest : public DemoPlanTest {
 protected:
  void Configure(const std::string& config) {
    WriteFile("sim.cfg", config);
    ::setenv("ORX_SIM_CONFIG", (workdir.Path() / "sim.cfg").c_str(), 1);
    ::unsetenv("ORX_SIM_MODEL");
  }
  void TearDown() override { ::unsetenv("ORX_SIM_CONFIG"); }

  // Connects, with the simulator saying nothing about its configuration.
  static void ConnectWithoutWarnings(demo::CaptureSession& session) {
    StderrCapture errors;
    const bool connected = session.Connect();
    const std::string warnings = errors.Stop();
    ASSERT_TRUE(connected);
    EXPECT_EQ(warnings.find("orx_sim"), std::string::npos) << warnings;
  }

  // A fresh settled capture of `row` with its stored settings, measured
  // against its golden.
  float Recapture(demo::CaptureSession& session, int row, int scanSig) {
    const std::optional<Signature> live = session.CaptureSettled(
        {IntCell(plan, row, column::kAmplitude), IntCell(plan, row, column::kResistance),
         IntCell(plan, row, column::kFrequency), scanSig},
        5, 15000);
    EXPECT_TRUE(live.has_value()) << "row " << row;
    return live ? DifferenceFromGolden(plan, row, *live) : 100.0f;
  }

  // Lands the probe on the row's net (a new connection per landing) and
  // measures like an ORXA.
  float RecaptureByProbe(const std::string& extraConfig, const std::string& component, int pin) {
    const int row = RowOf(plan, component, pin);
    const std::string net = demo::NetFromUserText(plan.table.Cell(row, column::kUserText));
    Configure("model=ORXA\neeprom_file=\nprobe=" + net + "\n" + extraConfig);
    demo::CaptureSession session("ORXA", ORX_SIM_LIBRARY);
    EXPECT_TRUE(session.Connect());
    return Recapture(session, row, 0);
  }

  TempWorkdir workdir;
};

TEST_F(RecaptureTest, AProbeOnThePinFindsTheGoldenAgain) {
  // A resistor, a Schottky, the capacitor rail, a zener, an RC pin.
  const std::vector<std::pair<std::string, int>> pins = {
      {"R1", 1}, {"D1", 2}, {"C1", 1}, {"ZD1", 1}, {"U3", 20}};
  for (const auto& [component, pin] : pins) {
    const float d = RecaptureByProbe("", component, pin);
    EXPECT_LE(d, Threshold()) << component << " pin " << pin;
  }
}

TEST_F(RecaptureTest, TheDefaultScannerMapReachesEveryNetWithoutComplaint) {
  Configure("model=ORXC\neeprom_file=\n");
  demo::CaptureSession session("ORXC", ORX_SIM_LIBRARY);
  // The built-in board, walk and map parse without a single warning.
  ASSERT_NO_FATAL_FAILURE(ConnectWithoutWarnings(session));
  for (const auto& [component, pin] :
       std::vector<std::pair<std::string, int>>{{"Q1", 3}, {"U2", 1}, {"U3", 29}, {"J1", 7}}) {
    const int row = RowOf(plan, component, pin);
    const std::string net = demo::NetFromUserText(plan.table.Cell(row, column::kUserText));
    EXPECT_LE(Recapture(session, row, demo::ScannerChannel(board, net)), Threshold())
        << component << " pin " << pin;
  }
}

TEST_F(RecaptureTest, TheFaultOverlayFailsTheRecordsItBreaksAndNoOthers) {
  Configure(std::string("model=ORXC\neeprom_file=\nfault_file=") + DEMO_FAULT_FILE + "\n");
  demo::CaptureSession session("ORXC", ORX_SIM_LIBRARY);
  ASSERT_NO_FATAL_FAILURE(ConnectWithoutWarnings(session));
  // Every record on a faulty net fails; a few on good nets, some beside the
  // faulty parts, still pass.
  const std::set<std::string> faulty = {"PD6", "AIN", "QB", "RST_N"};
  const std::set<std::pair<std::string, int>> goodSamples = {
      {"R1", 1}, {"ZD1", 2}, {"U3", 20}, {"R4", 2}, {"Q1", 3}};
  int failed = 0;
  int expectedFailures = 0;
  for (const DemoRecord& r : records) {
    const bool onFaultyNet = faulty.count(r.pin->net) > 0;
    expectedFailures += onFaultyNet ? 1 : 0;
    if (!onFaultyNet && !goodSamples.count({r.component->name, r.pin->number})) continue;
    const float d = Recapture(session, r.row, demo::ScannerChannel(board, r.pin->net));
    EXPECT_EQ(d > Threshold(), onFaultyNet) << r.component->name << " pin " << r.pin->number << " ("
                                            << r.pin->net << "): " << d << " %";
    failed += d > Threshold() ? 1 : 0;
  }
  EXPECT_EQ(failed, expectedFailures);
  EXPECT_EQ(expectedFailures, 9);  // the records the example file lists
}

}  // namespace
}  // namespace vanto::testing
