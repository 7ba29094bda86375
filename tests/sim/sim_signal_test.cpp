// The simulated signal path seen through the program's conversion: resistor
// nodes give straight lines of the right slope, open nodes flat current,
// diodes and zeners their knees, capacitors loops; the board, its fault
// overlay, the scanner and the probe script choose what is measured.
#include <algorithm>
#include <chrono>
#include <thread>

#include "sim/sim_session.h"

namespace vanto::testing {
namespace {

float MaxOf(const std::array<float, 64>& v) {
  return *std::max_element(v.begin(), v.end());
}
float MinOf(const std::array<float, 64>& v) {
  return *std::min_element(v.begin(), v.end());
}

std::size_t IndexOfMax(const std::array<float, 64>& v) {
  return static_cast<std::size_t>(std::max_element(v.begin(), v.end()) - v.begin());
}
std::size_t IndexOfMin(const std::array<float, 64>& v) {
  return static_cast<std::size_t>(std::min_element(v.begin(), v.end()) - v.begin());
}

// The program's open-circuit test: every current within the band around the mean.
bool CurrentIsFlat(const Curve& curve, double fullScaleAmps, double band) {
  double mean = 0;
  for (float a : curve.amps) mean += a;
  mean /= 64;
  for (float a : curve.amps) {
    if (std::abs(a - mean) > band * fullScaleAmps) return false;
  }
  return true;
}

class SignalTest : public SimSession {
 protected:
  void Start(const std::string& config) {
    Configure(config);
    OpenDevice();
  }
};

struct ResistorCase {
  const char* circuit;
  double nodeOhms;
  Settings setup;
};

void PrintTo(const ResistorCase& c, std::ostream* os) {
  *os << c.circuit << " at ";
  PrintTo(c.setup, os);
}

class ResistorNode : public SignalTest, public ::testing::WithParamInterface<ResistorCase> {};

// The program's current is (node - generator) / R, so a load gives a falling
// line in these units (the scope draws positive current downwards).
TEST_P(ResistorNode, GivesAStraightLineOfTheResistorsSlope) {
  const ResistorCase& c = GetParam();
  Start(std::string("model=ORXB\nprobe=N\nnode.N=") + c.circuit + "\n");
  Curve curve = Measure(c.setup);
  Line line = FitLine(curve);
  const double expected = -1.0 / c.nodeOhms;
  EXPECT_NEAR(line.slope, expected, 0.02 * std::abs(expected));
  const double fullScaleAmps = c.setup.peakMv / 1000.0 / c.setup.ohms;
  EXPECT_LT(line.worstResidual, 0.01 * fullScaleAmps);
  const double nodePeak = c.setup.peakMv / 1000.0 * c.nodeOhms / (c.nodeOhms + c.setup.ohms);
  EXPECT_NEAR(MaxOf(curve.volts), nodePeak, 0.03 * nodePeak);
  EXPECT_NEAR(MinOf(curve.volts), -nodePeak, 0.03 * nodePeak);
}

INSTANTIATE_TEST_SUITE_P(Settings, ResistorNode,
                         ::testing::Values(ResistorCase{"R1k", 1000, {1000, 1000, 1000, 1, 8}},
                                           ResistorCase{"R1k", 1000, {10000, 10000, 100, 10, 8}},
                                           ResistorCase{"R1k", 1000, {200, 100, 50, 20, 4}},
                                           ResistorCase{"R10k", 10000, {5000, 10000, 1000, 1, 8}},
                                           ResistorCase{
                                               "R470+R530", 1000, {2000, 50, 200, 5, 16}}));

class OpenNode : public SignalTest, public ::testing::WithParamInterface<Settings> {};

TEST_P(OpenNode, GivesFlatCurrentOverTheWholeSwing) {
  Start("model=ORXB\nprobe=N\nnode.N=open\n");
  const Settings& s = GetParam();
  Curve curve = Measure(s);
  const double peak = s.peakMv / 1000.0;
  EXPECT_TRUE(CurrentIsFlat(curve, peak / s.ohms, 0.0025));
  EXPECT_GT(MaxOf(curve.volts), 0.97 * peak);
  EXPECT_LT(MinOf(curve.volts), -0.97 * peak);
}

INSTANTIATE_TEST_SUITE_P(Settings, OpenNode,
                         ::testing::Values(Settings{1000, 1000, 1000, 1, 80},
                                           Settings{200, 50, 1000, 1, 80},
                                           Settings{200, 50, 10, 100, 1},
                                           Settings{10000, 10000, 100, 10, 8}));

TEST_F(SignalTest, DiodeConductsAboveItsKneeOnly) {
  Start("model=ORXB\nprobe=N\nnode.N=D\n");
  Curve curve = Measure({5000, 1000, 100, 10, 8});
  const float knee = MaxOf(curve.volts);
  EXPECT_GT(knee, 0.55f);
  EXPECT_LT(knee, 0.85f);
  EXPECT_LT(MinOf(curve.volts), -4.8f);
  // Reverse biased: next to no current; forward: most of the available current.
  EXPECT_LT(std::abs(curve.amps[IndexOfMin(curve.volts)]), 0.005 * 5.0 / 1000);
  EXPECT_GT(std::abs(curve.amps[IndexOfMax(curve.volts)]), 0.8 * (5.0 - knee) / 1000);
}

TEST_F(SignalTest, ZenerBreaksDownAtItsVoltageAndConductsForward) {
  Start("model=ORXB\nprobe=N\nnode.N=Z5.1\n");
  Curve curve = Measure({10000, 1000, 100, 10, 8});
  EXPECT_NEAR(MaxOf(curve.volts), 5.1, 0.3);
  EXPECT_GT(MinOf(curve.volts), -0.85f);
  EXPECT_LT(MinOf(curve.volts), -0.55f);
}

TEST_F(SignalTest, CapacitorDrawsItsLargestCurrentNearZeroVolts) {
  Start("model=ORXB\nprobe=N\nnode.N=C1u\n");
  Curve curve = Measure({1000, 1000, 100, 10, 8});
  std::array<float, 64> magnitude{};
  for (std::size_t i = 0; i < 64; ++i) magnitude[i] = std::abs(curve.amps[i]);
  std::size_t peak = IndexOfMax(magnitude);
  EXPECT_LT(std::abs(curve.volts[peak]), 0.3f * MaxOf(curve.volts));
  // A loop, not a line.
  EXPECT_GT(FitLine(curve).worstResidual, 0.2 * 1.0 / 1000);
}

TEST_F(SignalTest, FaultOverlayReplacesTheGoodNode) {
  WriteFile("board.txt", "# good board\nR1 R1k\nR2 R10k\n");
  WriteFile("fault.txt", "R1 open\n");
  Start("model=ORXB\nboard_file=board.txt\nprobe=R1\n");
  EXPECT_NEAR(FitLine(Measure({1000, 1000, 1000, 1, 8})).slope, -1e-3, 2e-5);
  CloseDevice();
  Start("model=ORXB\nboard_file=board.txt\nfault_file=fault.txt\nprobe=R1\n");
  EXPECT_TRUE(CurrentIsFlat(Measure({1000, 1000, 1000, 1, 8}), 1e-3, 0.005));
}

TEST_F(SignalTest, ScannerChannelsChooseTheNodes) {
  WriteFile("board.txt", "R1 R1k\nNC open\nR2 R1k\n");
  WriteFile("scanner.txt", "1 R1\n2 NC\n3 R2\n");
  Start("model=ORXC\nboard_file=board.txt\nscanner_map=scanner.txt\nprobe=NC\n");
  Settings s{1000, 1000, 1000, 1, 8};
  s.scanSig = 1;
  EXPECT_NEAR(FitLine(Measure(s)).slope, -1e-3, 2e-5);
  s.scanSig = 2;
  EXPECT_TRUE(CurrentIsFlat(Measure(s), 1e-3, 0.005));
  s.scanSig = 1;
  s.scanCom = 3;  // R1 to ground, then back up through R2
  EXPECT_NEAR(FitLine(Measure(s)).slope, -0.5e-3, 1e-5);
}

TEST_F(SignalTest, ProbeScriptLandsLiftsAndLoops) {
  WriteFile("probe.txt", "R1 1000 1000\n");  // wide steps: a busy machine is late
  Start("model=ORXA\nnode.R1=R1k\nprobe_script=probe.txt\n");
  const auto opened = std::chrono::steady_clock::now();
  Calibration c = LoadCalibration();
  Settings s{1000, 1000, 1000, 1, 1};
  Apply(s, c);
  auto frameAt = [&](int ms) {
    std::this_thread::sleep_until(opened + std::chrono::milliseconds(ms));
    return Convert(RequestFrame(), c, 1, 1000);
  };
  EXPECT_FALSE(CurrentIsFlat(frameAt(250), 1e-3, 0.005)) << "landed";
  EXPECT_TRUE(CurrentIsFlat(frameAt(1250), 1e-3, 0.005)) << "lifted";
  EXPECT_FALSE(CurrentIsFlat(frameAt(2250), 1e-3, 0.005)) << "landed again";
}

TEST_F(SignalTest, WithoutAnyConfigurationTheBuiltInBoardIsProbed) {
  ::unsetenv("ORX_SIM_CONFIG");
  ::setenv("ORX_SIM_MODEL", "ORXA", 1);
  OpenDevice();
  // The built-in probe script starts on a 1 kOhm resistor.
  EXPECT_NEAR(FitLine(Measure({1000, 1000, 1000, 1, 8})).slope, -1e-3, 2e-5);
}

TEST_F(SignalTest, TheTwoAdcsDisagreeUntilCalibrated) {
  Start("model=ORXA\nprobe=N\nnode.N=open\n");
  Calibration c = LoadCalibration();
  Apply({10000, 10000, 100, 10, 8}, c);
  DecodedFrame frame = RequestFrame();
  const std::size_t top = IndexOfMax(Convert(frame, c, 80, 10000).volts);
  const double raw0 = frame.adc0[top] / 80.0;
  const double raw1 = frame.adc1[top] / 80.0;
  EXPECT_GT(std::abs(raw0 - raw1) / std::abs(raw0), 0.02) << "raw counts of the same voltage";
  Curve curve = Convert(frame, c, 80, 10000);
  // Calibrated, the two agree within 0.1 % (the ADC input's own load drops 5 mV here).
  EXPECT_LT(std::abs(curve.amps[top]) * 10000, 0.01) << "calibrated volts agree";
}

}  // namespace
}  // namespace vanto::testing
