// The main scope's label texts: axis ends and generator settings from the
// applied values in every mode, position and description in "Advanced".
#include "ui/scope_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process_locale.h"

namespace vanto {
namespace {

GeneratorSettings Applied(float mv, float ohms, float hz) {
  GeneratorSettings generator;
  generator.appliedMv = mv;
  generator.appliedOhms = ohms;
  generator.appliedHz = hz;
  return generator;
}

struct AppliedCase {
  float mv, ohms, hz;
  const char* generatorText;  // slot 5
  const char* currentPlus;    // slot 1; slot 3 has the minus sign
  const char* voltagePlus;    // slot 6; slot 4 has the minus sign
};

void ExpectLabelsInEveryMode(const AppliedCase& c) {
  TestPlanState plan;
  for (const char* mode : {"Basic", "Basic-Auto", "Advanced"}) {
    SCOPED_TRACE(mode);
    const ScopeLabels labels =
        ComposeScopeLabels(mode, plan, "plans\\a.ept", Applied(c.mv, c.ohms, c.hz));
    EXPECT_EQ(labels.Slot(5), c.generatorText);
    EXPECT_EQ(labels.Slot(1), std::string("+") + c.currentPlus);
    EXPECT_EQ(labels.Slot(3), std::string("-") + c.currentPlus);
    EXPECT_EQ(labels.Slot(4), std::string("-") + c.voltagePlus);
    EXPECT_EQ(labels.Slot(6), std::string("+") + c.voltagePlus);
    for (int slot : {2, 7, 8, 9, 12}) EXPECT_EQ(labels.Slot(slot), "") << "slot " << slot;
  }
}

const std::vector<AppliedCase> kAppliedCases = {
    {1000, 10000, 1000, "Vpk=1V, Z=10kohms, f=1kHz", "100uA", "1V"},
    {200, 50, 10, "Vpk=200mV, Z=50ohms, f=10Hz", "4mA", "200mV"},
    {10000, 100, 500, "Vpk=10V, Z=100ohms, f=500Hz", "100mA", "10V"},
    {600, 2000, 50, "Vpk=600mV, Z=2kohms, f=50Hz", "300uA", "600mV"},
    {5000, 5000, 20, "Vpk=5V, Z=5kohms, f=20Hz", "1mA", "5V"},
    // 3000 mV / 2000 ohms = 1.5 mA: halves are shown rounded up.
    {3000, 2000, 200, "Vpk=3V, Z=2kohms, f=200Hz", "2mA", "3V"},
    {5000, 2000, 200, "Vpk=5V, Z=2kohms, f=200Hz", "3mA", "5V"},
    // Applied values between list entries are shown as whole numbers.
    {1234.6f, 99.5f, 0.4f, "Vpk=1V, Z=100ohms, f=0Hz", "12mA", "1V"},
};

class AxisAndGeneratorLabels : public ::testing::TestWithParam<AppliedCase> {};

TEST_P(AxisAndGeneratorLabels, FollowTheAppliedSettingsInEveryMode) {
  ExpectLabelsInEveryMode(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Settings, AxisAndGeneratorLabels, ::testing::ValuesIn(kAppliedCases));

class LabelsInLocale : public testing::EachLocaleTest {};

TEST_P(LabelsInLocale, AreTheSameTextsAsUnderC) {
  for (const AppliedCase& c : kAppliedCases) {
    SCOPED_TRACE(c.generatorText);
    ExpectLabelsInEveryMode(c);
  }
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(LabelsInLocale);

TEST(ScopeLabels, NoResistanceYetLeavesTheCurrentLabelsEmpty) {
  TestPlanState plan;
  for (float mv : {0.0f, 1000.0f}) {
    const ScopeLabels labels = ComposeScopeLabels("Basic", plan, "", Applied(mv, 0, 0));
    EXPECT_EQ(labels.Slot(1), "");
    EXPECT_EQ(labels.Slot(3), "");
  }
  const ScopeLabels start = ComposeScopeLabels("Basic", plan, "", Applied(0, 0, 0));
  EXPECT_EQ(start.Slot(5), "Vpk=0mV, Z=0ohms, f=0Hz");
}

class RecordLabels : public ::testing::Test {
 protected:
  RecordLabels() {
    plan.table.InsertEmptyRows(2, 51);  // rows 2..52
    plan.table.SetCell(7, 8, "IC17, Pin 3");
    plan.table.SetCell(8, 8, "R5\xC2\xA3 left");  // a "£" left in a cell
    plan.table.SetCell(8, 12, "check solder");
  }
  ScopeLabels Compose(const char* mode) {
    return ComposeScopeLabels(mode, plan, "testplans\\demo1.ept", Applied(1000, 10000, 1000));
  }
  TestPlanState plan;
};

TEST_F(RecordLabels, AdvancedShowsPositionAndDescription) {
  plan.currentRecord = 7;
  const ScopeLabels labels = Compose("Advanced");
  EXPECT_EQ(labels.Slot(10), "7/52");
  EXPECT_EQ(labels.Slot(11), "IC17, Pin 3");  // empty user text: no trailing ", "
}

TEST_F(RecordLabels, UserTextFollowsTheDescriptionAndPoundsShowAsCommas) {
  plan.currentRecord = 8;
  EXPECT_EQ(Compose("Advanced").Slot(11), "R5, left, check solder");
}

TEST_F(RecordLabels, PlanRowShowsThePlanFileWithItsFolder) {
  plan.currentRecord = 1;
  const ScopeLabels labels = Compose("Advanced");
  EXPECT_EQ(labels.Slot(11), "testplans\\demo1.ept");
  EXPECT_EQ(labels.Slot(10), "1/52");
}

TEST_F(RecordLabels, PastTheEndShowsOnlyThePosition) {
  plan.currentRecord = 53;
  const ScopeLabels labels = Compose("Advanced");
  EXPECT_EQ(labels.Slot(10), "53/52");
  EXPECT_EQ(labels.Slot(11), "");
}

TEST_F(RecordLabels, BasicModesLeaveThemEmpty) {
  plan.currentRecord = 7;
  for (const char* mode : {"Basic", "Basic-Auto"}) {
    const ScopeLabels labels = Compose(mode);
    EXPECT_EQ(labels.Slot(10), "") << mode;
    EXPECT_EQ(labels.Slot(11), "") << mode;
    EXPECT_EQ(labels.Slot(5), "Vpk=1V, Z=10kohms, f=1kHz") << mode;
  }
}

}  // namespace
}  // namespace vanto
