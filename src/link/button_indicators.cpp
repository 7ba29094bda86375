// A/B indicator pictures and latches.
#include "link/button_indicators.h"

#include "link/data_frame.h"

namespace vanto {

namespace {

void Update(ButtonIndicator& indicator, bool held) {
  if (!indicator.exists) return;
  if (held) {
    if (indicator.shown != IndicatorImage::Held) {
      indicator.shown = IndicatorImage::Held;
      indicator.pressed = 1;
    }
  } else if (indicator.shown != IndicatorImage::Released) {
    indicator.shown = IndicatorImage::Released;
  }
}

}  // namespace

void UpdateButtonIndicators(ButtonIndicators& buttons, std::uint16_t buttonWord) {
  Update(buttons.a, (buttonWord & kButtonABit) != 0);
  Update(buttons.b, (buttonWord & kButtonBBit) != 0);
}

const char* ButtonImageFile(char button, IndicatorImage image) {
  const bool isA = button == 'A';
  switch (image) {
    case IndicatorImage::Released:
      return isA ? "graphics/buttonA_grey.png" : "graphics/buttonB_grey.png";
    case IndicatorImage::Held:
      return isA ? "graphics/buttonA_yellow.png" : "graphics/buttonB_yellow.png";
    case IndicatorImage::None: break;
  }
  return "";
}

}  // namespace vanto
