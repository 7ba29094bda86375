// The instrument's A and B buttons: which picture each indicator should
// show and the press latches the test run consumes. The window draws the
// pictures and says whether the indicators exist. Main thread.
#pragma once

#include <cstdint>

namespace vanto {

enum class IndicatorImage { None, Released, Held };

struct ButtonIndicator {
  bool exists = false;  // set by the window once the indicator is built
  IndicatorImage shown = IndicatorImage::None;
  // buttonAPressed / buttonBPressed: 1 once per press, cleared by the test run.
  std::int32_t pressed = 0;
};

struct ButtonIndicators {
  ButtonIndicator a;
  ButtonIndicator b;
};

// From header word 2 of a new frame (bit 0 = A held, bit 1 = B held): an
// existing indicator switches picture when its button state changes, and a
// switch to the held picture sets the button's latch.
void UpdateButtonIndicators(ButtonIndicators& buttons, std::uint16_t buttonWord);

// "graphics/buttonA_grey.png" and the like; empty for IndicatorImage::None.
const char* ButtonImageFile(char button, IndicatorImage image);

}  // namespace vanto
