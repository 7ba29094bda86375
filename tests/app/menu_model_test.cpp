// The menu bar as data: every label word for word in its place, the
// command each entry runs, and when an entry carries a check mark.
#include "app/menu_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace vanto {
namespace {

// One line per entry: a dot and a space per nesting level, the label, then
// " >" for a submenu and " [x]" for an entry that can carry a check mark.
void Flatten(const std::vector<MenuEntry>& entries, const std::string& indent,
             std::vector<std::string>& lines) {
  for (const MenuEntry& entry : entries) {
    switch (entry.kind) {
      case MenuEntryKind::Separator: lines.push_back(indent + "separator"); break;
      case MenuEntryKind::Submenu:
        lines.push_back(indent + entry.label + " >");
        Flatten(entry.children, indent + ". ", lines);
        break;
      case MenuEntryKind::Command:
        lines.push_back(indent + entry.label + (entry.checkable ? " [x]" : ""));
        break;
    }
  }
}

TEST(MenuBarTest, EveryTitleEntrySeparatorAndSubmenuIsInItsPlaceWordForWord) {
  const std::vector<std::string> expected = {
      "File >",
      ". New",
      ". Open",
      ". Save",
      ". separator",
      ". Open Recent >",
      ". . recent1.ept",
      ". . recent2.ept",
      ". . recent3.ept",
      ". . recent4.ept",
      ". . recent5.ept",
      ". . recent6.ept",
      ". . recent7.ept",
      ". . recent8.ept",
      "Instrument >",
      ". Connect [x]",
      ". Disconnect [x]",
      ". separator",
      ". Change Instrument >",
      ". . ORX - Analog Signature Analysers >",
      ". . . ORXA [x]",
      ". . . ORXAP [x]",
      ". . . ORXB [x]",
      ". . . ORXC [x]",
      "Mode >",
      ". Compact [x]",
      ". Advanced [x]",
      "Test >",
      ". Allow Signature Overwrite (AUTO CAPTURE) [x]",
      ". Open Circuit Detect Threshold (AUTO TEST/AUTO CAPTURE) >",
      ". . 0.25% [x]",
      ". . 0.5% (default) [x]",
      ". . 1.0% [x]",
      ". Stable Signature Detect Threshold (AUTO TEST/AUTO CAPTURE) >",
      ". . 0.5% [x]",
      ". . 1.0% (default) [x]",
      ". . 2.0% [x]",
      ". Stable Signature Delay (AUTO TEST/AUTO CAPTURE) >",
      ". .  2 cycles [x]",
      ". .  5 cycles [x]",
      ". . 10 cycles (default) [x]",
      ". . 15 cycles [x]",
      ". . 20 cycles [x]",
      ". separator",
      ". Golden vs. Live Signature Difference Threshold (AUTO TEST) >",
      ". . 0.5% [x]",
      ". . 0.75% [x]",
      ". . 1.0% [x]",
      ". . 1.5% (default) [x]",
      ". . 2.0% [x]",
      ". . 3.0% [x]",
      ". . 4.0% [x]",
      ". . 5.0% [x]",
      ". separator",
      ". Collapse Test Tree",
      "Scope >",
      ". Graticule >",
      ". . On (default) [x]",
      ". . Off [x]",
      ". Crosshairs >",
      ". . On (default) [x]",
      ". . Classic [x]",
      ". . Off [x]",
      ". separator",
      ". Crosshairs (mini-scopes) >",
      ". . On [x]",
      ". . Off (default) [x]",
      "Display >",
      ". View >",
      ". . 9 mini-scopes (default) [x]",
      ". . 6 mini-scopes + TestTree [x]",
      ". . 3 mini-scopes + TestTree [x]",
      ". . 3 mini-scopes + TestTree + BadTree [x]",
      ". . 3 mini-scopes + PCB [x]",
      ". . 3 mini-scopes + PCB + TestTree [x]",
      ". . 2 mini-scopes + PCB + TestTree + BadTree [x]",
      ". . 2 mini-scopes + PCB + TestTree [x]",
      ". . 1 mini-scope + PCB+ TestTree + BadTree [x]",
      ". . PCB [x]",
      ". separator",
      ". PCB Crosshairs >",
      ". . 1 line [x]",
      ". . 3 line [x]",
      ". separator",
      ". Display Colours",
      "Utilities >",
      ". Calibrate >",
      ". . Calibrate DAC/ADC",
      ". separator",
      ". Daily Update Check >",
      ". . Daily Check for Releases [x]",
      ". . Only LTS Releases (no Beta) [x]",
      "Help >",
      ". About",
      ". Support >",
      ". . Support Info",
      ". Keyboard and footswitch",
  };
  std::vector<std::string> actual;
  Flatten(MenuBar(), "", actual);
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actual[i], expected[i]) << "line " << i;
  }
}

void CollectCommands(const std::vector<MenuEntry>& entries, std::vector<MenuCommand>& commands) {
  for (const MenuEntry& entry : entries) {
    if (entry.kind == MenuEntryKind::Command) commands.push_back(entry.command);
    CollectCommands(entry.children, commands);
  }
}

TEST(MenuBarTest, EveryEntryRunsItsOwnCommandAndEveryCommandHasOneEntry) {
  std::vector<MenuCommand> commands;
  CollectCommands(MenuBar(), commands);
  const std::set<MenuCommand> distinct(commands.begin(), commands.end());
  EXPECT_EQ(distinct.size(), commands.size());
  EXPECT_EQ(distinct.count(MenuCommand::None), 0u);
  const int lastCommand = static_cast<int>(MenuCommand::SupportInfo);
  EXPECT_EQ(commands.size(), static_cast<std::size_t>(lastCommand));
  for (MenuCommand command : commands) {
    const MenuEntry* entry = FindMenuEntry(command);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->command, command);
  }
}

TEST(MenuBarTest, RecentItemsAndViewsMapToTheirIndexes) {
  for (int index = 0; index < kRecentMenuItems; ++index) {
    EXPECT_EQ(RecentIndex(RecentCommand(index)), index);
    EXPECT_EQ(FindMenuEntry(RecentCommand(index))->label,
              "recent" + std::to_string(index + 1) + ".ept");
  }
  EXPECT_EQ(RecentIndex(MenuCommand::Open), -1);
  for (const DisplayViewEntry& view : kDisplayViews) {
    EXPECT_EQ(ViewOfCommand(ViewCommand(view.view)), view.view);
    EXPECT_EQ(FindMenuEntry(ViewCommand(view.view))->label, view.menuLabel);
  }
}

TEST(MenuBarTest, ModeAndViewTablesHoldTheStoredTextsAndLabels) {
  struct Row {
    const char* value;
    const char* label;
  };
  const std::vector<Row> views = {
      {"9miniscopes", "9 mini-scopes (default)"},
      {"6miniscopes+TestTree", "6 mini-scopes + TestTree"},
      {"3miniscopes+TestTree", "3 mini-scopes + TestTree"},
      {"3miniscopes+TestTree+BadTree", "3 mini-scopes + TestTree + BadTree"},
      {"3miniscopes+PCB", "3 mini-scopes + PCB"},
      {"3miniscopes+PCB+TestTree", "3 mini-scopes + PCB + TestTree"},
      {"2miniscopes+PCB+TestTree+BadTree", "2 mini-scopes + PCB + TestTree + BadTree"},
      {"2miniscopes+PCB+TestTree", "2 mini-scopes + PCB + TestTree"},
      {"miniscope+PCB+TestTree+BadTree", "1 mini-scope + PCB+ TestTree + BadTree"},
      {"PCB", "PCB"},
  };
  ASSERT_EQ(views.size(), kDisplayViews.size());
  for (const Row& row : views) {
    const std::optional<DisplayView> view = ParseDisplayView(row.value);
    ASSERT_TRUE(view.has_value()) << row.value;
    EXPECT_STREQ(DisplayViewValue(*view), row.value);
    EXPECT_STREQ(DisplayViewLabel(*view), row.label);
  }
  EXPECT_FALSE(ParseDisplayView("pcb").has_value());
  EXPECT_FALSE(ParseDisplayView("").has_value());

  EXPECT_EQ(ParseAppMode("Basic"), AppMode::Basic);
  EXPECT_EQ(ParseAppMode("Basic-Auto"), AppMode::BasicAuto);
  EXPECT_EQ(ParseAppMode("Advanced"), AppMode::Advanced);
  EXPECT_FALSE(ParseAppMode("advanced").has_value());
  EXPECT_TRUE(IsCompactMode(AppMode::BasicAuto));
  EXPECT_FALSE(IsCompactMode(AppMode::Advanced));
}

TEST(MenuBarTest, ChoosingEntriesStoreTheSettingValuesOfTheCommandTable) {
  struct Row {
    MenuCommand command;
    const char* key;
    const char* value;
  };
  using C = MenuCommand;
  const std::vector<Row> rows = {
      {C::ModeCompact, "ORX_Mode", "Basic"},
      {C::ModeAdvanced, "ORX_Mode", "Advanced"},
      {C::OpenCircuit025, "ORX_OpenCircuitDetectThreshold", "0.25%"},
      {C::OpenCircuit050, "ORX_OpenCircuitDetectThreshold", "0.50%"},
      {C::OpenCircuit100, "ORX_OpenCircuitDetectThreshold", "1.00%"},
      {C::StableThreshold050, "ORX_StableSignatureDetectThreshold", "0.50%"},
      {C::StableThreshold100, "ORX_StableSignatureDetectThreshold", "1.00%"},
      {C::StableThreshold200, "ORX_StableSignatureDetectThreshold", "2.00%"},
      {C::StableDelay2, "ORX_SignatureCaptureDelay", "2 cycles"},
      {C::StableDelay5, "ORX_SignatureCaptureDelay", "5 cycles"},
      {C::StableDelay10, "ORX_SignatureCaptureDelay", "10 cycles"},
      {C::StableDelay15, "ORX_SignatureCaptureDelay", "15 cycles"},
      {C::StableDelay20, "ORX_SignatureCaptureDelay", "20 cycles"},
      {C::GoldenVsLive050, "ORX_GoldenVsLiveThreshold", "0.50%"},
      {C::GoldenVsLive075, "ORX_GoldenVsLiveThreshold", "0.75%"},
      {C::GoldenVsLive100, "ORX_GoldenVsLiveThreshold", "1.00%"},
      {C::GoldenVsLive150, "ORX_GoldenVsLiveThreshold", "1.50%"},
      {C::GoldenVsLive200, "ORX_GoldenVsLiveThreshold", "2.00%"},
      {C::GoldenVsLive300, "ORX_GoldenVsLiveThreshold", "3.00%"},
      {C::GoldenVsLive400, "ORX_GoldenVsLiveThreshold", "4.00%"},
      {C::GoldenVsLive500, "ORX_GoldenVsLiveThreshold", "5.00%"},
      {C::GraticuleOn, "ORX_Scope1GraticuleMode", "On"},
      {C::GraticuleOff, "ORX_Scope1GraticuleMode", "Off"},
      {C::CrosshairsOn, "ORX_Scope1CrosshairMode", "On"},
      {C::CrosshairsClassic, "ORX_Scope1CrosshairMode", "Classic"},
      {C::CrosshairsOff, "ORX_Scope1CrosshairMode", "Off"},
      {C::MiniScopeCrosshairsOn, "ORX_ScopeXCrosshairMode", "On"},
      {C::MiniScopeCrosshairsOff, "ORX_ScopeXCrosshairMode", "Off"},
      {C::PcbCrosshairs1Line, "ORX_PCBCrosshairType", "1 line"},
      {C::PcbCrosshairs3Line, "ORX_PCBCrosshairType", "3 line"},
      {C::ViewNineMiniScopes, "ORX_DisplayView", "9miniscopes"},
      {C::ViewPcb, "ORX_DisplayView", "PCB"},
      {C::ViewMiniScopePcbTestTreeBadTree, "ORX_DisplayView", "miniscope+PCB+TestTree+BadTree"},
  };
  for (const Row& row : rows) {
    const std::optional<MenuChoice> choice = ChoiceOfCommand(row.command);
    ASSERT_TRUE(choice.has_value()) << FindMenuEntry(row.command)->label;
    EXPECT_STREQ(choice->key, row.key);
    EXPECT_STREQ(choice->value, row.value);
  }
  EXPECT_FALSE(ChoiceOfCommand(MenuCommand::AllowSignatureOverwrite).has_value());
  EXPECT_STREQ(ToggleOfCommand(MenuCommand::AllowSignatureOverwrite)->key,
               "ORX_AllowSignatureOverwrite");
  EXPECT_STREQ(ToggleOfCommand(MenuCommand::DailyCheckForReleases)->key, "CheckWebsiteForUpdate");
  EXPECT_STREQ(ToggleOfCommand(MenuCommand::OnlyLtsReleases)->key, "OnlyLTSCheck");
}

// The entries of one list that are checked for the given settings.
std::vector<std::string> CheckedLabels(const std::vector<MenuCommand>& list,
                                       const MenuCheckState& state) {
  std::vector<std::string> labels;
  for (MenuCommand command : list) {
    if (MenuChecked(command, state)) labels.push_back(FindMenuEntry(command)->label);
  }
  return labels;
}

using Labels = std::vector<std::string>;

TEST(MenuCheckTest, TheDefaultSettingsCheckEachListsDefaultEntry) {
  const Settings settings;
  const MenuCheckState state{settings, "ORXA", false};
  using C = MenuCommand;
  EXPECT_EQ(CheckedLabels({C::OpenCircuit025, C::OpenCircuit050, C::OpenCircuit100}, state),
            Labels{"0.5% (default)"});
  EXPECT_EQ(
      CheckedLabels({C::StableThreshold050, C::StableThreshold100, C::StableThreshold200}, state),
      Labels{"1.0% (default)"});
  EXPECT_EQ(CheckedLabels({C::StableDelay2, C::StableDelay5, C::StableDelay10, C::StableDelay15,
                           C::StableDelay20},
                          state),
            Labels{"10 cycles (default)"});
  EXPECT_EQ(CheckedLabels(
                {C::GoldenVsLive050, C::GoldenVsLive075, C::GoldenVsLive100, C::GoldenVsLive150,
                 C::GoldenVsLive200, C::GoldenVsLive300, C::GoldenVsLive400, C::GoldenVsLive500},
                state),
            Labels{"1.5% (default)"});
  EXPECT_EQ(CheckedLabels({C::GraticuleOn, C::GraticuleOff}, state), Labels{"On (default)"});
  EXPECT_EQ(CheckedLabels({C::CrosshairsOn, C::CrosshairsClassic, C::CrosshairsOff}, state),
            Labels{"On (default)"});
  EXPECT_EQ(CheckedLabels({C::MiniScopeCrosshairsOn, C::MiniScopeCrosshairsOff}, state),
            Labels{"Off (default)"});
  EXPECT_EQ(CheckedLabels({C::PcbCrosshairs1Line, C::PcbCrosshairs3Line}, state), Labels{"1 line"});
  EXPECT_EQ(CheckedLabels({C::ModeCompact, C::ModeAdvanced}, state), Labels{"Advanced"});
  EXPECT_EQ(CheckedLabels({C::DailyCheckForReleases, C::OnlyLtsReleases}, state),
            Labels{"Daily Check for Releases"});
  EXPECT_FALSE(MenuChecked(C::AllowSignatureOverwrite, state));
  EXPECT_EQ(CheckedLabels({ViewCommand(DisplayView::NineMiniScopes),
                           ViewCommand(DisplayView::TwoMiniScopesPcbTestTreeBadTree),
                           ViewCommand(DisplayView::Pcb)},
                          state),
            Labels{"2 mini-scopes + PCB + TestTree + BadTree"});
}

const std::vector<MenuCommand> kInstrumentEntries = {
    MenuCommand::InstrumentOrxa, MenuCommand::InstrumentOrxap, MenuCommand::InstrumentOrxb,
    MenuCommand::InstrumentOrxc};

TEST(MenuCheckTest, InstrumentEntriesFollowTheRememberedChoiceNotTheActiveModel) {
  const Settings settings;
  EXPECT_EQ(CheckedLabels(kInstrumentEntries, {settings, "ORXB", false}), Labels{"ORXB"});
  EXPECT_EQ(CheckedLabels(kInstrumentEntries, {settings, "ORXAP", false}), Labels{"ORXAP"});
  // ORXCB and a text in other letter case have no entry: none is checked.
  EXPECT_EQ(CheckedLabels(kInstrumentEntries, {settings, "ORXCB", false}), Labels{});
  EXPECT_EQ(CheckedLabels(kInstrumentEntries, {settings, "orxb", false}), Labels{});
}

TEST(MenuCheckTest, ConnectIsCheckedWhileConnectedAndDisconnectOtherwise) {
  const Settings settings;
  const std::vector<MenuCommand> pair = {MenuCommand::Connect, MenuCommand::Disconnect};
  EXPECT_EQ(CheckedLabels(pair, {settings, "ORXA", true}), Labels{"Connect"});
  EXPECT_EQ(CheckedLabels(pair, {settings, "ORXA", false}), Labels{"Disconnect"});
}

TEST(MenuCheckTest, BasicAutoChecksNeitherModeEntry) {
  Settings settings;
  settings.mode = "Basic-Auto";
  const std::vector<MenuCommand> modes = {MenuCommand::ModeCompact, MenuCommand::ModeAdvanced};
  EXPECT_EQ(CheckedLabels(modes, {settings, "ORXA", false}), Labels{});
  settings.mode = "Basic";
  EXPECT_EQ(CheckedLabels(modes, {settings, "ORXA", false}), Labels{"Compact"});
}

TEST(MenuCheckTest, AHandEditedValueOutsideItsListChecksNoEntryOfThatList) {
  Settings settings;
  settings.goldenVsLiveThreshold = "2.5%";
  settings.signatureCaptureDelay = " 2 cycles";  // the label's space is not part of the value
  settings.displayView = "pcb";
  const MenuCheckState state{settings, "ORXA", false};
  using C = MenuCommand;
  EXPECT_EQ(CheckedLabels(
                {C::GoldenVsLive050, C::GoldenVsLive075, C::GoldenVsLive100, C::GoldenVsLive150,
                 C::GoldenVsLive200, C::GoldenVsLive300, C::GoldenVsLive400, C::GoldenVsLive500},
                state),
            Labels{});
  EXPECT_EQ(CheckedLabels({C::StableDelay2, C::StableDelay5, C::StableDelay10, C::StableDelay15,
                           C::StableDelay20},
                          state),
            Labels{});
  std::vector<MenuCommand> views;
  for (const DisplayViewEntry& view : kDisplayViews) views.push_back(ViewCommand(view.view));
  EXPECT_EQ(CheckedLabels(views, state), Labels{});
}

TEST(MenuCheckTest, OverwriteIsCheckedForOneOnlyAndReleaseChecksForAnyNonZero) {
  struct Row {
    std::int32_t value;
    bool overwriteChecked;
    bool releaseChecked;
  };
  for (const Row& row :
       std::vector<Row>{{0, false, false}, {1, true, true}, {5, false, true}, {-1, false, true}}) {
    Settings settings;
    settings.allowSignatureOverwrite = row.value;
    settings.checkWebsiteForUpdate = row.value;
    settings.onlyLtsCheck = row.value;
    const MenuCheckState state{settings, "ORXA", false};
    EXPECT_EQ(MenuChecked(MenuCommand::AllowSignatureOverwrite, state), row.overwriteChecked)
        << row.value;
    EXPECT_EQ(MenuChecked(MenuCommand::DailyCheckForReleases, state), row.releaseChecked)
        << row.value;
    EXPECT_EQ(MenuChecked(MenuCommand::OnlyLtsReleases, state), row.releaseChecked) << row.value;
  }
}

TEST(MenuCheckTest, TheRefreshOrderHoldsEveryCheckableEntryOnceInTheRefreshSequence) {
  const std::vector<MenuCommand>& order = CheckMarkOrder();
  std::vector<MenuCommand> all;
  CollectCommands(MenuBar(), all);
  std::set<MenuCommand> checkable;
  for (MenuCommand command : all) {
    if (IsCheckable(command)) checkable.insert(command);
  }
  EXPECT_EQ(std::set<MenuCommand>(order.begin(), order.end()), checkable);
  EXPECT_EQ(order.size(), checkable.size());
  // Instruments first, the views after the mode entries.
  EXPECT_EQ(order.front(), MenuCommand::InstrumentOrxa);
  auto position = [&order](MenuCommand command) {
    return std::find(order.begin(), order.end(), command) - order.begin();
  };
  EXPECT_LT(position(MenuCommand::DailyCheckForReleases), position(MenuCommand::GraticuleOn));
  EXPECT_LT(position(MenuCommand::GoldenVsLive500), position(MenuCommand::ModeCompact));
  EXPECT_LT(position(MenuCommand::ModeAdvanced), position(MenuCommand::ViewNineMiniScopes));
}

}  // namespace
}  // namespace vanto
