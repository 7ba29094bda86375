// Platform edges that the core logic needs: clocks, sleeping and modal
// message boxes. The program gets real implementations, tests get fakes, so
// no core test ever waits on a real clock or a click.
#pragma once

#include <cstdint>
#include <string>

namespace vanto {

// A local calendar moment, as the log stamp and the settings dates use it.
struct CalendarTime {
  int year = 1970;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic milliseconds; only differences mean anything.
  virtual std::int64_t MonotonicMs() const = 0;
  virtual CalendarTime LocalTime() const = 0;
  virtual void SleepMs(int milliseconds) = 0;
};

enum class BoxIcon { None, Information, Warning, Error };

// Modal boxes with one OK button. Called on the main thread only.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(BoxIcon icon, const std::string& title, const std::string& body) = 0;
};

}  // namespace vanto
