// The fourteen display colours the "Display Colours" window edits: which
// setting each row holds, the row's own reset value, the dark preset, and
// what a change does. Every change writes all fourteen colours, one
// settings rewrite each, and asks for a display refresh and a scope redraw
// so the scopes show the new colours once the main loop runs again; the
// ribbon and main window read theirs at start-up only. Main thread only.
#pragma once

#include <array>
#include <cstdint>

#include "foundation/settings.h"
#include "foundation/settings_store.h"
#include "ui/display_requests.h"

namespace vanto {

inline constexpr int kDisplayColourRowCount = 14;

// The window's texts.
inline constexpr const char* kDisplayColoursTitle = "Display Colours";
inline constexpr const char* kScopeColoursHeading = "Change colours used on the scope display(s):";
inline constexpr const char* kRibbonColoursHeading =
    "Change colours used on control ribbon (settings update on VANTO restart):";
inline constexpr const char* kAutoSaveNote = "Note: Changes are automatically saved when altered.";
inline constexpr const char* kSetToDefaultText = " < set to default";
inline constexpr const char* kDarkPresetText = "Set colours: dark mode (default)";
// Rows 1 to 8 are the scope colours, 9 to 14 the ribbon and window ones.
inline constexpr int kLastScopeColourRow = 8;

struct DisplayColourRow {
  const char* label;  // the row's button text
  const char* key;    // its setting
  std::int32_t Settings::*colour;
  std::int32_t resetValue;  // " < set to default"
  std::int32_t darkValue;   // "Set colours: dark mode (default)"
};

// Rows 1 to 14 at indices 0 to 13.
const std::array<DisplayColourRow, kDisplayColourRowCount>& DisplayColourRows();

// Row 1 to 14.
const DisplayColourRow& DisplayColourRowAt(int row);
std::int32_t RowColour(const Settings& settings, int row);

// What a change touches.
struct DisplayColoursState {
  Settings& settings;
  SettingsStore& store;
  DisplayRequests& display;
};

// A colour chosen in the picker for one row.
void SetRowColour(DisplayColoursState state, int row, std::int32_t colour);
// The row's " < set to default" button.
void ResetRowColour(DisplayColoursState state, int row);
// "Set colours: dark mode (default)": every row at once.
void ApplyDarkPreset(DisplayColoursState state);

// All fourteen colours, in row order, as decimal text.
void WriteDisplayColours(SettingsStore& store, const Settings& settings);

}  // namespace vanto
