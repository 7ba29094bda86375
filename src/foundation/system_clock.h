// The real clock: steady_clock for intervals, the C library for local time.
#pragma once

#include "foundation/platform.h"

namespace vanto {

class SystemClock final : public Clock {
 public:
  std::int64_t MonotonicMs() const override;
  CalendarTime LocalTime() const override;
  void SleepMs(int milliseconds) override;
};

}  // namespace vanto
