// The display colours' rules over a real settings file: the row resets,
// the dark preset, the fourteen rewrites of one change and the redraw
// requests.
#include "app/display_colours.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "foundation/settings_keys.h"
#include "foundation/text_lines.h"
#include "support/fakes.h"
#include "support/settings_rewrites.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

class DisplayColours : public ::testing::Test {
 protected:
  DisplayColours() {
    LoadSettings(store, settings);  // a fresh file with every default
    display.displayRefreshPending = false;
    rewrites.Take();
  }
  DisplayColoursState State() { return {settings, store, display}; }
  // The value in the file, -1 when it has none.
  std::int32_t Stored(const char* key) {
    const std::string text = ReadSetting(kSettingsFileName, key);
    return text.empty() ? -1 : std::stoi(text);
  }

  testing::TempWorkdir dir;
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  Messages messages{clock, boxes};
  SettingsStore store{messages};
  Settings settings;
  DisplayRequests display;
  testing::SettingsRewrites rewrites;
};

struct RowCase {
  int row;
  const char* key;
  std::int32_t fresh;  // a new settings file
  std::int32_t reset;  // " < set to default"
  std::int32_t dark;   // the dark preset
};

const RowCase kRowCases[] = {
    {1, "ORX_ColourScope1Background", 0, 0, 0},
    {2, "ORX_ColourScope1Outline", 34816, 34816, 34816},
    {3, "ORX_ColourScope1Graticule", 34816, 34816, 34816},
    {4, "ORX_ColourScopeXCrosshair", 34816, 34816, 34816},
    {5, "ORX_ColourScope1Text", 16777215, 16777215, 16777215},
    {6, "ORX_ColourScopeXTraceLiveSig", 255, 255, 255},
    {7, "ORX_ColourScopeXTraceGoldenSig", 42495, 16711680, 55295},
    {8, "ORX_ColourScopeXTraceDUTSig", 16711680, 65535, 16711680},
    {9, "ORX_ColourBackground", 1052688, 3028526, 3028526},
    {10, "ORX_ColourPanel", 7371891, 7371891, 7371891},
    {11, "ORX_ColourPanelWindow", 2228224, 8327734, 2228224},
    {12, "ORX_ColourPanelText", 16777215, 16777215, 16777215},
    {13, "ORX_ColourHeader", 0, 0, 0},
    {14, "ORX_ColourHeaderText", 34816, 42495, 42495},
};

TEST_F(DisplayColours, EachRowResetsItsOwnSettingToItsResetValue) {
  for (const RowCase& c : kRowCases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(DisplayColourRowAt(c.row).key, std::string(c.key));
    EXPECT_EQ(Stored(c.key), c.fresh);
    EXPECT_EQ(RowColour(settings, c.row), c.fresh);
    ResetRowColour(State(), c.row);
    EXPECT_EQ(RowColour(settings, c.row), c.reset);
    EXPECT_EQ(Stored(c.key), c.reset);
  }
}

TEST_F(DisplayColours, DarkPresetSetsEveryRow) {
  for (const RowCase& c : kRowCases) SetRowColour(State(), c.row, 0x123456);
  ApplyDarkPreset(State());
  for (const RowCase& c : kRowCases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(RowColour(settings, c.row), c.dark);
    EXPECT_EQ(Stored(c.key), c.dark);
  }
}

TEST_F(DisplayColours, GoldenTraceFreshResetAndDark) {
  // Row 7 is the golden signature trace, "ORX_ColourScopeXTraceGoldenSig".
  EXPECT_EQ(settings.colourScopeXTraceGoldenSig, 42495);  // $00A5FF orange
  ResetRowColour(State(), 7);
  EXPECT_EQ(settings.colourScopeXTraceGoldenSig, 16711680);  // $FF0000 blue
  EXPECT_EQ(Stored(key::kColourScopeXTraceGoldenSig), 16711680);
  ApplyDarkPreset(State());
  EXPECT_EQ(settings.colourScopeXTraceGoldenSig, 55295);  // $00D7FF
  EXPECT_EQ(Stored(key::kColourScopeXTraceGoldenSig), 55295);
}

TEST_F(DisplayColours, EveryChangeRewritesTheFileOncePerColour) {
  ASSERT_TRUE(rewrites.Watching());
  const std::size_t lines = SplitLines(testing::ReadFile(kSettingsFileName)).size();

  SetRowColour(State(), 3, 0x0A0B0C);
  EXPECT_EQ(rewrites.Take(), 14);
  ResetRowColour(State(), 12);
  EXPECT_EQ(rewrites.Take(), 14);
  ApplyDarkPreset(State());
  EXPECT_EQ(rewrites.Take(), 14);

  // Only the colour lines changed, and each holds the value in memory.
  EXPECT_EQ(SplitLines(testing::ReadFile(kSettingsFileName)).size(), lines);
  EXPECT_EQ(ReadSetting(kSettingsFileName, key::kMode), "Advanced");
  for (const RowCase& c : kRowCases) EXPECT_EQ(Stored(c.key), RowColour(settings, c.row));
}

TEST_F(DisplayColours, ChangeAsksForRefreshAndRedraw) {
  SetRowColour(State(), 1, 0x112233);
  EXPECT_TRUE(display.displayRefreshPending);
  EXPECT_TRUE(display.scopeRedrawPending);
}

TEST_F(DisplayColours, WithoutASettingsFileTheChangeLivesInMemoryOnly) {
  std::remove(kSettingsFileName);
  SetRowColour(State(), 6, 0x00FF00);
  EXPECT_EQ(settings.colourScopeXTraceLiveSig, 0x00FF00);
  EXPECT_EQ(rewrites.Take(), 0);
  EXPECT_EQ(testing::ReadFile(kSettingsFileName), "");
  EXPECT_TRUE(display.scopeRedrawPending);
}

}  // namespace
}  // namespace vanto
