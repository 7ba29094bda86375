// The operating mode ("ORX_Mode") and the display view ("ORX_DisplayView"):
// the texts stored in the settings and the menu labels that choose them.
// The settings keep the text as read; these lookups tell a known text from
// a hand-edited one, which matches no entry.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace vanto {

enum class AppMode { Basic, BasicAuto, Advanced };

struct AppModeEntry {
  AppMode mode;
  const char* value;      // as stored in "ORX_Mode"
  const char* menuLabel;  // nullptr: no menu entry chooses it
};

inline constexpr std::array<AppModeEntry, 3> kAppModes = {{
    {AppMode::Basic, "Basic", "Compact"},
    {AppMode::BasicAuto, "Basic-Auto", nullptr},  // accepted when found in the file
    {AppMode::Advanced, "Advanced", "Advanced"},
}};

// In the order of the "View" menu.
enum class DisplayView {
  NineMiniScopes,
  SixMiniScopesTestTree,
  ThreeMiniScopesTestTree,
  ThreeMiniScopesTestTreeBadTree,
  ThreeMiniScopesPcb,
  ThreeMiniScopesPcbTestTree,
  TwoMiniScopesPcbTestTreeBadTree,
  TwoMiniScopesPcbTestTree,
  MiniScopePcbTestTreeBadTree,
  Pcb,
};
inline constexpr int kDisplayViewCount = 10;

struct DisplayViewEntry {
  DisplayView view;
  const char* value;      // as stored in "ORX_DisplayView"
  const char* menuLabel;  // the "View" menu entry
};

// The first label says "(default)" although the settings default is
// "2miniscopes+PCB+TestTree+BadTree"; both are kept as users know them.
inline constexpr std::array<DisplayViewEntry, kDisplayViewCount> kDisplayViews = {{
    {DisplayView::NineMiniScopes, "9miniscopes", "9 mini-scopes (default)"},
    {DisplayView::SixMiniScopesTestTree, "6miniscopes+TestTree", "6 mini-scopes + TestTree"},
    {DisplayView::ThreeMiniScopesTestTree, "3miniscopes+TestTree", "3 mini-scopes + TestTree"},
    {DisplayView::ThreeMiniScopesTestTreeBadTree, "3miniscopes+TestTree+BadTree",
     "3 mini-scopes + TestTree + BadTree"},
    {DisplayView::ThreeMiniScopesPcb, "3miniscopes+PCB", "3 mini-scopes + PCB"},
    {DisplayView::ThreeMiniScopesPcbTestTree, "3miniscopes+PCB+TestTree",
     "3 mini-scopes + PCB + TestTree"},
    {DisplayView::TwoMiniScopesPcbTestTreeBadTree, "2miniscopes+PCB+TestTree+BadTree",
     "2 mini-scopes + PCB + TestTree + BadTree"},
    {DisplayView::TwoMiniScopesPcbTestTree, "2miniscopes+PCB+TestTree",
     "2 mini-scopes + PCB + TestTree"},
    {DisplayView::MiniScopePcbTestTreeBadTree, "miniscope+PCB+TestTree+BadTree",
     "1 mini-scope + PCB+ TestTree + BadTree"},
    {DisplayView::Pcb, "PCB", "PCB"},
}};

// Exact, case-sensitive matches; anything else is no mode or view.
std::optional<AppMode> ParseAppMode(std::string_view text);
std::optional<DisplayView> ParseDisplayView(std::string_view text);

const char* AppModeValue(AppMode mode);
const char* DisplayViewValue(DisplayView view);
const char* DisplayViewLabel(DisplayView view);

// "Basic" and "Basic-Auto" share the compact window.
inline bool IsCompactMode(AppMode mode) {
  return mode != AppMode::Advanced;
}

}  // namespace vanto
