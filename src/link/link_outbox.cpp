// The link's texts waiting for the main thread.
#include "link/link_outbox.h"

#include <utility>

namespace vanto {

void PostStatusText(LinkOutbox& outbox, std::string text) {
  std::lock_guard<std::mutex> guard(outbox.lock);
  outbox.statusText = std::move(text);
}

std::optional<std::string> TakeStatusText(LinkOutbox& outbox) {
  std::lock_guard<std::mutex> guard(outbox.lock);
  std::optional<std::string> text = std::move(outbox.statusText);
  outbox.statusText.reset();
  return text;
}

void PostMessage(LinkOutbox& outbox, std::string text) {
  std::lock_guard<std::mutex> guard(outbox.lock);
  outbox.messages.push_back(std::move(text));
}

std::vector<std::string> TakeMessages(LinkOutbox& outbox) {
  std::lock_guard<std::mutex> guard(outbox.lock);
  std::vector<std::string> messages;
  messages.swap(outbox.messages);
  return messages;
}

}  // namespace vanto
