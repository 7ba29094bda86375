// The editor's list of component templates ("  8 pin DIP/SO", ...) and the
// placement each entry starts. The entry texts are matched exactly,
// leading spaces included.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace vanto {

enum class PlacementMode {
  Pins,      // one click per pin, numbered 1..c1
  PinToPin,  // one click per pin from firstPin to lastPin, up or down
  OneRow,    // two clicks per row (its first and last pin), pins between interpolated
  TwoRow,
  ThreeRow,
  FourRow,
};

// "PINS", "PINTOPIN", "1ROW" .. "4ROW".
std::string_view PlacementModeName(PlacementMode mode);
// 1..4 for the row modes, 0 otherwise.
int RowsOf(PlacementMode mode);
PlacementMode RowMode(int rows);  // rows 1..4

enum class TemplateKind {
  Heading,         // ".... IC's ....": starts nothing
  Fixed,           // mode and counts from the list
  CustomQuantity,  // PINS, quantity from count field 1
  CustomPinToPin,  // PINTOPIN, first and last pin from count fields 1 and 2
  CustomRows,      // 1ROW..4ROW, one count field per row
};

inline constexpr int kMaxTemplateRows = 4;

struct ComponentTemplate {
  std::string_view entry;
  TemplateKind kind = TemplateKind::Heading;
  PlacementMode mode = PlacementMode::Pins;
  std::array<int, kMaxTemplateRows> rowPins{};  // Fixed: pins per row (PINS: the quantity)
};

// Every entry in list order; the list starts on the first.
std::span<const ComponentTemplate> ComponentTemplates();

// The entry with exactly this text, or null.
const ComponentTemplate* FindTemplate(std::string_view entry);

}  // namespace vanto
