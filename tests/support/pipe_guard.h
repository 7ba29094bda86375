// A named pipe nobody writes to, for tests that a reader never waits on
// one. Opening such a pipe for reading the usual way waits for a writer for
// ever; the guard plays that writer after five seconds, so a reader that
// waits is seen (Waited) instead of hanging the suite.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace vanto::testing {

class PipeGuard {
 public:
  explicit PipeGuard(const char* path) : path_(path) {
    EXPECT_EQ(::mkfifo(path, 0644), 0);
    guard_ = std::thread([this] {
      const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (!done_ && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      if (done_) return;
      const int fd = ::open(path_, O_WRONLY | O_NONBLOCK);
      if (fd >= 0) {
        waited_ = true;
        ::close(fd);
      }
    });
  }
  // Stops the guard; true when the reader had to be released by it.
  bool Waited() {
    done_ = true;
    guard_.join();
    return waited_;
  }

 private:
  const char* path_;
  std::atomic<bool> done_{false};
  std::atomic<bool> waited_{false};
  std::thread guard_;
};

}  // namespace vanto::testing
