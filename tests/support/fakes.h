// Fakes for the platform edges: a clock that moves only when told and
// message boxes that are recorded instead of shown.
#pragma once

#include <string>
#include <vector>

#include "foundation/platform.h"

namespace vanto::testing {

class FakeClock final : public Clock {
 public:
  std::int64_t MonotonicMs() const override { return nowMs; }
  CalendarTime LocalTime() const override { return calendar; }
  void SleepMs(int milliseconds) override { nowMs += milliseconds; }

  std::int64_t nowMs = 1000;
  CalendarTime calendar{2023, 3, 5, 14, 7, 9};
};

struct RecordedBox {
  BoxIcon icon;
  std::string title;
  std::string body;
};

class RecordingBoxes final : public MessageBoxes {
 public:
  void Show(BoxIcon icon, const std::string& title, const std::string& body) override {
    shown.push_back({icon, title, body});
  }
  std::vector<RecordedBox> shown;
};

}  // namespace vanto::testing
