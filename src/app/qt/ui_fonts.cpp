#include "app/qt/ui_fonts.h"

namespace vanto {

UiFonts LoadUiFonts() {
  QFont italic(QStringLiteral("Arial"), 10);
  italic.setItalic(true);
  return UiFonts{italic, italic, QFont(QStringLiteral("Arial"), 11)};
}

}  // namespace vanto
