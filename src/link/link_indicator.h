// What the connection indicator and the Instrument menu's check marks should
// show, decided from the connected flag; the window applies it, touching
// only the elements that exist. Main thread, once at the end of every pass.
#pragma once

#include <optional>

#include "link/usb_link.h"

namespace vanto {

inline constexpr const char* kConnectedIcon = "graphics/button_connected.png";
inline constexpr const char* kNoConnectIcon = "graphics/button_no-connect.png";
inline constexpr const char* kUsbDisconnectedText = " USB disconnected";

struct LinkIndicatorUpdate {
  bool connected = false;
  const char* iconFile = kNoConnectIcon;
  bool connectChecked = false;       // "Connect" menu item
  bool disconnectChecked = false;    // "Disconnect" menu item
  const char* statusText = nullptr;  // the ribbon's status text, when it changes
};

// RefreshLinkIndicator: when connected differs from the value last shown,
// records it and returns what to show; nothing otherwise.
std::optional<LinkIndicatorUpdate> RefreshLinkIndicator(UsbLink& usb);

}  // namespace vanto
