// What the dispatcher asks of the main window: the layout, the two scope
// passes, the hit test and the ribbon's link displays. The Qt window
// implements it; tests use a recording fake. Main thread only.
#pragma once

#include <string>

#include "app/window_events.h"
#include "link/link_indicator.h"
#include "ui/instrument_port.h"
#include "ui/scope_redraw.h"

namespace vanto {

class DispatcherWindow {
 public:
  virtual ~DispatcherWindow() = default;
  // Recomputes the grid for the window's present size and moves the panes.
  virtual void Relayout() = 0;
  // The display refresh, which clears its request flag and asks for a
  // redraw.
  virtual void RefreshDisplay() = 0;
  // Paints a scope redraw the dispatcher has decided (and classified).
  virtual void RedrawScopes(const ScopeRedraw& redraw) = 0;
  // The hit test at a client-area point with the present layout.
  virtual int HitTestAt(ClickPoint point) = 0;
  // A left click on the board view.
  virtual void PcbViewClick(ClickPoint point) = 0;
  // The ribbon's instrument status text ("USB rail: 5.00V", ...).
  virtual void ShowStatusText(const std::string& text) = 0;
  // An A or B indicator's new picture, e.g. "graphics/buttonA_yellow.png".
  virtual void ShowButtonPicture(InstrumentButton button, const std::string& pictureFile) = 0;
  // The connection indicator, its status text and the Connect/Disconnect marks.
  virtual void ShowLinkIndicator(const LinkIndicatorUpdate& update) = 0;
  // The four Change Instrument marks, right after the choice.
  virtual void ApplyInstrumentMarks() = 0;
};

}  // namespace vanto
