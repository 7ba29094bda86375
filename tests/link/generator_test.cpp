// Generator settings: the value actions, the A/B function table, the
// generator step and the register values of ApplyGeneratorSettings.
#include <gtest/gtest.h>

#include "link/button_functions.h"
#include "link/command_records.h"
#include "link/frame_processing.h"
#include "link/generator_apply.h"
#include "link/generator_full_scale.h"
#include "link/generator_lists.h"
#include "link/live_signature.h"
#include "link/link_fixture.h"
#include "link/value_actions.h"
#include "support/process_locale.h"

namespace vanto::testing {
namespace {

struct ActionCase {
  std::string model;
  ValueAction action;
  float from;
  float to;
};

std::string Name(ValueAction action) {
  switch (action) {
    case ValueAction::VoltagePlus: return "Voltage+";
    case ValueAction::VoltageMinus: return "Voltage-";
    case ValueAction::CycleVoltage: return "CycleVoltage";
    case ValueAction::ResistancePlus: return "Resistance+";
    case ValueAction::ResistanceMinus: return "Resistance-";
    case ValueAction::CycleResistance: return "CycleResistance";
    case ValueAction::FrequencyPlus: return "Frequency+";
    case ValueAction::FrequencyMinus: return "Frequency-";
    case ValueAction::CycleFrequency: return "CycleFrequency";
  }
  return "?";
}

float& Requested(GeneratorSettings& g, ValueAction action) {
  switch (action) {
    case ValueAction::VoltagePlus:
    case ValueAction::VoltageMinus:
    case ValueAction::CycleVoltage: return g.requestedMv;
    case ValueAction::FrequencyPlus:
    case ValueAction::FrequencyMinus:
    case ValueAction::CycleFrequency: return g.requestedHz;
    default: return g.requestedOhms;
  }
}

class ValueActionTest : public ::testing::TestWithParam<ActionCase> {};

TEST_P(ValueActionTest, StepsToTheNextListValue) {
  const ActionCase& c = GetParam();
  GeneratorSettings g;
  Requested(g, c.action) = c.from;
  RunValueAction(g, c.model, c.action);
  EXPECT_EQ(Requested(g, c.action), c.to) << c.model << " " << Name(c.action) << " from " << c.from;
}

using A = ValueAction;
INSTANTIATE_TEST_SUITE_P(
    Lists, ValueActionTest,
    ::testing::Values(ActionCase{"ORXA", A::VoltagePlus, 200, 400},
                      ActionCase{"ORXA", A::VoltagePlus, 1000, 2000},
                      ActionCase{"ORXA", A::VoltagePlus, 5000, 10000},
                      ActionCase{"ORXA", A::VoltagePlus, 10000, 10000},
                      ActionCase{"ORXA", A::VoltageMinus, 2000, 1000},
                      ActionCase{"ORXA", A::VoltageMinus, 200, 200},
                      ActionCase{"ORXA", A::CycleVoltage, 800, 1000},
                      ActionCase{"ORXA", A::CycleVoltage, 10000, 200},
                      ActionCase{"ORXA", A::VoltagePlus, 1500, 1500},    // not in the list
                      ActionCase{"ORXA", A::VoltagePlus, 999.6f, 2000},  // rounded first
                      ActionCase{"ORXA", A::FrequencyPlus, 10, 20},
                      ActionCase{"ORXA", A::FrequencyPlus, 500, 1000},
                      ActionCase{"ORXA", A::FrequencyPlus, 1000, 1000},
                      ActionCase{"ORXA", A::FrequencyMinus, 50, 20},
                      ActionCase{"ORXA", A::FrequencyMinus, 10, 10},
                      ActionCase{"ORXA", A::CycleFrequency, 200, 500},
                      ActionCase{"ORXA", A::CycleFrequency, 1000, 10},
                      ActionCase{"ORXA", A::CycleFrequency, 60, 60},
                      ActionCase{"ORXA", A::ResistancePlus, 100, 1000},
                      ActionCase{"ORXA", A::ResistancePlus, 1000, 10000},
                      ActionCase{"ORXA", A::ResistancePlus, 10000, 10000},
                      ActionCase{"ORXA", A::ResistanceMinus, 10000, 1000},
                      ActionCase{"ORXA", A::ResistanceMinus, 100, 100},
                      ActionCase{"ORXA", A::CycleResistance, 100, 1000},
                      ActionCase{"ORXA", A::CycleResistance, 10000, 100},
                      ActionCase{"ORXA", A::ResistancePlus, 500, 500},  // not an ORXA resistor
                      ActionCase{"ORXAP", A::CycleResistance, 1000, 10000},
                      ActionCase{"ORXB", A::ResistancePlus, 50, 100},
                      ActionCase{"ORXB", A::ResistancePlus, 2000, 5000},
                      ActionCase{"ORXB", A::ResistancePlus, 10000, 10000},
                      ActionCase{"ORXC", A::ResistanceMinus, 200, 100},
                      ActionCase{"ORXCB", A::ResistanceMinus, 50, 50},
                      ActionCase{"ORXD", A::ResistancePlus, 100, 100},
                      ActionCase{"ORXD", A::CycleResistance, 100, 100}));

TEST(CycleResistanceTest, GoesDownAndUpAgainOnEightResistorModels) {
  for (const char* model : {"ORXB", "ORXC", "ORXCB"}) {
    GeneratorSettings g;
    ASSERT_EQ(g.cycleDirection, "Down");
    g.requestedOhms = 10000;
    std::vector<float> seen;
    for (int press = 0; press < 15; ++press) {
      RunValueAction(g, model, ValueAction::CycleResistance);
      seen.push_back(g.requestedOhms);
      if (press == 7) {
        EXPECT_EQ(g.cycleDirection, "Up") << model;
      }
    }
    EXPECT_EQ(seen, (std::vector<float>{5000, 2000, 1000, 500, 200, 100, 50, 100, 200, 500, 1000,
                                        2000, 5000, 10000, 5000}))
        << model;
    EXPECT_EQ(g.cycleDirection, "Down") << model;
  }
}

TEST(CycleResistanceTest, DirectionPersistsAcrossOtherActions) {
  GeneratorSettings g;
  g.cycleDirection = "Up";
  g.requestedOhms = 200;
  RunValueAction(g, "ORXB", ValueAction::ResistanceMinus);
  EXPECT_EQ(g.requestedOhms, 100);
  RunValueAction(g, "ORXB", ValueAction::CycleResistance);
  EXPECT_EQ(g.requestedOhms, 200);
  EXPECT_EQ(g.cycleDirection, "Up");
}

TEST(SelectTest, ListIndicesGiveTheListValues) {
  GeneratorSettings g;
  const float volts[] = {200, 400, 600, 800, 1000, 2000, 3000, 4000, 5000, 10000};
  for (int i = 0; i < 10; ++i) {
    SelectVoltage(g, i);
    EXPECT_EQ(g.requestedMv, volts[i]) << "index " << i;
  }
  const float hz[] = {10, 20, 50, 100, 200, 500, 1000};
  for (int i = 0; i < 7; ++i) {
    SelectFrequency(g, i);
    EXPECT_EQ(g.requestedHz, hz[i]) << "index " << i;
  }
  const float threeOhms[] = {10000, 1000, 100};
  for (int i = 0; i < 3; ++i) {
    SelectResistance(g, "ORXAP", i);
    EXPECT_EQ(g.requestedOhms, threeOhms[i]) << "index " << i;
  }
  const float eightOhms[] = {10000, 5000, 2000, 1000, 500, 200, 100, 50};
  for (int i = 0; i < 8; ++i) {
    SelectResistance(g, "ORXC", i);
    EXPECT_EQ(g.requestedOhms, eightOhms[i]) << "index " << i;
  }
}

TEST(SelectTest, IndicesOutsideTheListChangeNothing) {
  GeneratorSettings g;
  SelectVoltage(g, 10);
  SelectFrequency(g, -1);
  SelectResistance(g, "ORXA", 3);
  SelectDcMode(g, 6);
  SelectScanSig(g, 41);
  EXPECT_EQ(g.requestedMv, 1000);
  EXPECT_EQ(g.requestedHz, 50);
  EXPECT_EQ(g.requestedOhms, 10000);
  EXPECT_EQ(g.dcMode, 0);
  EXPECT_EQ(g.scanSig, 0);
}

TEST(SelectTest, DirectSettings) {
  GeneratorSettings g;
  SelectDcMode(g, 3);
  EXPECT_EQ(g.dcMode, 3);
  SelectDcLevel(g, 7);
  EXPECT_EQ(g.dcLevel, 3.3f);
  SelectDcLevel(g, 0);
  EXPECT_EQ(g.dcLevel, 10.0f);
  SelectDcLevel(g, 39);
  EXPECT_EQ(g.dcLevel, -10.0f);
  SelectDcLevel(g, 40);
  EXPECT_EQ(g.dcLevel, -10.0f);  // past the end: unchanged
  SelectDcLevel(g, kDefaultDcLevelIndex);
  EXPECT_EQ(g.dcLevel, 0.0f);
  SelectScanSig(g, 40);
  SelectScanCom(g, 12);
  EXPECT_EQ(g.scanSig, 40);
  EXPECT_EQ(g.scanCom, 12);
}

TEST(GeneratorListsTest, TextsOfTheLists) {
  EXPECT_EQ(ResistanceChoices("ORXA").size(), 3u);
  EXPECT_STREQ(ResistanceChoices("ORXA")[1].text, "Resistance: 1K ohms");
  EXPECT_EQ(ResistanceChoices("ORXB").size(), 8u);
  EXPECT_STREQ(ResistanceChoices("ORXB")[7].text, "Resistance: 50 ohms");
  EXPECT_TRUE(ResistanceChoices("ORXD").empty());
  EXPECT_EQ(ScannerChoiceText(true, 0), "Off");
  EXPECT_EQ(ScannerChoiceText(true, 7), "Sig: 7");
  EXPECT_EQ(ScannerChoiceText(false, 40), "Com: 40");
  EXPECT_EQ(DcLevelVolts(" -2.75V"), -2.75f);
}

class DcLevelsInLocale : public EachLocaleTest {};

TEST_P(DcLevelsInLocale, ReadTheirFractionsAndFallFromTopToBottom) {
  const struct {
    const char* text;
    float volts;
  } levels[] = {{"+10.00V", 10.0f}, {" +3.3V", 3.3f}, {" +2.75V", 2.75f},
                {" 0V", 0.0f},      {" -0.25V", -0.25f}};
  for (const auto& level : levels) EXPECT_EQ(DcLevelVolts(level.text), level.volts) << level.text;
  for (std::size_t i = 1; i < kDcLevelTexts.size(); ++i) {
    EXPECT_LT(DcLevelVolts(kDcLevelTexts[i]), DcLevelVolts(kDcLevelTexts[i - 1]))
        << kDcLevelTexts[i];
  }
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(DcLevelsInLocale);

TEST(ButtonFunctionsTest, TextsAndActions) {
  EXPECT_EQ(ButtonFunctionText('A', 0), "A= No Function");
  EXPECT_EQ(ButtonFunctionText('B', 0), "B= No Function");
  EXPECT_EQ(ButtonFunctionText('A', kDefaultButtonAFunction), "A= Cycle Frequency");
  EXPECT_EQ(ButtonFunctionText('B', kDefaultButtonBFunction), "B= Cycle Voltage");
  EXPECT_EQ(ButtonFunctionText('A', 10), "A= GOOD/CAPTURE");
  EXPECT_EQ(ButtonFunctionText('B', 13), "B= -1 test");
  EXPECT_EQ(ButtonFunctionText('A', 15), "A= THAW");
  EXPECT_EQ(ButtonFunctionText('A', 16), "");

  const std::optional<ValueAction> expected[kButtonFunctionCount] = {
      std::nullopt,      A::CycleResistance, A::ResistancePlus, A::ResistanceMinus,
      A::CycleFrequency, A::FrequencyPlus,   A::FrequencyMinus, A::CycleVoltage,
      A::VoltagePlus,    A::VoltageMinus,    std::nullopt,      std::nullopt,
      std::nullopt,      std::nullopt,       std::nullopt,      std::nullopt};
  for (int i = 0; i < kButtonFunctionCount; ++i) {
    EXPECT_EQ(ButtonValueAction(i), expected[i]) << "index " << i;
  }
}

using GeneratorStepTest = LinkTest;

TEST_F(GeneratorStepTest, NoChangeSendsNothing) {
  Open();
  GeneratorStep(link);  // the first pass applies
  ASSERT_EQ(device->Writes().size(), 5u);
  device->ClearRecords();
  state.displayRefreshRequested = false;
  GeneratorStep(link);
  EXPECT_TRUE(device->Writes().empty());
  EXPECT_FALSE(state.displayRefreshRequested);
}

TEST_F(GeneratorStepTest, AChangeRefreshesAndSendsTheFiveRuns) {
  int refreshes = 0;
  link.refreshInterface = [&] { ++refreshes; };
  Open();
  GeneratorStep(link);
  device->ClearRecords();
  refreshes = 0;

  state.generator.dcGain = 1291.55f;
  state.generator.dcZero = 16282.5f;
  state.generator.dcLevel = 3.3f;
  GeneratorStep(link);
  EXPECT_EQ(refreshes, 1);
  EXPECT_TRUE(TakeDisplayRefreshRequest(state));
  EXPECT_EQ(state.generator.sentDcLevel, 3.3f);
  const std::vector<Bytes> writes = device->Writes();
  ASSERT_EQ(writes.size(), 5u);
  const std::size_t sizes[] = {16, 48, 8, 72, 64};  // 30-31, 0-5, 6, 7-15, 16-23
  for (int i = 0; i < 5; ++i) EXPECT_EQ(writes[static_cast<std::size_t>(i)].size(), sizes[i]);
  // Register 20 is the fifth record of the run 16-23.
  EXPECT_EQ(Bytes(writes[4].begin() + 32, writes[4].begin() + 40), WriteRecordBytes(20, 20545));
  EXPECT_EQ(Bytes(writes[4].begin() + 40, writes[4].begin() + 48), WriteRecordBytes(21, 16282));
}

TEST_F(GeneratorStepTest, EachValueCountsAsAChange) {
  Open();
  GeneratorStep(link);
  using Change = void (*)(GeneratorSettings&);
  const Change changes[] = {
      [](GeneratorSettings& g) { g.requestedMv = 2000; },
      [](GeneratorSettings& g) { g.requestedOhms = 1000; },
      [](GeneratorSettings& g) { g.requestedHz = 1000; },
      [](GeneratorSettings& g) { g.scanSig = 3; },
      [](GeneratorSettings& g) { g.scanCom = 4; },
      [](GeneratorSettings& g) { g.dcMode = 2; },
      [](GeneratorSettings& g) { g.dcLevel = -1.0f; },
  };
  for (std::size_t i = 0; i < std::size(changes); ++i) {
    device->ClearRecords();
    changes[i](state.generator);
    GeneratorStep(link);
    EXPECT_EQ(device->Writes().size(), 5u) << "change " << i;
  }
}

TEST_F(GeneratorStepTest, AChangeWhileClosedGoesOutOnceOpen) {
  state.generator.requestedMv = 3000;
  GeneratorStep(link);
  EXPECT_EQ(state.generator.sendSettings, 1);
  EXPECT_EQ(state.generator.appliedMv, 3000);
  EXPECT_TRUE(device->writes.empty());
  Open();
  GeneratorStep(link);
  EXPECT_EQ(state.generator.sendSettings, 0);
  EXPECT_EQ(device->Writes().size(), 5u);
  EXPECT_EQ(state.registers[kPeakMvRegister], 3000);
}

using ApplyTest = LinkTest;

TEST_F(ApplyTest, RangeBitFollowsThePeakVoltage) {
  Open();
  state.registers[kControlRegister] = kControlConnectBit;
  const struct {
    float mv;
    bool high;
  } cases[] = {{0, false},    {200, false},  {1000, false}, {2000, true},
               {10000, true}, {15000, true}, {800, false}};
  for (const auto& c : cases) {
    state.generator.appliedMv = c.mv;
    ApplyGeneratorSettings(link);
    EXPECT_EQ((state.registers[kControlRegister] & kControlHighRangeBit) != 0, c.high) << c.mv;
    EXPECT_EQ(state.registers[kControlRegister] & kControlConnectBit, kControlConnectBit);
  }
}

TEST_F(ApplyTest, TablesGiveAmplitudeAndOffsetCodes) {
  Open();
  state.generator.amplitudeCode[1] = 11425;  // 200 mV
  state.generator.offsetCode[1] = -12;
  state.generator.appliedMv = 200;
  ApplyGeneratorSettings(link);
  EXPECT_EQ(state.registers[kAmplitudeRegister], 11425);
  EXPECT_EQ(state.registers[kOffsetRegister], -12);
  state.generator.appliedMv = 20000;
  ApplyGeneratorSettings(link);
  EXPECT_EQ(state.registers[kAmplitudeRegister], 65535);
  EXPECT_EQ(state.registers[kOffsetRegister], 0);
}

TEST_F(ApplyTest, ValuesOutsideTheTablesPassThroughAndTheRestStays) {
  Open();
  state.generator.appliedMv = 1000;
  state.generator.appliedOhms = 1000;
  state.generator.appliedHz = 200;
  state.generator.amplitudeCode[5] = 57125;
  ApplyGeneratorSettings(link);
  const RegisterImage before = state.registers;

  state.generator.appliedMv = 1500;
  state.generator.appliedOhms = 300;
  state.generator.appliedHz = 60;
  ApplyGeneratorSettings(link);
  EXPECT_EQ(state.registers[kPeakMvRegister], 1500);
  EXPECT_EQ(state.registers[kOhmsRegister], 300);
  EXPECT_EQ(state.registers[kFrequencyRegister], 60);
  for (int r : {kControlRegister, kAmplitudeRegister, kOffsetRegister, kSamplesPerPointRegister,
                kCyclesPerFrameRegister, kPointCountRegister}) {
    EXPECT_EQ(state.registers[r], before[r]) << "register " << r;
  }
  EXPECT_EQ(state.generator.actualOhms, 1000);
}

TEST_F(ApplyTest, ResistorsOfAnotherModelLeaveActualOhms) {
  model = "ORXA";
  Open();
  state.generator.appliedOhms = 500;  // an ORXB resistor
  ApplyGeneratorSettings(link);
  EXPECT_EQ(state.registers[kOhmsRegister], 500);
  EXPECT_EQ(state.generator.actualOhms, 10000);
  state.generator.appliedOhms = 100;
  ApplyGeneratorSettings(link);
  EXPECT_EQ(state.generator.actualOhms, 100);
}

// The instrument's 1 kOhm resistor measures 1012.4 Ohm: the peak current of
// the scopes and the live current both use what was measured, not the name.
TEST_F(ApplyTest, PeakAndLiveCurrentUseTheMeasuredResistor) {
  model = "ORXA";
  Open();
  state.generator.resistorOhms[4] = 1012.4f;  // the 1k position
  state.generator.appliedMv = 1000;
  state.generator.appliedOhms = 1000;
  ApplyGeneratorSettings(link);
  ASSERT_EQ(state.registers[kOhmsRegister], 1000);
  EXPECT_EQ(state.generator.actualOhms, 1012);
  EXPECT_FLOAT_EQ(GeneratorFullScale(state.generator).amps, 1.0f / 1012.0f);

  DecodedFrame frame;
  frame.rawAdc0[1] = 0;
  frame.rawAdc1[1] = 1000;
  state.generator.samplesPerPoint = 1;
  state.generator.cyclesPerFrame = 1;
  AdcCalibration adc{.gain0 = 0.001f, .offset0 = 0.0f, .gain1 = 0.001f, .offset1 = 0.0f};
  Signature live{.pointCount = 1};
  ConvertLiveSignature(frame, adc, state.generator, live);
  EXPECT_FLOAT_EQ(live.current[1], 1.0f / 1012.0f);
}

TEST_F(ApplyTest, FrequencySetsTheFrameShape) {
  Open();
  const struct {
    float hz;
    int samples;
    int cycles;
  } shapes[] = {{10, 100, 1}, {20, 50, 2},  {50, 20, 4},  {100, 10, 8},
                {200, 5, 16}, {500, 2, 40}, {1000, 1, 80}};
  for (const auto& s : shapes) {
    live.pointCount = 0;
    state.generator.appliedHz = s.hz;
    ApplyGeneratorSettings(link);
    EXPECT_EQ(live.pointCount, 64) << s.hz;
    EXPECT_EQ(state.generator.samplesPerPoint, s.samples) << s.hz;
    EXPECT_EQ(state.generator.cyclesPerFrame, s.cycles) << s.hz;
    EXPECT_EQ(state.registers[kPointCountRegister], 64);
    EXPECT_EQ(state.registers[kSamplesPerPointRegister], s.samples);
    EXPECT_EQ(state.registers[kCyclesPerFrameRegister], s.cycles);
    EXPECT_EQ(state.registers[kFrequencyRegister], static_cast<int>(s.hz));
  }
}

TEST_F(ApplyTest, ScannerAndDcRegisters) {
  Open();
  state.generator.scanSig = 12;
  state.generator.scanCom = 40;
  state.generator.dcMode = 5;
  state.generator.dcLevel = -10.0f;
  state.generator.dcGain = 1291.55f;
  state.generator.dcZero = 16282.5f;
  ApplyGeneratorSettings(link);
  EXPECT_EQ(state.registers[kScanSigRegister], 12);
  EXPECT_EQ(state.registers[kScanComRegister], 40);
  EXPECT_EQ(state.registers[kDcModeRegister], 5);
  EXPECT_EQ(state.registers[kDcCodeRegister], 3367);  // the -10 V code
  EXPECT_EQ(state.registers[kConstantRegister], 5);
}

TEST_F(ApplyTest, NothingHappensWhileClosed) {
  state.generator.appliedMv = 2000;
  ApplyGeneratorSettings(link);
  EXPECT_EQ(state.registers[kPeakMvRegister], 0);
  EXPECT_TRUE(device->writes.empty());
}

}  // namespace
}  // namespace vanto::testing
