// Platform edges that do nothing, for benchmarks that need a Messages or a
// clock but must measure neither the disk nor a wait.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/platform.h"

namespace vanto::bench {

class QuietClock final : public Clock {
 public:
  std::int64_t MonotonicMs() const override { return 0; }
  CalendarTime LocalTime() const override { return {}; }
  void SleepMs(int) override {}
};

class QuietBoxes final : public MessageBoxes {
 public:
  void Show(BoxIcon, const std::string&, const std::string&) override {}
};

}  // namespace vanto::bench
