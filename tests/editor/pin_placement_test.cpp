// Creating components by clicks: the prompts each template asks with, the
// pin positions and numbers, the records they fill and where they go.
#include "editor/pin_placement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/auto_increment_name.h"
#include "editor/editor_cells.h"
#include "editor/editor_fixture.h"
#include "foundation/number_text.h"

namespace vanto {
namespace {

using testing::EditorFixture;

struct Pin {
  int number = 0;
  int x = 0;
  int y = 0;
  friend bool operator==(const Pin&, const Pin&) = default;
};

void PrintTo(const Pin& p, std::ostream* out) {
  *out << "pin " << p.number << " at (" << p.x << ", " << p.y << ")";
}

// Starts the template with the given count fields.
void Create(EditorFixture& f, const std::string& entry, std::vector<std::string> fields = {}) {
  f.editor.controls.selectedTemplate = entry;
  for (std::size_t i = 0; i < fields.size(); ++i) f.editor.controls.countFields[i] = fields[i];
  CreateNewComponent(f.plan, f.editor, f.messages, f.refresh);
}

// Clicks the points in turn and returns the prompt shown before each.
std::vector<std::string> Click(EditorFixture& f, const std::vector<ViewPoint>& points) {
  std::vector<std::string> prompts;
  for (const ViewPoint& p : points) {
    prompts.push_back(f.editor.placement.editorPrompt);
    PlacePinClick(f.plan, f.editor, p);
  }
  return prompts;
}

std::vector<Pin> PinsOfRows(const EditorFixture& f, int first, int last) {
  std::vector<Pin> pins;
  for (int r = first; r <= last; ++r) {
    pins.push_back({ParseInt(f.Cell(r, cell::kPin)), ParseInt(f.Cell(r, cell::kTestX)),
                    ParseInt(f.Cell(r, cell::kTestY))});
  }
  return pins;
}

bool PlacementEnded(const EditorFixture& f) {
  return f.editor.placement.placementStep == 0 && f.editor.placement.editorPrompt.empty();
}

TEST(PinPlacement, EightPinDipTakesFourClicksAndInterpolatesBothSides) {
  EditorFixture f;
  f.AddComponent("IC16", 2);                 // rows 2, 3
  const int follower = f.AddComponent("IC20", 1);  // row 4
  f.plan.currentRecord = 2;
  f.editor.controls.componentName = "IC17";
  f.editor.working.view = {320, 240, 2.5f};

  Create(f, "  8 pin DIP/SO");
  EXPECT_EQ(f.plan.currentRecord, 3) << "the new records follow the whole current component";
  ASSERT_EQ(f.refresh.refreshes.size(), 1u);
  EXPECT_EQ(f.refresh.refreshes[0].prompt, "Click on Pin 1");

  const auto prompts = Click(f, {{100, 100}, {100, 130}, {160, 130}, {160, 100}});
  EXPECT_EQ(prompts, (std::vector<std::string>{"Click on Pin 1", "Click on Pin 4", "Click on Pin 5",
                                               "Click on Pin 8"}));
  EXPECT_TRUE(PlacementEnded(f));
  EXPECT_EQ(PinsOfRows(f, 4, 11), (std::vector<Pin>{{1, 100, 100},
                                                    {2, 100, 110},
                                                    {3, 100, 120},
                                                    {4, 100, 130},
                                                    {5, 160, 130},
                                                    {6, 160, 120},
                                                    {7, 160, 110},
                                                    {8, 160, 100}}));
  EXPECT_EQ(f.plan.currentRecord, 11);
  EXPECT_EQ(f.Cell(12, cell::kComponent), "IC20") << "was row " << follower;
  EXPECT_EQ(RowCount(f.plan), 12);

  // The record of pin 3: renumbered, named, untested, no golden signature,
  // with the editor's view.
  EXPECT_EQ(f.Cell(6, cell::kRecord), "6");
  EXPECT_EQ(f.Cell(6, cell::kDescription), "IC17, Pin 3");
  EXPECT_EQ(f.Cell(6, cell::kStatus), "Untested");
  EXPECT_EQ(f.Cell(6, cell::kComponent), "IC17");
  EXPECT_EQ(f.Cell(6, cell::kPin), "3");
  EXPECT_EQ(f.Cell(6, cell::kUserText), "");
  EXPECT_EQ(f.Cell(6, cell::kImageFile), "");
  EXPECT_EQ(f.Cell(6, cell::kViewX), "320");
  EXPECT_EQ(f.Cell(6, cell::kViewY), "240");
  EXPECT_EQ(f.Cell(6, cell::kZoom), "2.5");
  EXPECT_EQ(f.Cell(6, cell::kSignature), "No");
  EXPECT_EQ(f.Cell(6, cell::kScanSig), "");
  // The editor's pin follows the last placed one.
  EXPECT_EQ(f.editor.working.pinX, 160);
  EXPECT_EQ(f.editor.working.pinY, 100);
  EXPECT_EQ(f.editor.entry.testX, "160");
}

TEST(PinPlacement, RowInterpolationRoundsHalvesAwayFromZero) {
  struct Case {
    const char* pins;
    ViewPoint from;
    ViewPoint to;
    std::vector<Pin> expected;
  };
  const Case cases[] = {
      {"3", {0, 0}, {5, 0}, {{1, 0, 0}, {2, 3, 0}, {3, 5, 0}}},
      {"3", {5, 0}, {0, 0}, {{1, 5, 0}, {2, 2, 0}, {3, 0, 0}}},
      {"3", {0, 0}, {0, -5}, {{1, 0, 0}, {2, 0, -3}, {3, 0, -5}}},
      {"4", {0, 0}, {10, 0}, {{1, 0, 0}, {2, 3, 0}, {3, 7, 0}, {4, 10, 0}}},
      {"5", {10, 20}, {20, 30}, {{1, 10, 20}, {2, 13, 23}, {3, 15, 25}, {4, 18, 28}, {5, 20, 30}}},
  };
  for (const Case& c : cases) {
    EditorFixture f;
    Create(f, " Custom (1 row)", {c.pins});
    Click(f, {c.from, c.to});
    EXPECT_TRUE(PlacementEnded(f)) << c.pins;
    EXPECT_EQ(PinsOfRows(f, 2, RowCount(f.plan)), c.expected)
        << c.pins << " pins from " << c.from.x << "," << c.from.y;
  }
}

TEST(PinPlacement, PinToPinCountsUpOrDownOneClickPerPin) {
  struct Case {
    const char* first;
    const char* last;
    std::vector<int> pins;
  };
  const Case cases[] = {
      {"10", "7", {10, 9, 8, 7}},
      {"7", "10", {7, 8, 9, 10}},
      {"3", "3", {3}},
      {"", "2", {0, 1, 2}},  // no number counts as 0
  };
  for (const Case& c : cases) {
    EditorFixture f;
    Create(f, " Custom (from pin? to pin?)", {c.first, c.last});
    std::vector<ViewPoint> clicks;
    std::vector<std::string> expectedPrompts;
    std::vector<Pin> expectedPins;
    for (std::size_t i = 0; i < c.pins.size(); ++i) {
      const int x = 10 * static_cast<int>(i + 1);
      clicks.push_back({x, 5});
      expectedPrompts.push_back("Click on Pin " + std::to_string(c.pins[i]));
      expectedPins.push_back({c.pins[i], x, 5});
    }
    EXPECT_EQ(Click(f, clicks), expectedPrompts) << c.first << " to " << c.last;
    EXPECT_TRUE(PlacementEnded(f)) << c.first << " to " << c.last;
    EXPECT_EQ(PinsOfRows(f, 2, RowCount(f.plan)), expectedPins) << c.first << " to " << c.last;
  }
}

TEST(PinPlacement, CustomQuantityIsKeptWithinTwoTo255Pins) {
  struct Case {
    const char* quantity;
    int clicks;
  };
  const Case cases[] = {{"1", 2}, {"?", 2}, {"", 2}, {"5", 5}, {"300", 255}};
  for (const Case& c : cases) {
    EditorFixture f;
    Create(f, " Custom (any qty of pins)", {c.quantity});
    std::vector<std::string> prompts;
    int clicks = 0;
    while (f.editor.placement.placementStep != 0 && clicks < 1000) {
      prompts.push_back(f.editor.placement.editorPrompt);
      PlacePinClick(f.plan, f.editor, {clicks, 0});
      ++clicks;
    }
    EXPECT_EQ(clicks, c.clicks) << c.quantity;
    EXPECT_EQ(RowCount(f.plan), 1 + c.clicks) << c.quantity;
    EXPECT_EQ(prompts.front(), "Click on Pin 1") << c.quantity;
    EXPECT_EQ(prompts.back(), "Click on Pin " + std::to_string(c.clicks)) << c.quantity;
  }
}

TEST(PinPlacement, OnePinEndsAfterOneClickAndTheNameCountsUp) {
  EditorFixture f;
  f.editor.controls.componentName = "IC17";
  Create(f, "  1 pin");
  EXPECT_EQ(f.editor.placement.editorPrompt, "Click on Pin");
  const int stepBefore = f.editor.placement.placementStep;
  PlacePinClick(f.plan, f.editor, {40, 50});
  EXPECT_TRUE(PlacementEnded(f));
  EXPECT_EQ(PinsOfRows(f, 2, RowCount(f.plan)), (std::vector<Pin>{{1, 40, 50}}));
  EXPECT_EQ(f.Cell(2, cell::kDescription), "IC17, Pin 1");
  AutoIncrementName(f.editor, stepBefore);
  EXPECT_EQ(f.editor.controls.componentName, "IC18");
}

TEST(PinPlacement, RowTemplatesAskForTheEndsOfEveryRow) {
  struct Case {
    const char* entry;
    std::vector<int> asked;
  };
  const Case cases[] = {
      {"100 pin QFP (rectangle)", {1, 30, 31, 50, 51, 80, 81, 100}},
      {"240 pin QFP (square)", {1, 60, 61, 120, 121, 180, 181, 240}},
      {"  9 pin D-type (2 row)", {1, 5, 6, 9}},
      {" 96 pin DIN41612 (3 row)", {1, 32, 33, 64, 65, 96}},
      {" 16 pin DIN41612 (1 row)", {1, 16}},
      {"120 pin QFP (rectangle)", {1, 36, 37, 60, 61, 96, 97, 120}},
  };
  for (const Case& c : cases) {
    EditorFixture f;
    Create(f, c.entry);
    std::vector<ViewPoint> clicks;
    std::vector<std::string> expectedPrompts;
    for (std::size_t i = 0; i < c.asked.size(); ++i) {
      clicks.push_back({static_cast<int>(i) * 100, static_cast<int>(i % 2) * 1000});
      expectedPrompts.push_back("Click on Pin " + std::to_string(c.asked[i]));
    }
    EXPECT_EQ(Click(f, clicks), expectedPrompts) << c.entry;
    EXPECT_TRUE(PlacementEnded(f)) << c.entry;
    const int pins = c.asked.back();
    ASSERT_EQ(RowCount(f.plan), 1 + pins) << c.entry;
    // Every pin once, in order, and each clicked pin where it was clicked.
    const std::vector<Pin> placed = PinsOfRows(f, 2, 1 + pins);
    for (int i = 0; i < pins; ++i) EXPECT_EQ(placed[i].number, i + 1) << c.entry;
    for (std::size_t i = 0; i < c.asked.size(); ++i) {
      EXPECT_EQ(placed[c.asked[i] - 1], (Pin{c.asked[i], clicks[i].x, clicks[i].y})) << c.entry;
    }
  }
}

TEST(PinPlacement, RefusesRowComponentsOfMoreThan1000Pins) {
  struct Case {
    const char* entry;
    std::vector<std::string> fields;
    bool started;
    int pins;
  };
  const Case cases[] = {
      {" Custom (4 row)", {"255", "255", "255", "255"}, false, 1020},
      {" Custom (4 row)", {"250", "250", "250", "251"}, false, 1001},
      {" Custom (4 row)", {"250", "250", "250", "250"}, true, 1000},
      {" Custom (3 row)", {"255", "255", "255"}, true, 765},
  };
  for (const Case& c : cases) {
    EditorFixture f;
    f.AddComponent("IC1", 2);
    const int rowsBefore = RowCount(f.plan);
    Create(f, c.entry, c.fields);
    EXPECT_EQ(f.editor.placement.placementStep != 0, c.started) << c.pins;
    if (!c.started) {
      ASSERT_EQ(f.boxes.shown.size(), 1u) << c.pins;
      EXPECT_EQ(f.boxes.shown[0].title, "Warning #0090") << c.pins;
      EXPECT_TRUE(f.editor.placement.editorPrompt.empty()) << c.pins;
      PlacePinClick(f.plan, f.editor, {1, 1});
      EXPECT_EQ(RowCount(f.plan), rowsBefore) << c.pins;
    } else {
      EXPECT_TRUE(f.boxes.shown.empty()) << c.pins;
      PlacePinClick(f.plan, f.editor, {1, 1});
      EXPECT_EQ(RowCount(f.plan), rowsBefore + c.pins) << c.pins;
    }
  }
}

TEST(PinPlacement, EntriesWithoutLayoutOnlyMoveToTheEndOfTheComponent) {
  EditorFixture f;
  f.AddComponent("IC1", 3);
  f.AddComponent("IC2", 2);
  f.plan.currentRecord = 3;
  Create(f, ".... IC's ....");
  EXPECT_EQ(f.plan.currentRecord, 4);
  EXPECT_EQ(f.editor.placement.placementStep, 0);
  EXPECT_TRUE(f.refresh.refreshes.empty());
}

TEST(PinPlacement, StartsFromARecordThatExists) {
  struct Case {
    const char* name;
    int records;
    int currentRecord;
  };
  const Case cases[] = {
      {"past the last record after a run", 3, 5},
      {"First on a plan without records", 0, 2},
      {"far beyond", 3, 1000},
      {"below the plan row", 3, -4},
  };
  for (const Case& c : cases) {
    EditorFixture f;
    if (c.records > 0) f.AddComponent("IC1", c.records);
    f.plan.currentRecord = c.currentRecord;
    f.editor.controls.componentName = "R5";
    Create(f, "  2 pin");
    Click(f, {{1, 2}, {3, 4}});
    EXPECT_TRUE(PlacementEnded(f)) << c.name;
    ASSERT_EQ(RowCount(f.plan), c.records + 3) << c.name;
    const int first = c.currentRecord < 1 ? 2 : c.records + 2;
    EXPECT_EQ(f.Cell(first, cell::kDescription), "R5, Pin 1") << c.name;
    EXPECT_EQ(f.Cell(first + 1, cell::kDescription), "R5, Pin 2") << c.name;
    EXPECT_LE(f.plan.currentRecord, RowCount(f.plan)) << c.name;
  }
}

TEST(PinPlacement, EndsWhenTheRecordsBelowHaveRunOut) {
  EditorFixture f;
  Create(f, "  8 pin DIP/SO");
  PlacePinClick(f.plan, f.editor, {100, 100});
  ASSERT_EQ(RowCount(f.plan), 9);
  // The user steps to the last record before clicking pin 4.
  f.plan.currentRecord = 8;
  PlacePinClick(f.plan, f.editor, {100, 130});
  EXPECT_TRUE(PlacementEnded(f));
  EXPECT_EQ(RowCount(f.plan), 9);
  EXPECT_EQ(f.plan.currentRecord, 9);
  EXPECT_EQ(f.Cell(9, cell::kPin), "2");
}

TEST(PinPlacement, GoesOnAfterTheEditorIsClosedAndOpenedAgain) {
  EditorFixture f;
  f.editor.controls.componentName = "U3";
  Create(f, "  8 pin DIP/SO");
  Click(f, {{100, 100}, {100, 130}});
  // Opening the window anew resets its controls and working values; the
  // placement is the program's.
  EditorState reopened;
  reopened.placement = f.editor.placement;
  reopened.controls.componentName = "U3";
  EXPECT_EQ(reopened.placement.editorPrompt, "Click on Pin 5");
  f.editor = reopened;
  Click(f, {{160, 130}, {160, 100}});
  EXPECT_TRUE(PlacementEnded(f));
  EXPECT_EQ(PinsOfRows(f, 6, 9),
            (std::vector<Pin>{{5, 160, 130}, {6, 160, 120}, {7, 160, 110}, {8, 160, 100}}));
}

TEST(PinPlacement, ClicksWithoutAPlacementChangeNothingButEndAZoomSelection) {
  EditorFixture f;
  f.AddComponent("IC1", 2);
  f.editor.working.zoomWindowStep = 2;
  PlacePinClick(f.plan, f.editor, {5, 5});
  EXPECT_EQ(RowCount(f.plan), 3);
  EXPECT_EQ(f.editor.working.zoomWindowStep, 0);
}

}  // namespace
}  // namespace vanto
