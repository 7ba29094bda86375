#include "app/qt/qt_colour_picker.h"

#include <QColorDialog>

#include "app/qt/main_window.h"

namespace vanto {

std::optional<std::int32_t> QtColourPicker::PickColour(std::int32_t current, QWidget* parent) {
  const QColor chosen = QColorDialog::getColor(ColourFromSetting(current), parent);
  if (!chosen.isValid()) return std::nullopt;  // cancelled
  return chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

}  // namespace vanto
