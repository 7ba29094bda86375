// The Help menu's list of the keys that work the main window, for users of
// a keyboard or of a footswitch that types keys. It is made from the
// ribbon's own data, so it names exactly the keys the ribbon installs.
#pragma once

#include <string>

#include "ui/ribbon.h"

namespace vanto {

inline constexpr const char* kKeyboardHelpTitle = "Keyboard and footswitch";

// One line per keyed control in ribbon order, "G: GOOD, or capture ...",
// between a line on when the keys work and one on footswitches.
std::string KeyboardHelpText(const Ribbon& ribbon);

}  // namespace vanto
