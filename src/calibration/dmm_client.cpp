#include "calibration/dmm_client.h"

#include <charconv>

#include "calibration/dmm_ranges.h"
#include "calibration/dmm_reply.h"

namespace vanto {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

void ShowDmmError(Messages& messages, const char* text) {
  messages.WriteLog(text);
  messages.Boxes().Show(BoxIcon::Error, kDmmBoxTitle, text);
}

void DropConnection(DmmLink& dmm) {
  dmm.connection.reset();
  dmm.buttonText = kDmmConnectText;
}

}  // namespace

std::optional<DmmAddress> ParseDmmAddress(std::string_view text) {
  text = Trimmed(text);
  DmmAddress address;
  const std::size_t colon = text.rfind(':');
  if (colon != std::string_view::npos) {
    const std::string_view port = Trimmed(text.substr(colon + 1));
    int value = 0;
    auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (port.empty() || error != std::errc{} || end != port.data() + port.size() || value < 1 ||
        value > 65535) {
      return std::nullopt;
    }
    address.port = value;
    text = Trimmed(text.substr(0, colon));
  }
  if (text.empty() || text.find_first_of(" \t:") != std::string_view::npos) return std::nullopt;
  address.host = std::string(text);
  return address;
}

bool DmmConnect(DmmLink& dmm, DmmNetwork& network, Messages& messages, std::string_view address) {
  if (dmm.connection) return true;
  dmm.buttonText = kDmmConnectingText;
  if (std::optional<DmmAddress> parsed = ParseDmmAddress(address)) {
    dmm.connection = network.Open(parsed->host, parsed->port, kDmmConnectTimeoutMs);
  }
  if (!dmm.connection) {
    dmm.buttonText = kDmmConnectText;
    ShowDmmError(messages, kDmmCannotConnect);
    return false;
  }
  dmm.buttonText = kDmmConnectedText;
  return true;
}

bool DmmMeasure(DmmLink& dmm, Messages& messages, Clock& clock, std::string_view range) {
  if (!dmm.connection) {
    ShowDmmError(messages, kDmmNotConnected);
    return false;
  }
  dmm.requestedRange = std::string(range);
  const int index = FindDmmRange(range);
  if (index >= 0 && range != dmm.lastRange) {
    dmm.lastRange = std::string(range);
    const DmmRange& row = DmmRanges()[static_cast<std::size_t>(index)];
    dmm.connection->Send(row.configure);
    dmm.connection->Send(row.range);
    clock.SleepMs(kDmmSettleMs);
  }

  // What is still waiting belongs to an earlier question.
  while (dmm.connection->DataWaiting()) {
    if (dmm.connection->Receive(kDmmReceiveBytes).empty()) {
      DropConnection(dmm);
      return false;
    }
  }
  dmm.connection->Send("READ?\n");
  clock.SleepMs(kDmmSettleMs);

  std::string reply;
  const std::int64_t t0 = clock.MonotonicMs();
  for (;;) {
    if (dmm.connection->DataWaiting()) {
      const std::string part = dmm.connection->Receive(kDmmReceiveBytes - reply.size());
      if (part.empty()) {
        DropConnection(dmm);
        return false;
      }
      reply += part;
      const std::size_t end = reply.find_first_of("\r\n");
      if (end != std::string::npos) {
        reply.resize(end);
        dmm.replyText = reply;
        dmm.measuredValue = ParseDmmReply(reply);
        return true;
      }
      if (reply.size() >= kDmmReceiveBytes) return false;
    }
    if (clock.MonotonicMs() - t0 > kDmmReplyLimitMs) return false;
    if (!dmm.connection->DataWaiting()) clock.SleepMs(kDmmReplyPollMs);
  }
}

}  // namespace vanto
