// What the window reports between two dispatcher passes: chosen menu
// entries, control events and where the last left click landed. Queued
// rather than overwritten, so a quick double press on a pedal or two
// controls in one pass are all acted on, one per pass. Main thread only.
#pragma once

#include <deque>
#include <optional>

#include "app/menu_model.h"
#include "ui/ribbon_control.h"

namespace vanto {

struct ControlEvent {
  RibbonControl control = RibbonControl::Good;
  int value = 0;  // see RunControlAction
};

struct ClickPoint {
  int x = 0;  // client-area coordinates, as the layout uses
  int y = 0;
};

struct WindowEvents {
  std::deque<MenuCommand> menuCommands;
  std::deque<ControlEvent> controls;
  // Only a real mouse click has a place: a control raised from the keyboard
  // must not be taken for a click on whatever pane the pointer rests over.
  std::optional<ClickPoint> leftClick;
  std::optional<ClickPoint> rightClick;
};

}  // namespace vanto
