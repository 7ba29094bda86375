// The bench multimeter client: one TCP connection to the meter's SCPI
// socket, kept for the rest of the program once made, the range last
// configured (so a range is sent only when it changes), and one reading per
// measurement. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "calibration/dmm_network.h"
#include "foundation/messages.h"
#include "foundation/platform.h"

namespace vanto {

inline constexpr int kDmmDefaultPort = 5025;
inline constexpr int kDmmConnectTimeoutMs = 10000;
inline constexpr int kDmmSettleMs = 500;        // after a range change, and after READ?
inline constexpr int kDmmReplyLimitMs = 200;    // waiting for the reply's line end
inline constexpr int kDmmReplyPollMs = 10;
inline constexpr std::size_t kDmmReceiveBytes = 65536;
// The bench meter's address until the operator types another.
inline constexpr const char* kDmmDefaultAddress = "192.168.10.80";
inline constexpr const char* kDmmConnectText = "Connect";
inline constexpr const char* kDmmConnectingText = "Connecting...";
inline constexpr const char* kDmmConnectedText = "Connected";
inline constexpr const char* kDmmBoxTitle = "Error";
inline constexpr const char* kDmmCannotConnect = "Can't connect with DMM over TCP";
inline constexpr const char* kDmmNotConnected = "DMM not connected";

struct DmmLink {
  std::unique_ptr<DmmConnection> connection;  // null: not connected
  std::string lastRange;       // the range last configured on the meter
  std::string requestedRange;  // the range of the current measurement
  double measuredValue = 0.0;  // the last reading, volts or amperes
  std::string replyText;       // the last whole reply line
  std::string buttonText = kDmmConnectText;
};

struct DmmAddress {
  std::string host;
  int port = kDmmDefaultPort;
};

// "host" or "host:port" (port 1..65535), blanks around ignored; nullopt for
// an empty host or a port that is not one.
std::optional<DmmAddress> ParseDmmAddress(std::string_view text);

// Connects once; does nothing while connected. A failure (address not
// understood, refused, 10 s without an answer) shows the "Error" box and
// leaves the button reading "Connect". True when connected afterwards.
bool DmmConnect(DmmLink& dmm, DmmNetwork& network, Messages& messages, std::string_view address);

// One reading in the named range: the range's two commands when it differs
// from the last one configured (then 500 ms), "READ?" (then 500 ms), and
// the reply read until its line end, for at most 200 ms more. Bytes left
// from an earlier reply are dropped before "READ?", so a late answer is
// never taken for this one. True when a whole reply line came;
// measuredValue is unchanged otherwise. Not connected: the "Error" box.
// A connection the meter has closed is dropped (the next measurement
// reports "DMM not connected").
bool DmmMeasure(DmmLink& dmm, Messages& messages, Clock& clock, std::string_view range);

}  // namespace vanto
