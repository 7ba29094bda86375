#include "ui/hit_test.h"

namespace vanto {
namespace {

bool Hits(const DisplayLayout& layout, const PaneVisibility& visibility, PaneId pane, int x,
          int y) {
  return visibility[pane] && layout.Pane(pane).Contains(x, y);
}

}  // namespace

int HitTest(const DisplayLayout& layout, const PaneVisibility& visibility,
            const PixelRect& connectionIndicator, int x, int y) {
  if (Hits(layout, visibility, PaneId::MainScope, x, y)) return kHitMainScope;
  for (int number = 1; number <= kMiniScopeCount; ++number) {
    if (Hits(layout, visibility, MiniScope(number), x, y)) return kHitMiniScope1 + number - 1;
  }
  if (connectionIndicator.Contains(x, y)) return kHitConnectionIndicator;
  if (Hits(layout, visibility, PaneId::BoardView, x, y)) return kHitBoardView;
  return kHitNothing;
}

}  // namespace vanto
