// The log stamp, the coded message boxes and the log's thread safety.
#include "foundation/messages.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <mutex>
#include <atomic>
#include <chrono>
#include <thread>

#include "foundation/message_texts.h"
#include "foundation/text_lines.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::FakeClock;
using testing::ReadFile;
using testing::RecordingBoxes;
using testing::TempWorkdir;

TEST(LogStamp, DayMonthNameYearAndTime) {
  EXPECT_EQ(LogStamp({2023, 3, 5, 14, 7, 9}), "[05-Mar-2023 14:07:09] ");
  EXPECT_EQ(LogStamp({2024, 12, 31, 0, 0, 0}), "[31-Dec-2024 00:00:00] ");
  EXPECT_EQ(LogStamp({2024, 1, 1, 23, 59, 59}), "[01-Jan-2024 23:59:59] ");
}

struct BoxCase {
  const char* text;
  bool shown;
  BoxIcon icon;
  const char* title;
  const char* body;
};

class ClassifyMessageTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ClassifyMessageTest, TitleIsTheCodeAndBodyTheRest) {
  const BoxCase& c = GetParam();
  MessageBox box = ClassifyMessage(c.text);
  EXPECT_EQ(box.shown, c.shown) << c.text;
  if (!c.shown) return;
  EXPECT_EQ(box.icon, c.icon) << c.text;
  EXPECT_EQ(box.title, c.title) << c.text;
  EXPECT_EQ(box.body, c.body) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassifyMessageTest,
    ::testing::Values(
        BoxCase{"Error #0065 Cannot open .ept file", true, BoxIcon::Error, "Error #0065",
                "Cannot open .ept file"},
        BoxCase{"Error #00xx 'Display Colours' window won't start", true, BoxIcon::Error,
                "Error #00xx", "'Display Colours' window won't start"},
        BoxCase{"Info #0006 Comms Not running..", true, BoxIcon::Information, "Info #0006",
                "Comms Not running.."},
        BoxCase{"Warning #0061 USB service unable to start - please check instrument is "
                "connected via USB.",
                true, BoxIcon::Warning, "Warning #0061",
                "USB service unable to start - please check instrument is connected via USB."},
        BoxCase{"Info #0001", true, BoxIcon::Information, "Info #0001", ""},
        BoxCase{"info #0001 lower case", false, BoxIcon::None, "", ""},
        BoxCase{"ORX_StartConnection()", false, BoxIcon::None, "", ""},
        BoxCase{"ERROR #0001 shouting", false, BoxIcon::None, "", ""}));

class MessagesTest : public ::testing::Test {
 protected:
  TempWorkdir dir;
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
};

TEST_F(MessagesTest, ShowMessageLogsThenShowsTheBox) {
  messages.ShowMessage(text::kCannotOpenEpt);
  EXPECT_EQ(ReadFile("log.txt"), "[05-Mar-2023 14:07:09] Error #0065 Cannot open .ept file\r\n");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0065");
  EXPECT_EQ(boxes.shown[0].body, "Cannot open .ept file");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Error);
}

TEST_F(MessagesTest, TextWithoutClassWordIsOnlyLogged) {
  messages.ShowMessage("info #0001 something");
  messages.ShowMessage(text::kStartConnection);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(SplitLines(ReadFile("log.txt")).size(), 2u);
}

TEST_F(MessagesTest, LogIsAppendedAcrossCalls) {
  testing::WriteFile("log.txt", "earlier line\r\n");
  messages.WriteLog("one");
  clock.calendar.second = 10;
  messages.WriteLog("two");
  EXPECT_EQ(ReadFile("log.txt"),
            "earlier line\r\n[05-Mar-2023 14:07:09] one\r\n[05-Mar-2023 14:07:10] two\r\n");
}

TEST_F(MessagesTest, UnwritableLogShowsTheWarningBoxAndCarriesOn) {
  ASSERT_EQ(::mkdir("log.txt", 0755), 0);  // a folder in its place fails even for root
  messages.WriteLog("lost");
  messages.ShowMessage(text::kFileCannotBeCreated);
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(boxes.shown[0].title, "Warning #xxxx");
  EXPECT_EQ(boxes.shown[0].body, "cannot write to log.txt");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Warning);
  EXPECT_EQ(boxes.shown[2].title, "Error #0064");
}

TEST_F(MessagesTest, TwoThreadsWriteWholeLines) {
  constexpr int kLinesPerThread = 2000;
  const std::string a(200, 'a');
  const std::string b(200, 'b');
  auto writer = [&](const std::string& text) {
    for (int i = 0; i < kLinesPerThread; ++i) messages.WriteLog(text);
  };
  std::thread first(writer, a);
  std::thread second(writer, b);
  first.join();
  second.join();
  std::string log = ReadFile("log.txt");
  auto lines = SplitLines(log);
  ASSERT_EQ(lines.size(), 2u * kLinesPerThread);
  const std::string stamp = LogStamp(clock.calendar);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_TRUE(lines[i] == stamp + a || lines[i] == stamp + b) << "line " << i;
  }
  EXPECT_TRUE(boxes.shown.empty());
}

// Appends each line in two parts with a pause between them, as a slow disk
// or a busy machine may, and notes whether two appends ever overlapped.
class SlowTwoPartAppender final : public LogAppender {
 public:
  bool Append(std::string_view line) override {
    if (inside_.fetch_add(1) != 0) overlapped_ = true;
    const std::size_t half = line.size() / 2;
    std::string written(line.substr(0, half));
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    written.append(line.substr(half));
    inside_.fetch_sub(1);
    std::lock_guard<std::mutex> hold(linesLock_);
    lines_.push_back(std::move(written));
    return true;
  }
  bool Overlapped() const { return overlapped_; }
  std::vector<std::string> Lines() {
    std::lock_guard<std::mutex> hold(linesLock_);
    return lines_;
  }

 private:
  std::atomic<int> inside_{0};
  std::atomic<bool> overlapped_{false};
  std::mutex linesLock_;  // only the test's own bookkeeping
  std::vector<std::string> lines_;
};

// Without the lock the two writers' parts would meet inside the appender.
TEST_F(MessagesTest, TheLogTakesOneLineAtATimeEvenFromASlowWriter) {
  SlowTwoPartAppender appender;
  Messages slow(clock, boxes, appender);
  constexpr int kLinesPerThread = 200;
  auto writer = [&](const std::string& text) {
    for (int i = 0; i < kLinesPerThread; ++i) slow.WriteLog(text);
  };
  std::thread first(writer, std::string(40, 'a'));
  std::thread second(writer, std::string(40, 'b'));
  first.join();
  second.join();
  EXPECT_FALSE(appender.Overlapped());
  const std::string stamp = LogStamp(clock.calendar);
  const std::vector<std::string> lines = appender.Lines();
  ASSERT_EQ(lines.size(), 2u * kLinesPerThread);
  for (const std::string& line : lines) {
    ASSERT_TRUE(line == stamp + std::string(40, 'a') + "\r\n" ||
                line == stamp + std::string(40, 'b') + "\r\n")
        << line;
  }
}

}  // namespace
}  // namespace vanto
