#include "app/display_colours.h"

#include "foundation/settings_keys.h"

namespace vanto {

namespace {

// $BBGGRR values.
const std::array<DisplayColourRow, kDisplayColourRowCount> kRows = {{
    {"Scope Background > ", key::kColourScope1Background, &Settings::colourScope1Background,
     0x000000, 0x000000},
    {"Scope Outline > ", key::kColourScope1Outline, &Settings::colourScope1Outline, 0x008800,
     0x008800},
    {"Scope Graticule > ", key::kColourScope1Graticule, &Settings::colourScope1Graticule, 0x008800,
     0x008800},
    {"Scope Crosshair > ", key::kColourScopeXCrosshair, &Settings::colourScopeXCrosshair, 0x008800,
     0x008800},
    {"Scope Text > ", key::kColourScope1Text, &Settings::colourScope1Text, 0xFFFFFF, 0xFFFFFF},
    {"Live Signature > ", key::kColourScopeXTraceLiveSig, &Settings::colourScopeXTraceLiveSig,
     0x0000FF, 0x0000FF},
    {"Golden Signature > ", key::kColourScopeXTraceGoldenSig, &Settings::colourScopeXTraceGoldenSig,
     0xFF0000, 0x00D7FF},
    {"DUT Signature > ", key::kColourScopeXTraceDutSig, &Settings::colourScopeXTraceDutSig,
     0x00FFFF, 0xFF0000},
    {"Background > ", key::kColourBackground, &Settings::colourBackground, 0x2E362E, 0x2E362E},
    {"Panel > ", key::kColourPanel, &Settings::colourPanel, 0x707C73, 0x707C73},
    {"Panel Window > ", key::kColourPanelWindow, &Settings::colourPanelWindow, 0x7F1236, 0x220000},
    {"Panel Text > ", key::kColourPanelText, &Settings::colourPanelText, 0xFFFFFF, 0xFFFFFF},
    {"Header > ", key::kColourHeader, &Settings::colourHeader, 0x000000, 0x000000},
    {"Header Text > ", key::kColourHeaderText, &Settings::colourHeaderText, 0x00A5FF, 0x00A5FF},
}};

void Changed(DisplayColoursState state) {
  WriteDisplayColours(state.store, state.settings);
  state.display.displayRefreshPending = true;
  state.display.scopeRedrawPending = true;
}

}  // namespace

const std::array<DisplayColourRow, kDisplayColourRowCount>& DisplayColourRows() {
  return kRows;
}

const DisplayColourRow& DisplayColourRowAt(int row) {
  return kRows.at(static_cast<std::size_t>(row - 1));
}

std::int32_t RowColour(const Settings& settings, int row) {
  return settings.*DisplayColourRowAt(row).colour;
}

void SetRowColour(DisplayColoursState state, int row, std::int32_t colour) {
  state.settings.*DisplayColourRowAt(row).colour = colour;
  Changed(state);
}

void ResetRowColour(DisplayColoursState state, int row) {
  SetRowColour(state, row, DisplayColourRowAt(row).resetValue);
}

void ApplyDarkPreset(DisplayColoursState state) {
  for (const DisplayColourRow& row : kRows) state.settings.*row.colour = row.darkValue;
  Changed(state);
}

void WriteDisplayColours(SettingsStore& store, const Settings& settings) {
  for (const DisplayColourRow& row : kRows) store.WriteSetting(row.key, settings.*row.colour);
}

}  // namespace vanto
