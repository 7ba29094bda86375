#include "app/menu_model.h"

#include <array>
#include <cstddef>
#include <utility>

#include "foundation/settings_keys.h"

namespace vanto {
namespace {

MenuEntry Item(std::string label, MenuCommand command, bool checkable = false) {
  MenuEntry entry;
  entry.label = std::move(label);
  entry.command = command;
  entry.checkable = checkable;
  return entry;
}

MenuEntry Checkable(std::string label, MenuCommand command) {
  return Item(std::move(label), command, true);
}

MenuEntry Separator() {
  MenuEntry entry;
  entry.kind = MenuEntryKind::Separator;
  return entry;
}

MenuEntry Submenu(std::string label, std::vector<MenuEntry> children) {
  MenuEntry entry;
  entry.kind = MenuEntryKind::Submenu;
  entry.label = std::move(label);
  entry.children = std::move(children);
  return entry;
}

// Every entry that stores a text, views aside (they come from their own
// table).
constexpr std::array<MenuChoice, 30> kChoices = {{
    {MenuCommand::ModeCompact, &Settings::mode, key::kMode, "Basic"},
    {MenuCommand::ModeAdvanced, &Settings::mode, key::kMode, "Advanced"},
    {MenuCommand::OpenCircuit025, &Settings::openCircuitDetectThreshold,
     key::kOpenCircuitDetectThreshold, "0.25%"},
    {MenuCommand::OpenCircuit050, &Settings::openCircuitDetectThreshold,
     key::kOpenCircuitDetectThreshold, "0.50%"},
    {MenuCommand::OpenCircuit100, &Settings::openCircuitDetectThreshold,
     key::kOpenCircuitDetectThreshold, "1.00%"},
    {MenuCommand::StableThreshold050, &Settings::stableSignatureDetectThreshold,
     key::kStableSignatureDetectThreshold, "0.50%"},
    {MenuCommand::StableThreshold100, &Settings::stableSignatureDetectThreshold,
     key::kStableSignatureDetectThreshold, "1.00%"},
    {MenuCommand::StableThreshold200, &Settings::stableSignatureDetectThreshold,
     key::kStableSignatureDetectThreshold, "2.00%"},
    {MenuCommand::StableDelay2, &Settings::signatureCaptureDelay, key::kSignatureCaptureDelay,
     "2 cycles"},
    {MenuCommand::StableDelay5, &Settings::signatureCaptureDelay, key::kSignatureCaptureDelay,
     "5 cycles"},
    {MenuCommand::StableDelay10, &Settings::signatureCaptureDelay, key::kSignatureCaptureDelay,
     "10 cycles"},
    {MenuCommand::StableDelay15, &Settings::signatureCaptureDelay, key::kSignatureCaptureDelay,
     "15 cycles"},
    {MenuCommand::StableDelay20, &Settings::signatureCaptureDelay, key::kSignatureCaptureDelay,
     "20 cycles"},
    {MenuCommand::GoldenVsLive050, &Settings::goldenVsLiveThreshold, key::kGoldenVsLiveThreshold,
     "0.50%"},
    {MenuCommand::GoldenVsLive075, &Settings::goldenVsLiveThreshold, key::kGoldenVsLiveThreshold,
     "0.75%"},
    {MenuCommand::GoldenVsLive100, &Settings::goldenVsLiveThreshold, key::kGoldenVsLiveThreshold,
     "1.00%"},
    {MenuCommand::GoldenVsLive150, &Settings::goldenVsLiveThreshold, key::kGoldenVsLiveThreshold,
     "1.50%"},
    {MenuCommand::GoldenVsLive200, &Settings::goldenVsLiveThreshold, key::kGoldenVsLiveThreshold,
     "2.00%"},
    {MenuCommand::GoldenVsLive300, &Settings::goldenVsLiveThreshold, key::kGoldenVsLiveThreshold,
     "3.00%"},
    {MenuCommand::GoldenVsLive400, &Settings::goldenVsLiveThreshold, key::kGoldenVsLiveThreshold,
     "4.00%"},
    {MenuCommand::GoldenVsLive500, &Settings::goldenVsLiveThreshold, key::kGoldenVsLiveThreshold,
     "5.00%"},
    {MenuCommand::GraticuleOn, &Settings::scope1GraticuleMode, key::kScope1GraticuleMode, "On"},
    {MenuCommand::GraticuleOff, &Settings::scope1GraticuleMode, key::kScope1GraticuleMode, "Off"},
    {MenuCommand::CrosshairsOn, &Settings::scope1CrosshairMode, key::kScope1CrosshairMode, "On"},
    {MenuCommand::CrosshairsClassic, &Settings::scope1CrosshairMode, key::kScope1CrosshairMode,
     "Classic"},
    {MenuCommand::CrosshairsOff, &Settings::scope1CrosshairMode, key::kScope1CrosshairMode, "Off"},
    {MenuCommand::MiniScopeCrosshairsOn, &Settings::scopeXCrosshairMode, key::kScopeXCrosshairMode,
     "On"},
    {MenuCommand::MiniScopeCrosshairsOff, &Settings::scopeXCrosshairMode, key::kScopeXCrosshairMode,
     "Off"},
    {MenuCommand::PcbCrosshairs1Line, &Settings::pcbCrosshairType, key::kPcbCrosshairType,
     "1 line"},
    {MenuCommand::PcbCrosshairs3Line, &Settings::pcbCrosshairType, key::kPcbCrosshairType,
     "3 line"},
}};

constexpr std::array<MenuToggle, 3> kToggles = {{
    {MenuCommand::AllowSignatureOverwrite, &Settings::allowSignatureOverwrite,
     key::kAllowSignatureOverwrite},
    {MenuCommand::DailyCheckForReleases, &Settings::checkWebsiteForUpdate,
     key::kCheckWebsiteForUpdate},
    {MenuCommand::OnlyLtsReleases, &Settings::onlyLtsCheck, key::kOnlyLtsCheck},
}};

struct InstrumentEntry {
  MenuCommand command;
  const char* model;
};
constexpr std::array<InstrumentEntry, 4> kInstruments = {{
    {MenuCommand::InstrumentOrxa, "ORXA"},
    {MenuCommand::InstrumentOrxap, "ORXAP"},
    {MenuCommand::InstrumentOrxb, "ORXB"},
    {MenuCommand::InstrumentOrxc, "ORXC"},
}};

std::vector<MenuEntry> BuildMenuBar() {
  std::vector<MenuEntry> recent;
  for (int index = 0; index < kRecentMenuItems; ++index) {
    recent.push_back(Item(RecentPlaceholderLabel(index), RecentCommand(index)));
  }
  std::vector<MenuEntry> views;
  for (const DisplayViewEntry& view : kDisplayViews) {
    views.push_back(Checkable(view.menuLabel, ViewCommand(view.view)));
  }

  std::vector<MenuEntry> bar;
  bar.push_back(Submenu("File", {
                                    Item("New", MenuCommand::New),
                                    Item("Open", MenuCommand::Open),
                                    Item("Save", MenuCommand::Save),
                                    Separator(),
                                    Submenu("Open Recent", std::move(recent)),
                                }));
  bar.push_back(Submenu(
      "Instrument", {
                        Checkable("Connect", MenuCommand::Connect),
                        Checkable("Disconnect", MenuCommand::Disconnect),
                        Separator(),
                        Submenu("Change Instrument",
                                {
                                    Submenu("ORX - Analog Signature Analysers",
                                            {
                                                Checkable("ORXA", MenuCommand::InstrumentOrxa),
                                                Checkable("ORXAP", MenuCommand::InstrumentOrxap),
                                                Checkable("ORXB", MenuCommand::InstrumentOrxb),
                                                Checkable("ORXC", MenuCommand::InstrumentOrxc),
                                            }),
                                }),
                    }));
  bar.push_back(Submenu("Mode", {
                                    Checkable("Compact", MenuCommand::ModeCompact),
                                    Checkable("Advanced", MenuCommand::ModeAdvanced),
                                }));
  bar.push_back(
      Submenu("Test", {
                          Checkable("Allow Signature Overwrite (AUTO CAPTURE)",
                                    MenuCommand::AllowSignatureOverwrite),
                          Submenu("Open Circuit Detect Threshold (AUTO TEST/AUTO CAPTURE)",
                                  {
                                      Checkable("0.25%", MenuCommand::OpenCircuit025),
                                      Checkable("0.5% (default)", MenuCommand::OpenCircuit050),
                                      Checkable("1.0%", MenuCommand::OpenCircuit100),
                                  }),
                          Submenu("Stable Signature Detect Threshold (AUTO TEST/AUTO CAPTURE)",
                                  {
                                      Checkable("0.5%", MenuCommand::StableThreshold050),
                                      Checkable("1.0% (default)", MenuCommand::StableThreshold100),
                                      Checkable("2.0%", MenuCommand::StableThreshold200),
                                  }),
                          Submenu("Stable Signature Delay (AUTO TEST/AUTO CAPTURE)",
                                  {
                                      Checkable(" 2 cycles", MenuCommand::StableDelay2),
                                      Checkable(" 5 cycles", MenuCommand::StableDelay5),
                                      Checkable("10 cycles (default)", MenuCommand::StableDelay10),
                                      Checkable("15 cycles", MenuCommand::StableDelay15),
                                      Checkable("20 cycles", MenuCommand::StableDelay20),
                                  }),
                          Separator(),
                          Submenu("Golden vs. Live Signature Difference Threshold (AUTO TEST)",
                                  {
                                      Checkable("0.5%", MenuCommand::GoldenVsLive050),
                                      Checkable("0.75%", MenuCommand::GoldenVsLive075),
                                      Checkable("1.0%", MenuCommand::GoldenVsLive100),
                                      Checkable("1.5% (default)", MenuCommand::GoldenVsLive150),
                                      Checkable("2.0%", MenuCommand::GoldenVsLive200),
                                      Checkable("3.0%", MenuCommand::GoldenVsLive300),
                                      Checkable("4.0%", MenuCommand::GoldenVsLive400),
                                      Checkable("5.0%", MenuCommand::GoldenVsLive500),
                                  }),
                          Separator(),
                          Item("Collapse Test Tree", MenuCommand::CollapseTestTree),
                      }));
  bar.push_back(Submenu(
      "Scope", {
                   Submenu("Graticule",
                           {
                               Checkable("On (default)", MenuCommand::GraticuleOn),
                               Checkable("Off", MenuCommand::GraticuleOff),
                           }),
                   Submenu("Crosshairs",
                           {
                               Checkable("On (default)", MenuCommand::CrosshairsOn),
                               Checkable("Classic", MenuCommand::CrosshairsClassic),
                               Checkable("Off", MenuCommand::CrosshairsOff),
                           }),
                   Separator(),
                   Submenu("Crosshairs (mini-scopes)",
                           {
                               Checkable("On", MenuCommand::MiniScopeCrosshairsOn),
                               Checkable("Off (default)", MenuCommand::MiniScopeCrosshairsOff),
                           }),
               }));
  bar.push_back(
      Submenu("Display", {
                             Submenu("View", std::move(views)),
                             Separator(),
                             Submenu("PCB Crosshairs",
                                     {
                                         Checkable("1 line", MenuCommand::PcbCrosshairs1Line),
                                         Checkable("3 line", MenuCommand::PcbCrosshairs3Line),
                                     }),
                             Separator(),
                             Item("Display Colours", MenuCommand::DisplayColours),
                         }));
  bar.push_back(Submenu(
      "Utilities",
      {
          Submenu("Calibrate", {Item("Calibrate DAC/ADC", MenuCommand::CalibrateDacAdc)}),
          Separator(),
          Submenu("Daily Update Check",
                  {
                      Checkable("Daily Check for Releases", MenuCommand::DailyCheckForReleases),
                      Checkable("Only LTS Releases (no Beta)", MenuCommand::OnlyLtsReleases),
                  }),
      }));
  bar.push_back(
      Submenu("Help", {
                          Item("About", MenuCommand::About),
                          Submenu("Support", {Item("Support Info", MenuCommand::SupportInfo)}),
                          Item("Keyboard and footswitch", MenuCommand::KeyboardAndFootswitch),
                      }));
  return bar;
}

const MenuEntry* FindIn(const std::vector<MenuEntry>& entries, MenuCommand command) {
  for (const MenuEntry& entry : entries) {
    if (entry.kind == MenuEntryKind::Command && entry.command == command) return &entry;
    if (const MenuEntry* found = FindIn(entry.children, command)) return found;
  }
  return nullptr;
}

std::vector<MenuCommand> BuildCheckMarkOrder() {
  using C = MenuCommand;
  std::vector<MenuCommand> order = {
      C::InstrumentOrxa,
      C::InstrumentOrxap,
      C::InstrumentOrxb,
      C::InstrumentOrxc,
      C::DailyCheckForReleases,
      C::OnlyLtsReleases,
      C::GraticuleOn,
      C::GraticuleOff,
      C::CrosshairsOn,
      C::CrosshairsClassic,
      C::CrosshairsOff,
      C::MiniScopeCrosshairsOn,
      C::MiniScopeCrosshairsOff,
      C::PcbCrosshairs1Line,
      C::PcbCrosshairs3Line,
      C::AllowSignatureOverwrite,
      C::OpenCircuit025,
      C::OpenCircuit050,
      C::OpenCircuit100,
      C::StableThreshold050,
      C::StableThreshold100,
      C::StableThreshold200,
      C::StableDelay2,
      C::StableDelay5,
      C::StableDelay10,
      C::StableDelay15,
      C::StableDelay20,
      C::GoldenVsLive050,
      C::GoldenVsLive075,
      C::GoldenVsLive100,
      C::GoldenVsLive150,
      C::GoldenVsLive200,
      C::GoldenVsLive300,
      C::GoldenVsLive400,
      C::GoldenVsLive500,
      C::ModeCompact,
      C::ModeAdvanced,
  };
  for (const DisplayViewEntry& view : kDisplayViews) order.push_back(ViewCommand(view.view));
  order.push_back(C::Connect);
  order.push_back(C::Disconnect);
  return order;
}

}  // namespace

const std::vector<MenuEntry>& MenuBar() {
  static const std::vector<MenuEntry> bar = BuildMenuBar();
  return bar;
}

const MenuEntry* FindMenuEntry(MenuCommand command) {
  if (command == MenuCommand::None) return nullptr;
  return FindIn(MenuBar(), command);
}

std::string RecentPlaceholderLabel(int index) {
  return "recent" + std::to_string(index + 1) + ".ept";
}

MenuCommand RecentCommand(int index) {
  if (index < 0 || index >= kRecentMenuItems) return MenuCommand::None;
  return static_cast<MenuCommand>(static_cast<int>(MenuCommand::OpenRecent1) + index);
}

int RecentIndex(MenuCommand command) {
  const int index = static_cast<int>(command) - static_cast<int>(MenuCommand::OpenRecent1);
  return index >= 0 && index < kRecentMenuItems ? index : -1;
}

MenuCommand ViewCommand(DisplayView view) {
  return static_cast<MenuCommand>(static_cast<int>(MenuCommand::ViewNineMiniScopes) +
                                  static_cast<int>(view));
}

std::optional<DisplayView> ViewOfCommand(MenuCommand command) {
  const int index = static_cast<int>(command) - static_cast<int>(MenuCommand::ViewNineMiniScopes);
  if (index < 0 || index >= kDisplayViewCount) return std::nullopt;
  return static_cast<DisplayView>(index);
}

std::string_view InstrumentOfCommand(MenuCommand command) {
  for (const InstrumentEntry& entry : kInstruments) {
    if (entry.command == command) return entry.model;
  }
  return {};
}

std::optional<MenuChoice> ChoiceOfCommand(MenuCommand command) {
  if (std::optional<DisplayView> view = ViewOfCommand(command)) {
    return MenuChoice{command, &Settings::displayView, key::kDisplayView, DisplayViewValue(*view)};
  }
  for (const MenuChoice& choice : kChoices) {
    if (choice.command == command) return choice;
  }
  return std::nullopt;
}

std::optional<MenuToggle> ToggleOfCommand(MenuCommand command) {
  for (const MenuToggle& toggle : kToggles) {
    if (toggle.command == command) return toggle;
  }
  return std::nullopt;
}

bool IsCheckable(MenuCommand command) {
  const MenuEntry* entry = FindMenuEntry(command);
  return entry != nullptr && entry->checkable;
}

bool MenuChecked(MenuCommand command, const MenuCheckState& state) {
  if (command == MenuCommand::Connect) return state.connected;
  if (command == MenuCommand::Disconnect) return !state.connected;
  if (std::string_view model = InstrumentOfCommand(command); !model.empty()) {
    return state.menuModel == model;
  }
  if (std::optional<MenuChoice> choice = ChoiceOfCommand(command)) {
    return state.settings.*(choice->field) == choice->value;
  }
  if (std::optional<MenuToggle> toggle = ToggleOfCommand(command)) {
    const std::int32_t value = state.settings.*(toggle->field);
    // The overwrite flag means 1; the release-check flags mean non-zero.
    if (command == MenuCommand::AllowSignatureOverwrite) return value == 1;
    return value != 0;
  }
  return false;
}

const std::vector<MenuCommand>& CheckMarkOrder() {
  static const std::vector<MenuCommand> order = BuildCheckMarkOrder();
  return order;
}

}  // namespace vanto
