// The interface refresh as a description: marks, selectors, test controls
// per run mode, pass rates, and the layout only after a change of mode or
// view.
#include "app/interface_refresh.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/generator_lists.h"
#include "support/process_locale.h"
#include "testplan/record_cells.h"

namespace vanto {
namespace {

class InterfaceRefreshTest : public ::testing::Test {
 protected:
  InterfaceState Refresh() {
    requests = DisplayRequests{false, false, 0};
    const InterfaceInputs inputs{settings,  activeModel, menuModel, connected,
                                 generator, runMode,     plan};
    return ComputeInterfaceState(inputs, layoutState, requests);
  }

  // A plan of `records` test records with the given results in rows 2...
  void MakePlan(int records, const std::vector<const char*>& results) {
    plan.table.Reset(records + 1, kPlanColumns);
    for (int row = 2; row <= records + 1; ++row) plan.table.SetCell(row, cell::kStatus, "Untested");
    int row = 2;
    for (const char* result : results) plan.table.SetCell(row++, cell::kStatus, result);
  }

  static bool Checked(const InterfaceState& state, MenuCommand command) {
    for (const MenuMark& mark : state.menuMarks) {
      if (mark.command == command) return mark.checked;
    }
    ADD_FAILURE() << "no mark for command " << static_cast<int>(command);
    return false;
  }

  Settings settings;
  std::string activeModel = "ORXA";
  std::string menuModel = "ORXA";
  bool connected = false;
  GeneratorSettings generator;
  RunMode runMode = RunMode::TestBoard;
  TestPlanState plan;
  InterfaceLayoutState layoutState;
  DisplayRequests requests;
};

TEST_F(InterfaceRefreshTest, ThreeGoodAndOneBadOfTenRecordsShow30And10Percent) {
  MakePlan(10, {"Good", "Bad", "Good", "Untested", "Good", "NoTest"});
  const InterfaceState state = Refresh();
  EXPECT_EQ(state.passRates.good, "30.00%");
  EXPECT_EQ(state.passRates.bad, "10.00%");
}

class PassRatesInLocale : public InterfaceRefreshTest,
                          public ::testing::WithParamInterface<std::string> {};

TEST_P(PassRatesInLocale, ShowTwoDecimalsAfterAPoint) {
  testing::ProcessLocale locale(GetParam());
  ASSERT_TRUE(locale.Active());
  MakePlan(3, {"Good", "Bad"});
  const InterfaceState state = Refresh();
  EXPECT_EQ(state.passRates.good, "33.33%");
  EXPECT_EQ(state.passRates.bad, "33.33%");
  MakePlan(8, {"Good", "Good", "Good", "Bad"});
  EXPECT_EQ(Refresh().passRates.good, "37.50%");
  EXPECT_EQ(Refresh().passRates.bad, "12.50%");
}

VANTO_INSTANTIATE_FOR_EACH_LOCALE(PassRatesInLocale);

TEST_F(InterfaceRefreshTest, PassRatesKeepTwoDecimalsAndAPlanWithoutRecordsShowsZero) {
  MakePlan(3, {"Good"});
  EXPECT_EQ(Refresh().passRates.good, "33.33%");
  MakePlan(0, {});
  const InterfaceState empty = Refresh();
  EXPECT_EQ(empty.passRates.good, "0.00%");
  EXPECT_EQ(empty.passRates.bad, "0.00%");
  // Only the exact result texts count.
  MakePlan(4, {"good", "Bad ", "Good", "Good"});
  EXPECT_EQ(Refresh().passRates.good, "50.00%");
  EXPECT_EQ(Refresh().passRates.bad, "0.00%");
}

TEST_F(InterfaceRefreshTest, SelectorsFollowTheAppliedValuesWithTheirFallBacks) {
  generator.appliedMv = 1000;
  generator.appliedOhms = 5000;
  generator.appliedHz = 500;
  generator.scanSig = 3;
  generator.scanCom = 0;
  InterfaceState state = Refresh();
  EXPECT_STREQ(kVoltageChoices[state.voltagePosition].text, "Voltage: 1Vpk");
  EXPECT_EQ(state.resistancePosition, 0);  // ORXA has no 5K entry: the first one
  EXPECT_EQ(state.frequencyPosition, 5);
  EXPECT_EQ(state.scanSigPosition, 3);
  EXPECT_EQ(state.scanComPosition, 0);

  generator.appliedMv = 15000;
  activeModel = "ORXB";
  state = Refresh();
  EXPECT_EQ(state.voltagePosition, 4);
  EXPECT_EQ(state.resistancePosition, 1);  // "Resistance: 5K ohms" on an ORXB
}

TEST_F(InterfaceRefreshTest, TestControlsFollowTheRunMode) {
  struct Row {
    RunMode mode;
    TestControlState controls;
  };
  const std::vector<Row> rows = {
      {RunMode::TestBoard,
       {true, true, PictureId::Good, PictureId::Bad, PictureId::AutoTestYellow, false}},
      {RunMode::Capture,
       {true, false, PictureId::SingleCaptureGreen, std::nullopt, PictureId::AutoCaptureYellow,
        true}},
      {RunMode::AutoTest,
       {false, true, PictureId::GoodGrey, PictureId::BadGrey, PictureId::TestInProgressGreen,
        false}},
      {RunMode::AutoCapture,
       {false, false, PictureId::SingleCaptureGrey, std::nullopt, PictureId::CaptureInProgressGreen,
        true}},
  };
  for (const Row& row : rows) {
    runMode = row.mode;
    const InterfaceState state = Refresh();
    ASSERT_TRUE(state.testControls.has_value());
    EXPECT_EQ(*state.testControls, row.controls) << static_cast<int>(row.mode);
  }
  runMode = static_cast<RunMode>(7);
  EXPECT_FALSE(Refresh().testControls.has_value());
}

TEST_F(InterfaceRefreshTest, MarksFollowTheSettingsInTheRefreshOrder) {
  settings.mode = "Basic-Auto";
  settings.goldenVsLiveThreshold = "2.5%";
  menuModel = "ORXC";
  connected = true;
  const InterfaceState state = Refresh();
  std::vector<MenuCommand> order;
  for (const MenuMark& mark : state.menuMarks) order.push_back(mark.command);
  EXPECT_EQ(order, CheckMarkOrder());
  EXPECT_FALSE(Checked(state, MenuCommand::ModeCompact));
  EXPECT_FALSE(Checked(state, MenuCommand::ModeAdvanced));
  EXPECT_FALSE(Checked(state, MenuCommand::GoldenVsLive150));
  EXPECT_TRUE(Checked(state, MenuCommand::InstrumentOrxc));
  EXPECT_FALSE(Checked(state, MenuCommand::InstrumentOrxa));
  EXPECT_TRUE(Checked(state, MenuCommand::Connect));
  EXPECT_TRUE(Checked(state, ViewCommand(DisplayView::TwoMiniScopesPcbTestTreeBadTree)));
}

TEST_F(InterfaceRefreshTest, TheFirstRefreshLaysOutAndTheNextOnlyAfterAChange) {
  InterfaceState state = Refresh();
  ASSERT_TRUE(state.layout.has_value());
  EXPECT_EQ(state.layout->controlSet, RibbonShownIn::AdvancedMode);
  EXPECT_EQ(state.layout->clientSize, (ClientSize{1545, 725}));
  EXPECT_TRUE(state.layout->relayout);
  EXPECT_EQ(state.panes, AdvancedPaneVisibility(DisplayView::TwoMiniScopesPcbTestTreeBadTree));
  EXPECT_TRUE(requests.displayRefreshPending);
  EXPECT_TRUE(requests.scopeRedrawPending);

  // A threshold change: no layout, no redraw request.
  settings.goldenVsLiveThreshold = "3.00%";
  state = Refresh();
  EXPECT_FALSE(state.layout.has_value());
  EXPECT_FALSE(requests.displayRefreshPending);
  EXPECT_FALSE(requests.scopeRedrawPending);

  // Choosing the view in use changes nothing; another view lays out once.
  settings.displayView = "2miniscopes+PCB+TestTree+BadTree";
  EXPECT_FALSE(Refresh().layout.has_value());
  settings.displayView = "9miniscopes";
  state = Refresh();
  ASSERT_TRUE(state.layout.has_value());
  EXPECT_EQ(state.panes, AdvancedPaneVisibility(DisplayView::NineMiniScopes));
  EXPECT_FALSE(Refresh().layout.has_value());
  EXPECT_EQ(layoutState.panes, AdvancedPaneVisibility(DisplayView::NineMiniScopes));
}

TEST_F(InterfaceRefreshTest, CompactLeavesOnlyTheMainScopeAndTheFreezeToggles) {
  Refresh();
  for (const char* mode : {"Basic", "Basic-Auto"}) {
    settings.mode = "Advanced";
    Refresh();
    settings.mode = mode;
    const InterfaceState state = Refresh();
    ASSERT_TRUE(state.layout.has_value()) << mode;
    EXPECT_EQ(state.layout->controlSet, RibbonShownIn::CompactModes);
    EXPECT_EQ(state.layout->clientSize, (ClientSize{534, 408}));
    EXPECT_TRUE(state.layout->relayout);
    EXPECT_EQ(state.panes, CompactPaneVisibility());
    EXPECT_TRUE(requests.displayRefreshPending);
  }
}

TEST_F(InterfaceRefreshTest, AnUnknownModeOrViewLeavesThePanesAsTheyWere) {
  Refresh();  // Advanced, the default view
  const PaneVisibility before = layoutState.panes;

  settings.displayView = "pcb";  // not a view
  InterfaceState state = Refresh();
  ASSERT_TRUE(state.layout.has_value());
  EXPECT_EQ(state.layout->controlSet, RibbonShownIn::AdvancedMode);
  EXPECT_EQ(state.layout->clientSize, (ClientSize{1545, 725}));
  EXPECT_EQ(state.panes, before);

  settings.mode = "Expert";  // not a mode: neither controls nor size nor relayout
  state = Refresh();
  ASSERT_TRUE(state.layout.has_value());
  EXPECT_FALSE(state.layout->controlSet.has_value());
  EXPECT_FALSE(state.layout->clientSize.has_value());
  EXPECT_FALSE(state.layout->relayout);
  EXPECT_EQ(state.panes, before);
  EXPECT_TRUE(requests.displayRefreshPending);
  EXPECT_TRUE(requests.scopeRedrawPending);
}

TEST_F(InterfaceRefreshTest, BeforeTheFirstRefreshOnlyTheMainScopeCountsAsVisible) {
  EXPECT_EQ(layoutState.panes, InitialPaneVisibility());
  EXPECT_TRUE(layoutState.laidOutMode.empty());
  EXPECT_TRUE(layoutState.laidOutView.empty());
}

}  // namespace
}  // namespace vanto
