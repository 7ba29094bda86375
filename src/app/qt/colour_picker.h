// The platform's colour requester behind an interface, so tests of the
// colours window choose or cancel without a real picker.
#pragma once

#include <cstdint>
#include <optional>

class QWidget;

namespace vanto {

class ColourPicker {
 public:
  virtual ~ColourPicker() = default;
  // The chosen colour as $00BBGGRR, nothing when the user cancels. Returns
  // once the picker has closed.
  virtual std::optional<std::int32_t> PickColour(std::int32_t current, QWidget* parent) = 0;
};

}  // namespace vanto
