#include "editor/component_templates.h"

#include <array>

namespace vanto {

namespace {

using enum PlacementMode;
using enum TemplateKind;

constexpr ComponentTemplate Title(std::string_view entry) { return {entry, TemplateKind::Heading}; }
constexpr ComponentTemplate Pin(std::string_view entry, int pins) {
  return {entry, Fixed, Pins, {pins, 0, 0, 0}};
}
constexpr ComponentTemplate Rows(std::string_view entry, PlacementMode mode,
                                 std::array<int, kMaxTemplateRows> rowPins) {
  return {entry, Fixed, mode, rowPins};
}
constexpr ComponentTemplate Custom(std::string_view entry, TemplateKind kind, PlacementMode mode) {
  return {entry, kind, mode};
}

// Connectors and the rectangular 120-pin QFP carry no counts in their
// names beyond the total and the rows, so these layouts are ours; each
// row is clicked from its first to its last pin like an IC:
//
//   entry                        rows   pins per row
//   9 pin D-type (2 row)         2      5, 4        (DE-9)
//   15 pin D-type (2 row)        2      8, 7        (DA-15)
//   15 pin D-type (3 row)        3      5, 5, 5     (high density DE-15)
//   16 pin DIN41612 (1 row)      1      16
//   25 pin D-type (2 row)        2      13, 12      (DB-25)
//   26 pin D-type (3 row)        3      9, 9, 8     (high density DA-26)
//   32 pin DIN41612 (1 row)      1      32
//   32 pin DIN41612 (2 row)      2      16, 16
//   37 pin D-type (2 row)        2      19, 18      (DC-37)
//   44 pin D-type (3 row)        3      15, 15, 14  (high density DB-44)
//   48 pin DIN41612 (3 row)      3      16, 16, 16
//   50 pin D-type (3 row)        3      17, 16, 17  (DD-50)
//   62 pin D-type (3 row)        3      21, 21, 20  (high density DC-62)
//   64 pin DIN41612 (2 row)      2      32, 32
//   78 pin D-type (4 row)        4      20, 19, 20, 19 (high density DD-78)
//   96 pin DIN41612 (3 row)      3      32, 32, 32
//   120 pin QFP (rectangle)      4      36, 24, 36, 24 (the 3 : 2 sides of the
//                                                       other rectangular QFPs)
constexpr std::array kTemplates{
    Title(".... Components ...."),
    Pin("  1 pin", 1),
    Pin("  2 pin", 2),
    Pin("  3 pin", 3),
    Pin("  4 pin", 4),
    Title(".... Custom Components ...."),
    Custom(" Custom (any qty of pins)", CustomQuantity, Pins),
    Custom(" Custom (from pin? to pin?)", CustomPinToPin, PinToPin),
    Custom(" Custom (1 row)", CustomRows, OneRow),
    Custom(" Custom (2 row)", CustomRows, TwoRow),
    Custom(" Custom (3 row)", CustomRows, ThreeRow),
    Custom(" Custom (4 row)", CustomRows, FourRow),
    Title(".... IC's ...."),
    Rows("  4 pin DIP/SO", TwoRow, {2, 2}),
    Rows("  5 pin SOT23-5", TwoRow, {3, 2}),
    Rows("  6 pin DIP/SOT23-6", TwoRow, {3, 3}),
    Rows("  8 pin DIP/SO", TwoRow, {4, 4}),
    Rows(" 10 pin DIP/SO", TwoRow, {5, 5}),
    Rows(" 14 pin DIP/SO", TwoRow, {7, 7}),
    Rows(" 16 pin DIP/SO", TwoRow, {8, 8}),
    Rows(" 18 pin DIP/SO", TwoRow, {9, 9}),
    Rows(" 20 pin DIP/SO", TwoRow, {10, 10}),
    Rows(" 24 pin DIP/SO", TwoRow, {12, 12}),
    Rows(" 28 pin DIP/SO", TwoRow, {14, 14}),
    Rows(" 32 pin DIP/SO", TwoRow, {16, 16}),
    Rows(" 32 pin QFP (square)", FourRow, {8, 8, 8, 8}),
    Rows(" 36 pin DIP/SO", TwoRow, {18, 18}),
    Rows(" 40 pin DIP/SO", TwoRow, {20, 20}),
    Rows(" 44 pin QFP (square)", FourRow, {11, 11, 11, 11}),
    Rows(" 48 pin QFP (square)", FourRow, {12, 12, 12, 12}),
    Rows(" 52 pin QFP (square)", FourRow, {13, 13, 13, 13}),
    Rows(" 64 pin QFP (square)", FourRow, {16, 16, 16, 16}),
    Rows(" 64 pin QFP (rectangle)", FourRow, {19, 13, 19, 13}),
    Rows(" 80 pin QFP (square)", FourRow, {20, 20, 20, 20}),
    Rows(" 80 pin QFP (rectangle)", FourRow, {24, 16, 24, 16}),
    Rows("100 pin QFP (square)", FourRow, {25, 25, 25, 25}),
    Rows("100 pin QFP (rectangle)", FourRow, {30, 20, 30, 20}),
    Rows("120 pin QFP (square)", FourRow, {30, 30, 30, 30}),
    Rows("120 pin QFP (rectangle)", FourRow, {36, 24, 36, 24}),
    Rows("128 pin QFP (square)", FourRow, {32, 32, 32, 32}),
    Rows("128 pin QFP (rectangle)", FourRow, {38, 26, 38, 26}),
    Rows("132 pin QFP (square)", FourRow, {33, 33, 33, 33}),
    Rows("144 pin QFP (square)", FourRow, {36, 36, 36, 36}),
    Rows("160 pin QFP (square)", FourRow, {40, 40, 40, 40}),
    Rows("176 pin QFP (square)", FourRow, {44, 44, 44, 44}),
    Rows("184 pin QFP (square)", FourRow, {46, 46, 46, 46}),
    Rows("240 pin QFP (square)", FourRow, {60, 60, 60, 60}),
    Title(".... Connectors ...."),
    Rows("  9 pin D-type (2 row)", TwoRow, {5, 4}),
    Rows(" 15 pin D-type (2 row)", TwoRow, {8, 7}),
    Rows(" 15 pin D-type (3 row)", ThreeRow, {5, 5, 5}),
    Rows(" 16 pin DIN41612 (1 row)", OneRow, {16}),
    Rows(" 25 pin D-type (2 row)", TwoRow, {13, 12}),
    Rows(" 26 pin D-type (3 row)", ThreeRow, {9, 9, 8}),
    Rows(" 32 pin DIN41612 (1 row)", OneRow, {32}),
    Rows(" 32 pin DIN41612 (2 row)", TwoRow, {16, 16}),
    Rows(" 37 pin D-type (2 row)", TwoRow, {19, 18}),
    Rows(" 44 pin D-type (3 row)", ThreeRow, {15, 15, 14}),
    Rows(" 48 pin DIN41612 (3 row)", ThreeRow, {16, 16, 16}),
    Rows(" 50 pin D-type (3 row)", ThreeRow, {17, 16, 17}),
    Rows(" 62 pin D-type (3 row)", ThreeRow, {21, 21, 20}),
    Rows(" 64 pin DIN41612 (2 row)", TwoRow, {32, 32}),
    Rows(" 78 pin D-type (4 row)", FourRow, {20, 19, 20, 19}),
    Rows(" 96 pin DIN41612 (3 row)", ThreeRow, {32, 32, 32}),
};

}  // namespace

std::string_view PlacementModeName(PlacementMode mode) {
  switch (mode) {
    case Pins: return "PINS";
    case PinToPin: return "PINTOPIN";
    case OneRow: return "1ROW";
    case TwoRow: return "2ROW";
    case ThreeRow: return "3ROW";
    case FourRow: return "4ROW";
  }
  return "";
}

int RowsOf(PlacementMode mode) {
  switch (mode) {
    case OneRow: return 1;
    case TwoRow: return 2;
    case ThreeRow: return 3;
    case FourRow: return 4;
    case Pins:
    case PinToPin: return 0;
  }
  return 0;
}

PlacementMode RowMode(int rows) {
  switch (rows) {
    case 1: return OneRow;
    case 2: return TwoRow;
    case 3: return ThreeRow;
    default: return FourRow;
  }
}

std::span<const ComponentTemplate> ComponentTemplates() { return kTemplates; }

const ComponentTemplate* FindTemplate(std::string_view entry) {
  for (const ComponentTemplate& t : kTemplates) {
    if (t.entry == entry) return &t;
  }
  return nullptr;
}

}  // namespace vanto
