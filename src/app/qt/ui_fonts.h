// The interface fonts, loaded once at start-up: "Arial Italic" 10 (in two
// slots of identical face and size) and "Arial" 11. On Linux fontconfig
// maps "Arial" to its metric twin, Liberation Sans.
#pragma once

#include <QFont>

namespace vanto {

struct UiFonts {
  QFont italic10First;
  QFont italic10Second;
  QFont regular11;
};

UiFonts LoadUiFonts();

}  // namespace vanto
