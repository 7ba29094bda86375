// What the link has to tell the window, collected for the main thread:
// the instrument status text ("USB rail: 5.00V", "USB error: $0A3F") and
// coded messages raised on the acquisition thread, which may not open
// message boxes itself. Written by either thread, taken by the main thread.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vanto {

struct LinkOutbox {
  std::mutex lock;                        // guards both fields
  std::optional<std::string> statusText;  // the latest text not yet shown
  std::vector<std::string> messages;      // ShowMessage texts, in order
};

// Any thread: the newest text replaces one not yet taken.
void PostStatusText(LinkOutbox& outbox, std::string text);
// Main thread: the text to put into the ribbon, if a new one came.
std::optional<std::string> TakeStatusText(LinkOutbox& outbox);

// Any thread.
void PostMessage(LinkOutbox& outbox, std::string text);
// Main thread.
std::vector<std::string> TakeMessages(LinkOutbox& outbox);

}  // namespace vanto
