// Counts whole-file rewrites of the settings file in the working folder:
// each rewrite renames "tmp.txt" over it, and inotify reports every rename
// before the call returns, so the count needs no waiting. The closes of
// "tmp.txt" are watched too: they stand between two renames, so the kernel
// never merges two renames into one event.
#pragma once

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <string>

#include "foundation/settings_store.h"

namespace vanto::testing {

class SettingsRewrites {
 public:
  SettingsRewrites() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ >= 0) ::inotify_add_watch(fd_, ".", IN_MOVED_TO | IN_CLOSE_WRITE);
  }
  ~SettingsRewrites() {
    if (fd_ >= 0) ::close(fd_);
  }
  SettingsRewrites(const SettingsRewrites&) = delete;
  SettingsRewrites& operator=(const SettingsRewrites&) = delete;

  bool Watching() const { return fd_ >= 0; }

  // Rewrites since the last call.
  int Take() {
    int count = 0;
    alignas(inotify_event) std::array<char, 4096> buffer{};
    for (;;) {
      const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
      if (got <= 0) return count;
      for (ssize_t at = 0; at < got;) {
        inotify_event event{};
        std::memcpy(&event, buffer.data() + at, sizeof event);
        const char* name = buffer.data() + at + sizeof(inotify_event);
        if ((event.mask & IN_MOVED_TO) != 0 && event.len > 0 &&
            std::string(name) == kSettingsFileName) {
          ++count;
        }
        at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
      }
    }
  }

 private:
  int fd_;
};

}  // namespace vanto::testing
