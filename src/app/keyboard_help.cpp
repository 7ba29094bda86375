#include "app/keyboard_help.h"

namespace vanto {

std::string KeyboardHelpText(const Ribbon& ribbon) {
  std::string text =
      "These keys work anywhere in the main window while their control is shown and "
      "enabled (the test controls of the Advanced mode):\n\n";
  for (const RibbonItem& item : ribbon.items) {
    if (item.shortcuts.empty()) continue;
    text += KeyNames(item.shortcuts) + ": " + item.purpose + "\n";
  }
  text +=
      "\nA footswitch that types one of these keys (G, B or PgDown, for instance) does the "
      "same as the key. The instrument's A and B buttons do what the A= and B= lists choose.";
  return text;
}

}  // namespace vanto
