// The template list as the user sees it, the layout each entry starts and
// the count fields each entry shows.
#include "editor/component_templates.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "editor/count_fields.h"
#include "foundation/number_text.h"

namespace vanto {
namespace {

TEST(ComponentTemplates, ListsEveryEntryVerbatimInOrder) {
  const std::vector<std::string> expected = {
      ".... Components ....",
      "  1 pin",
      "  2 pin",
      "  3 pin",
      "  4 pin",
      ".... Custom Components ....",
      " Custom (any qty of pins)",
      " Custom (from pin? to pin?)",
      " Custom (1 row)",
      " Custom (2 row)",
      " Custom (3 row)",
      " Custom (4 row)",
      ".... IC's ....",
      "  4 pin DIP/SO",
      "  5 pin SOT23-5",
      "  6 pin DIP/SOT23-6",
      "  8 pin DIP/SO",
      " 10 pin DIP/SO",
      " 14 pin DIP/SO",
      " 16 pin DIP/SO",
      " 18 pin DIP/SO",
      " 20 pin DIP/SO",
      " 24 pin DIP/SO",
      " 28 pin DIP/SO",
      " 32 pin DIP/SO",
      " 32 pin QFP (square)",
      " 36 pin DIP/SO",
      " 40 pin DIP/SO",
      " 44 pin QFP (square)",
      " 48 pin QFP (square)",
      " 52 pin QFP (square)",
      " 64 pin QFP (square)",
      " 64 pin QFP (rectangle)",
      " 80 pin QFP (square)",
      " 80 pin QFP (rectangle)",
      "100 pin QFP (square)",
      "100 pin QFP (rectangle)",
      "120 pin QFP (square)",
      "120 pin QFP (rectangle)",
      "128 pin QFP (square)",
      "128 pin QFP (rectangle)",
      "132 pin QFP (square)",
      "144 pin QFP (square)",
      "160 pin QFP (square)",
      "176 pin QFP (square)",
      "184 pin QFP (square)",
      "240 pin QFP (square)",
      ".... Connectors ....",
      "  9 pin D-type (2 row)",
      " 15 pin D-type (2 row)",
      " 15 pin D-type (3 row)",
      " 16 pin DIN41612 (1 row)",
      " 25 pin D-type (2 row)",
      " 26 pin D-type (3 row)",
      " 32 pin DIN41612 (1 row)",
      " 32 pin DIN41612 (2 row)",
      " 37 pin D-type (2 row)",
      " 44 pin D-type (3 row)",
      " 48 pin DIN41612 (3 row)",
      " 50 pin D-type (3 row)",
      " 62 pin D-type (3 row)",
      " 64 pin DIN41612 (2 row)",
      " 78 pin D-type (4 row)",
      " 96 pin DIN41612 (3 row)",
  };
  std::vector<std::string> listed;
  for (const ComponentTemplate& t : ComponentTemplates()) listed.emplace_back(t.entry);
  EXPECT_EQ(listed, expected);
}

TEST(ComponentTemplates, EntriesAreMatchedWithTheirLeadingSpaces) {
  EXPECT_NE(FindTemplate("  8 pin DIP/SO"), nullptr);
  EXPECT_EQ(FindTemplate("8 pin DIP/SO"), nullptr);
  EXPECT_EQ(FindTemplate(" 8 pin DIP/SO"), nullptr);
  EXPECT_EQ(FindTemplate("  8 pin DIP/SO "), nullptr);
}

TEST(ComponentTemplates, EntriesStartTheirLayouts) {
  struct Case {
    const char* entry;
    TemplateKind kind;
    PlacementMode mode;
    std::array<int, 4> rowPins;
  };
  using enum PlacementMode;
  const Case cases[] = {
      {"  1 pin", TemplateKind::Fixed, Pins, {1, 0, 0, 0}},
      {"  4 pin", TemplateKind::Fixed, Pins, {4, 0, 0, 0}},
      {"  5 pin SOT23-5", TemplateKind::Fixed, TwoRow, {3, 2, 0, 0}},
      {"  8 pin DIP/SO", TemplateKind::Fixed, TwoRow, {4, 4, 0, 0}},
      {" 64 pin QFP (rectangle)", TemplateKind::Fixed, FourRow, {19, 13, 19, 13}},
      {"100 pin QFP (rectangle)", TemplateKind::Fixed, FourRow, {30, 20, 30, 20}},
      {"128 pin QFP (rectangle)", TemplateKind::Fixed, FourRow, {38, 26, 38, 26}},
      {"240 pin QFP (square)", TemplateKind::Fixed, FourRow, {60, 60, 60, 60}},
      {"120 pin QFP (rectangle)", TemplateKind::Fixed, FourRow, {36, 24, 36, 24}},
      {"  9 pin D-type (2 row)", TemplateKind::Fixed, TwoRow, {5, 4, 0, 0}},
      {" 15 pin D-type (3 row)", TemplateKind::Fixed, ThreeRow, {5, 5, 5, 0}},
      {" 16 pin DIN41612 (1 row)", TemplateKind::Fixed, OneRow, {16, 0, 0, 0}},
      {" 50 pin D-type (3 row)", TemplateKind::Fixed, ThreeRow, {17, 16, 17, 0}},
      {" 78 pin D-type (4 row)", TemplateKind::Fixed, FourRow, {20, 19, 20, 19}},
      {" 96 pin DIN41612 (3 row)", TemplateKind::Fixed, ThreeRow, {32, 32, 32, 0}},
      {" Custom (any qty of pins)", TemplateKind::CustomQuantity, Pins, {0, 0, 0, 0}},
      {" Custom (from pin? to pin?)", TemplateKind::CustomPinToPin, PinToPin, {0, 0, 0, 0}},
      {" Custom (3 row)", TemplateKind::CustomRows, ThreeRow, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const ComponentTemplate* found = FindTemplate(c.entry);
    ASSERT_NE(found, nullptr) << c.entry;
    EXPECT_EQ(found->kind, c.kind) << c.entry;
    EXPECT_EQ(found->mode, c.mode) << c.entry;
    EXPECT_EQ(found->rowPins, c.rowPins) << c.entry;
  }
}

// Every entry named "<n> pin ..." places n pins, a "(k row)" one in k rows
// of at least two pins; headings start nothing.
TEST(ComponentTemplates, LayoutsAgreeWithTheirNames) {
  for (const ComponentTemplate& t : ComponentTemplates()) {
    const std::string entry(t.entry);
    if (entry.starts_with(".")) {
      EXPECT_EQ(t.kind, TemplateKind::Heading) << entry;
      continue;
    }
    if (t.kind != TemplateKind::Fixed) continue;
    const int pins = ParseInt(entry);
    EXPECT_EQ(std::accumulate(t.rowPins.begin(), t.rowPins.end(), 0), pins) << entry;
    const std::size_t rowsAt = entry.find(" row)");
    if (rowsAt != std::string::npos) {
      EXPECT_EQ(RowsOf(t.mode), entry[rowsAt - 1] - '0') << entry;
    }
    for (int row = 0; row < RowsOf(t.mode); ++row) EXPECT_GE(t.rowPins[row], 2) << entry;
  }
}

TEST(ComponentTemplates, ModesHaveTheirNames) {
  EXPECT_EQ(PlacementModeName(PlacementMode::Pins), "PINS");
  EXPECT_EQ(PlacementModeName(PlacementMode::PinToPin), "PINTOPIN");
  EXPECT_EQ(PlacementModeName(PlacementMode::OneRow), "1ROW");
  EXPECT_EQ(PlacementModeName(PlacementMode::FourRow), "4ROW");
}

TEST(SelectTemplate, ShowsTheCountFieldsOfCustomEntries) {
  struct Case {
    const char* entry;
    CountFieldLayout expected;
  };
  const Case cases[] = {
      {" Custom (any qty of pins)", {{true, false, false, false}, {"Qty: ", "", "", ""}}},
      {" Custom (from pin? to pin?)", {{true, true, false, false}, {"First: ", "Last: ", "", ""}}},
      {" Custom (1 row)", {{true, false, false, false}, {"Row 1: ", "", "", ""}}},
      {" Custom (2 row)", {{true, true, false, false}, {"Row 1: ", "Row 2: ", "", ""}}},
      {" Custom (3 row)", {{true, true, true, false}, {"Row 1: ", "Row 2: ", "Row 3: ", ""}}},
      {" Custom (4 row)",
       {{true, true, true, true}, {"Row 1: ", "Row 2: ", "Row 3: ", "Row 4: "}}},
      {"  8 pin DIP/SO", {}},
      {".... IC's ....", {}},
      {" 96 pin DIN41612 (3 row)", {}},
      {"no such entry", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SelectTemplate(c.entry), c.expected) << c.entry;
}

}  // namespace
}  // namespace vanto
