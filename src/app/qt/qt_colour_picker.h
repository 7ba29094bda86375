// The desktop's standard colour dialog as the colour picker.
#pragma once

#include "app/qt/colour_picker.h"

namespace vanto {

class QtColourPicker final : public ColourPicker {
 public:
  std::optional<std::int32_t> PickColour(std::int32_t current, QWidget* parent) override;
};

}  // namespace vanto
