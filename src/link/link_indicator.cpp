// Connection indicator state.
#include "link/link_indicator.h"

namespace vanto {

std::optional<LinkIndicatorUpdate> RefreshLinkIndicator(UsbLink& usb) {
  const std::int32_t connected = usb.connected.load();
  if (connected == usb.shownConnected) return std::nullopt;
  usb.shownConnected = connected;
  LinkIndicatorUpdate update;
  update.connected = connected == 1;
  if (update.connected) {
    update.iconFile = kConnectedIcon;
    update.connectChecked = true;
  } else {
    update.iconFile = kNoConnectIcon;
    update.disconnectChecked = true;
    update.statusText = kUsbDisconnectedText;
  }
  return update;
}

}  // namespace vanto
