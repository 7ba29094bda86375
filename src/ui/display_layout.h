// The display area right of the ribbon: a square grid whose unit follows
// the window width, the panes placed on it per application mode and
// display view, and which panes each view shows. Pure geometry; the window
// moves its widgets to the rectangles computed here. Main thread only.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "foundation/mode_and_view.h"
#include "ui/pixel_rect.h"

namespace vanto {

// The panes of the display area. Mini-scope k shows record
// CurrentRecord - 5 + k.
enum class PaneId {
  MainScope,
  MiniScope1,
  MiniScope2,
  MiniScope3,
  MiniScope4,
  MiniScope5,
  MiniScope6,
  MiniScope7,
  MiniScope8,
  MiniScope9,
  BoardView,
  TestTree,
  BadTree,
};
inline constexpr int kPaneCount = 13;
inline constexpr int kMiniScopeCount = 9;

// Mini-scope 1..9.
constexpr PaneId MiniScope(int number) {
  return static_cast<PaneId>(static_cast<int>(PaneId::MiniScope1) + number - 1);
}
constexpr std::size_t PaneIndex(PaneId pane) {
  return static_cast<std::size_t>(pane);
}

inline constexpr float kGridGap = 2.0f;
inline constexpr float kGridHeightUnits = 5.0f;
inline constexpr int kCompactColumns = 5;
inline constexpr int kAdvancedColumns = 10;
inline constexpr int kMinPosition = 0;
inline constexpr int kMaxPosition = 5000;
inline constexpr int kMinSize = 102;
inline constexpr int kMaxSize = 5000;

// A place on the grid, in units.
struct GridBox {
  float x;
  float y;
  float width;
  float height;
};

// The pixel rectangle of a grid box: x = round(gx*u + 148),
// y = round(gy*u + 2), w = round(gw*u - gap), h = round(gh*u - gap), each
// computed in single precision and rounded half away from zero; positions
// are clamped to 0..5000 and sizes to 102..5000, so a tiny window still
// gets usable panes.
PixelRect GridRect(float gx, float gy, float gw, float gh, float unit, float gap = kGridGap);

// Where a view puts each pane; panes it does not list have no box.
using ViewBoxes = std::array<std::optional<GridBox>, kPaneCount>;
const ViewBoxes& PanesOfView(DisplayView view);

// Which panes are shown.
struct PaneVisibility {
  std::array<bool, kPaneCount> visible{};

  bool operator[](PaneId pane) const { return visible[PaneIndex(pane)]; }
  bool& operator[](PaneId pane) { return visible[PaneIndex(pane)]; }
  bool operator==(const PaneVisibility&) const = default;
};

// At start-up only the main scope counts as visible.
PaneVisibility InitialPaneVisibility();
// The compact modes show the main scope only.
PaneVisibility CompactPaneVisibility();
// The Advanced mode shows the main scope and exactly the panes the view
// places.
PaneVisibility AdvancedPaneVisibility(DisplayView view);

struct DisplayLayout {
  float unit = 0.0f;  // pixels per grid unit
  PixelRect ribbon;   // the ribbon container
  std::array<PixelRect, kPaneCount> panes{};
  PixelRect filler;  // the blank area under the grid

  const PixelRect& Pane(PaneId pane) const { return panes[PaneIndex(pane)]; }
  PixelRect& Pane(PaneId pane) { return panes[PaneIndex(pane)]; }
};

// The size that Relayout works from: the main window's width and height
// and the height of its menu bar, which the height includes.
struct WindowGeometry {
  int width = 0;
  int height = 0;
  int menuHeight = 0;
};

// Recomputes the grid unit and places the ribbon container, the main
// scope, the view's panes and the filler. The compact modes use 5
// columns, "Advanced" 10 (a mode text of neither kind counts as compact);
// the grid is 5 units high whatever the window height. Panes the view does
// not place keep their previous rectangles (they are hidden in that view);
// with no known view only the main scope, ribbon and filler move.
void Relayout(DisplayLayout& layout, std::optional<AppMode> mode, std::optional<DisplayView> view,
              const WindowGeometry& window);

}  // namespace vanto
