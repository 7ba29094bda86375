// The settings keep colours as $00BBGGRR integers (red in the low byte);
// QPainter wants a QColor.
#pragma once

#include <QColor>
#include <cstdint>

namespace vanto {

inline QColor ScopeColour(std::int32_t bbggrr) {
  const auto value = static_cast<std::uint32_t>(bbggrr);
  return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                static_cast<int>((value >> 16) & 0xFFu));
}

}  // namespace vanto
