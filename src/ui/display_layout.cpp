#include "ui/display_layout.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "ui/ribbon.h"

namespace vanto {
namespace {

// A third and two thirds of the 5-unit grid height, and the column starts
// of the right half; mini-scopes are s x s.
constexpr float kThird = 1.666f;
constexpr float kTwoThirds = 3.333f;
constexpr float kColumn2 = 6.666f;
constexpr float kColumn3 = 8.333f;
constexpr float kRightHalf = 5.0f;

constexpr GridBox kMainScopeBox = {0.0f, 0.0f, 5.0f, 5.0f};

constexpr GridBox Mini(float x, float y) {
  return {x, y, kThird, kThird};
}

// Rounds half away from zero and clamps; a value that is no number at all
// (only from a nonsensical unit) takes the lower bound.
int RoundClamped(float value, int low, int high) {
  if (!std::isfinite(value)) return low;
  const float rounded = std::round(value);
  return static_cast<int>(std::clamp(rounded, static_cast<float>(low), static_cast<float>(high)));
}

ViewBoxes Boxes(std::initializer_list<std::pair<PaneId, GridBox>> placed) {
  ViewBoxes boxes{};
  boxes[PaneIndex(PaneId::MainScope)] = kMainScopeBox;
  for (const auto& [pane, box] : placed) boxes[PaneIndex(pane)] = box;
  return boxes;
}

std::array<ViewBoxes, kDisplayViewCount> BuildViewTable() {
  using P = PaneId;
  const float x0 = kRightHalf;
  std::array<ViewBoxes, kDisplayViewCount> table{};
  auto at = [&table](DisplayView view) -> ViewBoxes& {
    return table[static_cast<std::size_t>(view)];
  };
  at(DisplayView::NineMiniScopes) = Boxes({
      {MiniScope(1), Mini(x0, 0)},
      {MiniScope(2), Mini(kColumn2, 0)},
      {MiniScope(3), Mini(kColumn3, 0)},
      {MiniScope(4), Mini(x0, kThird)},
      {MiniScope(5), Mini(kColumn2, kThird)},
      {MiniScope(6), Mini(kColumn3, kThird)},
      {MiniScope(7), Mini(x0, kTwoThirds)},
      {MiniScope(8), Mini(kColumn2, kTwoThirds)},
      {MiniScope(9), Mini(kColumn3, kTwoThirds)},
  });
  at(DisplayView::SixMiniScopesTestTree) = Boxes({
      {MiniScope(2), Mini(x0, 0)},
      {MiniScope(3), Mini(kColumn2, 0)},
      {MiniScope(4), Mini(x0, kThird)},
      {MiniScope(5), Mini(kColumn2, kThird)},
      {MiniScope(6), Mini(x0, kTwoThirds)},
      {MiniScope(7), Mini(kColumn2, kTwoThirds)},
      {P::TestTree, {kColumn3, 0, kThird, 5}},
  });
  at(DisplayView::ThreeMiniScopesTestTree) = Boxes({
      {MiniScope(4), Mini(x0, 0)},
      {MiniScope(5), Mini(x0, kThird)},
      {MiniScope(6), Mini(x0, kTwoThirds)},
      {P::TestTree, {kColumn2, 0, kTwoThirds, 5}},
  });
  at(DisplayView::ThreeMiniScopesPcb) = Boxes({
      {MiniScope(4), Mini(x0, 0)},
      {MiniScope(5), Mini(kColumn2, 0)},
      {MiniScope(6), Mini(kColumn3, 0)},
      {P::BoardView, {x0, kThird, 5, kTwoThirds}},
  });
  at(DisplayView::ThreeMiniScopesPcbTestTree) = Boxes({
      {MiniScope(4), Mini(x0, 0)},
      {MiniScope(5), Mini(kColumn2, 0)},
      {MiniScope(6), Mini(kColumn3, 0)},
      {P::BoardView, {x0, kThird, kTwoThirds, kTwoThirds}},
      {P::TestTree, {kColumn3, kThird, kThird, kTwoThirds}},
  });
  at(DisplayView::TwoMiniScopesPcbTestTree) = Boxes({
      {MiniScope(4), Mini(x0, 0)},
      {MiniScope(6), Mini(kColumn2, 0)},
      {P::BoardView, {x0, kThird, kTwoThirds, kTwoThirds}},
      {P::TestTree, {kColumn3, 0, kThird, 5}},
  });
  at(DisplayView::Pcb) = Boxes({
      {P::BoardView, {x0, 0, 5, 5}},
  });
  at(DisplayView::ThreeMiniScopesTestTreeBadTree) = Boxes({
      {MiniScope(4), Mini(x0, 0)},
      {MiniScope(5), Mini(x0, kThird)},
      {MiniScope(6), Mini(x0, kTwoThirds)},
      {P::TestTree, {kColumn2, 0, kThird, 5}},
      {P::BadTree, {kColumn3, 0, kThird, 5}},
  });
  at(DisplayView::TwoMiniScopesPcbTestTreeBadTree) = Boxes({
      {MiniScope(4), Mini(x0, 0)},
      {MiniScope(6), Mini(kColumn2, 0)},
      {P::BoardView, {x0, kThird, kTwoThirds, kTwoThirds}},
      {P::TestTree, {kColumn3, kThird, kThird, kTwoThirds}},
      {P::BadTree, {kColumn3, 0, kThird, kThird}},
  });
  at(DisplayView::MiniScopePcbTestTreeBadTree) = Boxes({
      {MiniScope(4), Mini(x0, 0)},
      {P::BoardView, {x0, kThird, kTwoThirds, kTwoThirds}},
      {P::TestTree, {kColumn3, 0, kThird, 5}},
      {P::BadTree, {kColumn2, 0, kThird, kThird}},
  });
  return table;
}

PixelRect Place(const GridBox& box, float unit) {
  return GridRect(box.x, box.y, box.width, box.height, unit);
}

}  // namespace

PixelRect GridRect(float gx, float gy, float gw, float gh, float unit, float gap) {
  // Every step is stored as a float: 5 x 139.7f - 2 must be 696.5, not the
  // 696.49998 that double precision gives, so that it rounds to 697.
  const float left = static_cast<float>(kDisplayLeft);
  const float top = static_cast<float>(kWindowBorder);
  const float xScaled = gx * unit;
  const float yScaled = gy * unit;
  const float wScaled = gw * unit;
  const float hScaled = gh * unit;
  const float x = xScaled + left;
  const float y = yScaled + top;
  const float w = wScaled - gap;
  const float h = hScaled - gap;
  return {RoundClamped(x, kMinPosition, kMaxPosition), RoundClamped(y, kMinPosition, kMaxPosition),
          RoundClamped(w, kMinSize, kMaxSize), RoundClamped(h, kMinSize, kMaxSize)};
}

const ViewBoxes& PanesOfView(DisplayView view) {
  static const std::array<ViewBoxes, kDisplayViewCount> table = BuildViewTable();
  return table[static_cast<std::size_t>(view)];
}

PaneVisibility InitialPaneVisibility() {
  return CompactPaneVisibility();
}

PaneVisibility CompactPaneVisibility() {
  PaneVisibility panes;
  panes[PaneId::MainScope] = true;
  return panes;
}

PaneVisibility AdvancedPaneVisibility(DisplayView view) {
  PaneVisibility panes;
  const ViewBoxes& boxes = PanesOfView(view);
  for (std::size_t i = 0; i < boxes.size(); ++i) panes.visible[i] = boxes[i].has_value();
  return panes;
}

void Relayout(DisplayLayout& layout, std::optional<AppMode> mode, std::optional<DisplayView> view,
              const WindowGeometry& window) {
  const bool advanced = mode == AppMode::Advanced;
  const int columns = advanced ? kAdvancedColumns : kCompactColumns;
  const float unit = static_cast<float>(window.width - kDisplayLeft) / static_cast<float>(columns);
  layout.unit = unit;

  const int areaHeight = window.height - window.menuHeight;
  layout.ribbon = {kWindowBorder, kWindowBorder, kRibbonWidth,
                   std::max(1, areaHeight - 2 * kWindowBorder)};

  layout.Pane(PaneId::MainScope) = Place(kMainScopeBox, unit);
  if (view) {
    const ViewBoxes& boxes = PanesOfView(*view);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i]) layout.panes[i] = Place(*boxes[i], unit);
    }
  }

  // From grid (0, 5) to the right and bottom edges, less the border.
  const PixelRect corner = GridRect(0.0f, kGridHeightUnits, 0.0f, 0.0f, unit);
  layout.filler = {corner.x, corner.y, std::max(1, window.width - kWindowBorder - corner.x),
                   std::max(1, areaHeight - kWindowBorder - corner.y)};
}

}  // namespace vanto
