// The texts on a mini-scope: position, the row's stored generator settings
// with whole thousands, and its description.
#include "ui/mini_scope_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vanto {
namespace {

class MiniScopeText : public ::testing::Test {
 protected:
  MiniScopeText() {
    plan.table.InsertEmptyRows(2, 4);  // rows 2..5
    SetSettings(2, "200", "10000", "1000");
    SetSettings(3, "1500", "50", "10");
    SetSettings(4, "10000", "2000", "500");
    plan.table.SetCell(2, 8, "IC17, Pin 3");
    plan.table.SetCell(2, 12, "not shown");
    plan.table.SetCell(3, 8, "J1\xC2\xA3 Pin 2");
  }
  void SetSettings(int row, const char* mv, const char* ohms, const char* hz) {
    plan.table.SetCell(row, 2, mv);
    plan.table.SetCell(row, 4, ohms);
    plan.table.SetCell(row, 6, hz);
  }
  TestPlanState plan;
};

struct PositionCase {
  int row;
  const char* text;
};

class MiniScopePosition : public MiniScopeText,
                          public ::testing::WithParamInterface<PositionCase> {};

TEST_P(MiniScopePosition, ShowsWhereTheRowIs) {
  EXPECT_EQ(MiniScopePositionText(plan, GetParam().row, "testplans\\board\\demo1.ept"),
            GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, MiniScopePosition,
                         ::testing::Values(PositionCase{2, "2/5"}, PositionCase{5, "5/5"},
                                           PositionCase{6, "END"}, PositionCase{1, "demo1.ept"},
                                           PositionCase{0, ""}, PositionCase{-3, ""},
                                           PositionCase{7, ""}));

TEST_F(MiniScopeText, PlanRowNameWithForwardSlashesOrNoFolder) {
  EXPECT_EQ(MiniScopePositionText(plan, 1, "plans/x.ept"), "x.ept");
  EXPECT_EQ(MiniScopePositionText(plan, 1, "x.ept"), "x.ept");
}

struct GeneratorCase {
  int row;
  const char* text;
};

class MiniScopeGenerator : public MiniScopeText,
                           public ::testing::WithParamInterface<GeneratorCase> {};

TEST_P(MiniScopeGenerator, ShowsTheStoredSettings) {
  EXPECT_EQ(MiniScopeGeneratorText(plan, GetParam().row), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, MiniScopeGenerator,
                         ::testing::Values(GeneratorCase{2, "Vpk=200mV, Z=10kohms, f=1kHz"},
                                           // 1500 mV: the division drops the remainder
                                           GeneratorCase{3, "Vpk=1V, Z=50ohms, f=10Hz"},
                                           GeneratorCase{4, "Vpk=10V, Z=2kohms, f=500Hz"},
                                           GeneratorCase{5,
                                                         "Vpk=0mV, Z=0ohms, f=0Hz"},  // empty cells
                                           GeneratorCase{1, ""}, GeneratorCase{6, ""}));

TEST_F(MiniScopeText, DescriptionShowsPoundsAsCommasWithoutUserText) {
  EXPECT_EQ(MiniScopeDescriptionText(plan, 2), "IC17, Pin 3");
  EXPECT_EQ(MiniScopeDescriptionText(plan, 3), "J1, Pin 2");
  EXPECT_EQ(MiniScopeDescriptionText(plan, 1), "");
  EXPECT_EQ(MiniScopeDescriptionText(plan, 6), "");
}

}  // namespace
}  // namespace vanto
