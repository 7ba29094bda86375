// The menu bar as data: every title, entry, separator and submenu with its
// label and command, which setting value each choosing entry stands for,
// and when an entry carries a check mark. The window builds its menus from
// this tree and asks MenuChecked for the marks; it decides nothing itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/mode_and_view.h"
#include "foundation/settings.h"

namespace vanto {

// One command per entry; the window reports the chosen entry by this id.
enum class MenuCommand {
  None,  // titles, submenus and separators
  // "File"
  New,
  Open,
  Save,
  OpenRecent1,
  OpenRecent2,
  OpenRecent3,
  OpenRecent4,
  OpenRecent5,
  OpenRecent6,
  OpenRecent7,
  OpenRecent8,
  // "Instrument"
  Connect,
  Disconnect,
  InstrumentOrxa,
  InstrumentOrxap,
  InstrumentOrxb,
  InstrumentOrxc,
  // "Mode"
  ModeCompact,
  ModeAdvanced,
  // "Test"
  AllowSignatureOverwrite,
  OpenCircuit025,
  OpenCircuit050,
  OpenCircuit100,
  StableThreshold050,
  StableThreshold100,
  StableThreshold200,
  StableDelay2,
  StableDelay5,
  StableDelay10,
  StableDelay15,
  StableDelay20,
  GoldenVsLive050,
  GoldenVsLive075,
  GoldenVsLive100,
  GoldenVsLive150,
  GoldenVsLive200,
  GoldenVsLive300,
  GoldenVsLive400,
  GoldenVsLive500,
  CollapseTestTree,
  // "Scope"
  GraticuleOn,
  GraticuleOff,
  CrosshairsOn,
  CrosshairsClassic,
  CrosshairsOff,
  MiniScopeCrosshairsOn,
  MiniScopeCrosshairsOff,
  // "Display"; the views in DisplayView order
  ViewNineMiniScopes,
  ViewSixMiniScopesTestTree,
  ViewThreeMiniScopesTestTree,
  ViewThreeMiniScopesTestTreeBadTree,
  ViewThreeMiniScopesPcb,
  ViewThreeMiniScopesPcbTestTree,
  ViewTwoMiniScopesPcbTestTreeBadTree,
  ViewTwoMiniScopesPcbTestTree,
  ViewMiniScopePcbTestTreeBadTree,
  ViewPcb,
  PcbCrosshairs1Line,
  PcbCrosshairs3Line,
  DisplayColours,
  // "Utilities"
  CalibrateDacAdc,
  DailyCheckForReleases,
  OnlyLtsReleases,
  // "Help"
  About,
  KeyboardAndFootswitch,
  SupportInfo,
};

enum class MenuEntryKind { Command, Submenu, Separator };

struct MenuEntry {
  MenuEntryKind kind = MenuEntryKind::Command;
  std::string label;  // verbatim, leading spaces included
  MenuCommand command = MenuCommand::None;
  bool checkable = false;
  std::vector<MenuEntry> children;  // submenus only
};

// The top-level menus ("File" ... "Help"), each a submenu entry. Built once.
const std::vector<MenuEntry>& MenuBar();

// The entry of a command, or nullptr for MenuCommand::None.
const MenuEntry* FindMenuEntry(MenuCommand command);

inline constexpr int kRecentMenuItems = 8;
// Placeholder label of "Open Recent" item `index` (0..7): "recent1.ept" ...
std::string RecentPlaceholderLabel(int index);
// The recent item for index 0..7, and back (-1 for other commands).
MenuCommand RecentCommand(int index);
int RecentIndex(MenuCommand command);

MenuCommand ViewCommand(DisplayView view);
std::optional<DisplayView> ViewOfCommand(MenuCommand command);

// Change Instrument: the model an entry chooses, or empty text.
std::string_view InstrumentOfCommand(MenuCommand command);

// An entry that stores one text in a text setting: "3.0%" stores "3.00%".
struct MenuChoice {
  MenuCommand command;
  std::string Settings::*field;
  const char* key;
  const char* value;
};
std::optional<MenuChoice> ChoiceOfCommand(MenuCommand command);

// An entry that flips an integer setting between 0 and 1.
struct MenuToggle {
  MenuCommand command;
  std::int32_t Settings::*field;
  const char* key;
};
std::optional<MenuToggle> ToggleOfCommand(MenuCommand command);

// What the check marks depend on.
struct MenuCheckState {
  const Settings& settings;
  std::string_view menuModel;  // Change Instrument's remembered choice
  bool connected;
};

bool IsCheckable(MenuCommand command);

// Whether the entry shows a check mark. A list entry is checked only when
// its setting holds exactly the entry's value, so a hand-edited value
// ("2.5%", "Basic-Auto") checks no entry of its list.
bool MenuChecked(MenuCommand command, const MenuCheckState& state);

// Every checkable entry, in the order the interface refresh applies them:
// instruments, release check, graticule, crosshairs, mini-scope
// crosshairs, PCB crosshairs, signature overwrite, open-circuit and
// stable thresholds, stable delay, golden-vs-live threshold, mode, views;
// last the connection pair, which the link also sets when it changes.
const std::vector<MenuCommand>& CheckMarkOrder();

}  // namespace vanto
