// Which pane lies under the pointer, for the dispatcher's click handling.
// Main thread only.
#pragma once

#include "ui/display_layout.h"
#include "ui/pixel_rect.h"

namespace vanto {

// Hit-test results; mini-scope k gives kHitMiniScope1 + k - 1 (2..10).
inline constexpr int kHitNothing = 0;
inline constexpr int kHitMainScope = 1;
inline constexpr int kHitMiniScope1 = 2;
inline constexpr int kHitConnectionIndicator = 11;
inline constexpr int kHitBoardView = 12;

// Tries the main scope, mini-scopes 1 to 9, the connection indicator and
// the board view, in that order; the first whose rectangle holds (x, y),
// edges included, wins. A hidden pane never matches, even where its old
// rectangle still lies; the indicator (in window coordinates) always can.
int HitTest(const DisplayLayout& layout, const PaneVisibility& visibility,
            const PixelRect& connectionIndicator, int x, int y);

}  // namespace vanto
