// The log file and the coded user messages.
//
// WriteLog appends one stamped line to "log.txt" and may be called from the
// main thread and the acquisition thread; one lock serialises the whole
// open-append-close so lines never interleave. ShowMessage logs a text and
// shows it in a box titled by its code ("Error #0065"); main thread only.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "foundation/platform.h"

namespace vanto {

inline constexpr const char* kLogFileName = "log.txt";

// "[05-Mar-2023 14:07:09] " for that moment.
std::string LogStamp(const CalendarTime& time);

// How a coded text shows as a box; `shown` is false for texts that are only
// logged (no class word, or one in the wrong letter case).
struct MessageBox {
  bool shown = false;
  BoxIcon icon = BoxIcon::None;
  std::string title;
  std::string body;
};
MessageBox ClassifyMessage(std::string_view text);

// Where the log's lines go. The program appends to "log.txt" in the working
// folder; a test may put a writer in its place.
class LogAppender {
 public:
  virtual ~LogAppender() = default;
  // One whole line; false when it could not be written.
  virtual bool Append(std::string_view line) = 0;
};

// Opens "log.txt" for appending, writes the line and closes it again.
LogAppender& LogFileAppender();

class Messages {
 public:
  Messages(const Clock& clock, MessageBoxes& boxes, LogAppender& log = LogFileAppender())
      : clock_(clock), boxes_(boxes), log_(log) {}

  // Any thread.
  void WriteLog(std::string_view text);
  // Main thread.
  void ShowMessage(std::string_view text);

  MessageBoxes& Boxes() { return boxes_; }

 private:
  const Clock& clock_;
  MessageBoxes& boxes_;
  LogAppender& log_;
  std::mutex logLock_;  // one line's append at a time
};

}  // namespace vanto
