#include "foundation/messages.h"

#include <cstdio>

#include "foundation/number_text.h"
#include "foundation/text_lines.h"

namespace vanto {

namespace {
constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Characters from..end, counted from 1; empty when `from` lies past the end.
std::string From(std::string_view text, std::size_t from) {
  if (from > text.size()) return {};
  return std::string(text.substr(from - 1));
}
}  // namespace

namespace {
class FileAppender final : public LogAppender {
 public:
  bool Append(std::string_view line) override {
    std::FILE* file = std::fopen(kLogFileName, "ab");
    if (file == nullptr) return false;
    const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    return (std::fclose(file) == 0) && written;
  }
};
}  // namespace

LogAppender& LogFileAppender() {
  static FileAppender appender;
  return appender;
}

std::string LogStamp(const CalendarTime& time) {
  int month = time.month >= 1 && time.month <= 12 ? time.month : 1;
  char year[16];
  std::snprintf(year, sizeof year, "%04d", time.year);
  return "[" + TwoDigits(time.day) + "-" + kMonthNames[month - 1] + "-" + year + " " +
         TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second) +
         "] ";
}

MessageBox ClassifyMessage(std::string_view text) {
  MessageBox box;
  auto take = [&](BoxIcon icon, std::size_t titleLength) {
    box.shown = true;
    box.icon = icon;
    box.title = std::string(text.substr(0, titleLength));
    box.body = From(text, titleLength + 2);
  };
  if (text.starts_with("Info")) {
    take(BoxIcon::Information, 10);
  } else if (text.starts_with("Warning")) {
    take(BoxIcon::Warning, 13);
  } else if (text.starts_with("Error")) {
    take(BoxIcon::Error, 11);
  }
  return box;
}

void Messages::WriteLog(std::string_view text) {
  std::string line = LogStamp(clock_.LocalTime());
  line.append(text);
  line.append(kLineEnd);
  bool written = false;
  {
    std::lock_guard<std::mutex> hold(logLock_);
    written = log_.Append(line);
  }
  if (!written) boxes_.Show(BoxIcon::Warning, "Warning #xxxx", "cannot write to log.txt");
}

void Messages::ShowMessage(std::string_view text) {
  WriteLog(text);
  MessageBox box = ClassifyMessage(text);
  if (box.shown) boxes_.Show(box.icon, box.title, box.body);
}

}  // namespace vanto
