// The grid of the display area: the unit, the single-precision grid
// rectangles with their clamps, every view's pane rectangles, the ribbon
// container and the filler.
#include "ui/display_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace vanto {
namespace {

// At 1545 pixels in the Advanced mode u = (1545 - 148) / 10 = 139.7, and by
// hand (single precision, halves away from zero):
//   x of 5, 6.666, 8.333 units: 148 + 698.5 -> 847, 148 + 931.24 -> 1079,
//                               148 + 1164.12 -> 1312
//   y of 0, 1.666, 3.333 units: 2, 2 + 232.74 -> 235, 2 + 465.62 -> 468
//   sizes of 1.666, 3.333, 5 units less the 2-pixel gap: 231, 464, 697
constexpr int kX5 = 847, kX6 = 1079, kX8 = 1312;
constexpr int kY0 = 2, kYs = 235, kYt = 468;
constexpr int kS = 231, kT = 464, kF = 697;
const WindowGeometry kAdvancedWindow = {1545, 725, 0};

DisplayLayout LayOut(std::optional<AppMode> mode, std::optional<DisplayView> view,
                     WindowGeometry window = kAdvancedWindow) {
  DisplayLayout layout;
  Relayout(layout, mode, view, window);
  return layout;
}

TEST(GridRectTest, AnAdvancedWindow1545WideGivesUnit139_7AndA697PixelMainScope) {
  const DisplayLayout layout = LayOut(AppMode::Advanced, DisplayView::NineMiniScopes);
  EXPECT_EQ(layout.unit, 139.7f);
  EXPECT_EQ(layout.Pane(PaneId::MainScope), (PixelRect{148, 2, 697, 697}));
  for (int k = 1; k <= kMiniScopeCount; ++k) {
    EXPECT_EQ(layout.Pane(MiniScope(k)).width, 231) << "mini-scope " << k;
    EXPECT_EQ(layout.Pane(MiniScope(k)).height, 231) << "mini-scope " << k;
  }
}

TEST(GridRectTest, FiveUnitsLessTheGapIs696_5InSinglePrecisionAndRoundsUp) {
  // In double precision 5 x 139.7f - 2 is 696.49998..., which would round
  // down; the float steps make it 696.5.
  EXPECT_EQ(GridRect(0, 0, 5, 5, 139.7f).width, 697);
  EXPECT_EQ(GridRect(0, 0, 1.666f, 1.666f, 139.7f), (PixelRect{148, 2, 231, 231}));
}

TEST(GridRectTest, PositionsAndSizesAreClampedToUsableRanges) {
  EXPECT_EQ(GridRect(-100, -100, 1, 1, 10), (PixelRect{0, 0, 102, 102}));
  EXPECT_EQ(GridRect(100, 100, 100, 100, 100), (PixelRect{5000, 5000, 5000, 5000}));
  // A window narrower than the ribbon gives a negative unit: sizes stay 102.
  const DisplayLayout tiny = LayOut(AppMode::Advanced, DisplayView::NineMiniScopes, {100, 100, 0});
  EXPECT_LT(tiny.unit, 0.0f);
  EXPECT_EQ(tiny.Pane(PaneId::MainScope).width, 102);
  EXPECT_EQ(tiny.Pane(MiniScope(9)).height, 102);
}

TEST(RelayoutTest, TheCompactModesUseFiveColumnsAndTheWindowHeightNeverEntersTheUnit) {
  for (AppMode mode : {AppMode::Basic, AppMode::BasicAuto}) {
    const DisplayLayout small = LayOut(mode, DisplayView::Pcb, {534, 408, 0});
    // u = (534 - 148) / 5 = 77.2; 5u - 2 = 384.
    EXPECT_EQ(small.unit, 77.2f);
    EXPECT_EQ(small.Pane(PaneId::MainScope), (PixelRect{148, 2, 384, 384}));
    const DisplayLayout tall = LayOut(mode, DisplayView::Pcb, {534, 900, 0});
    EXPECT_EQ(tall.Pane(PaneId::MainScope), small.Pane(PaneId::MainScope));
  }
  // Spanning the whole display width: right edge 2 pixels from the window's.
  const DisplayLayout compact = LayOut(AppMode::Basic, std::nullopt, {1545, 725, 0});
  EXPECT_EQ(compact.Pane(PaneId::MainScope).x + compact.Pane(PaneId::MainScope).width, 1543);
}

using Expected = std::map<PaneId, PixelRect>;

struct ViewCase {
  DisplayView view;
  Expected panes;
};

TEST(RelayoutTest, EveryViewPlacesItsPanesOnTheGrid) {
  using P = PaneId;
  const std::vector<ViewCase> cases = {
      {DisplayView::NineMiniScopes,
       {{MiniScope(1), {kX5, kY0, kS, kS}},
        {MiniScope(2), {kX6, kY0, kS, kS}},
        {MiniScope(3), {kX8, kY0, kS, kS}},
        {MiniScope(4), {kX5, kYs, kS, kS}},
        {MiniScope(5), {kX6, kYs, kS, kS}},
        {MiniScope(6), {kX8, kYs, kS, kS}},
        {MiniScope(7), {kX5, kYt, kS, kS}},
        {MiniScope(8), {kX6, kYt, kS, kS}},
        {MiniScope(9), {kX8, kYt, kS, kS}}}},
      {DisplayView::SixMiniScopesTestTree,
       {{MiniScope(2), {kX5, kY0, kS, kS}},
        {MiniScope(3), {kX6, kY0, kS, kS}},
        {MiniScope(4), {kX5, kYs, kS, kS}},
        {MiniScope(5), {kX6, kYs, kS, kS}},
        {MiniScope(6), {kX5, kYt, kS, kS}},
        {MiniScope(7), {kX6, kYt, kS, kS}},
        {P::TestTree, {kX8, kY0, kS, kF}}}},
      {DisplayView::ThreeMiniScopesTestTree,
       {{MiniScope(4), {kX5, kY0, kS, kS}},
        {MiniScope(5), {kX5, kYs, kS, kS}},
        {MiniScope(6), {kX5, kYt, kS, kS}},
        {P::TestTree, {kX6, kY0, kT, kF}}}},
      {DisplayView::ThreeMiniScopesPcb,
       {{MiniScope(4), {kX5, kY0, kS, kS}},
        {MiniScope(5), {kX6, kY0, kS, kS}},
        {MiniScope(6), {kX8, kY0, kS, kS}},
        {P::BoardView, {kX5, kYs, kF, kT}}}},
      {DisplayView::ThreeMiniScopesPcbTestTree,
       {{MiniScope(4), {kX5, kY0, kS, kS}},
        {MiniScope(5), {kX6, kY0, kS, kS}},
        {MiniScope(6), {kX8, kY0, kS, kS}},
        {P::BoardView, {kX5, kYs, kT, kT}},
        {P::TestTree, {kX8, kYs, kS, kT}}}},
      {DisplayView::TwoMiniScopesPcbTestTree,
       {{MiniScope(4), {kX5, kY0, kS, kS}},
        {MiniScope(6), {kX6, kY0, kS, kS}},
        {P::BoardView, {kX5, kYs, kT, kT}},
        {P::TestTree, {kX8, kY0, kS, kF}}}},
      {DisplayView::Pcb, {{P::BoardView, {kX5, kY0, kF, kF}}}},
      {DisplayView::ThreeMiniScopesTestTreeBadTree,
       {{MiniScope(4), {kX5, kY0, kS, kS}},
        {MiniScope(5), {kX5, kYs, kS, kS}},
        {MiniScope(6), {kX5, kYt, kS, kS}},
        {P::TestTree, {kX6, kY0, kS, kF}},
        {P::BadTree, {kX8, kY0, kS, kF}}}},
      {DisplayView::TwoMiniScopesPcbTestTreeBadTree,
       {{MiniScope(4), {kX5, kY0, kS, kS}},
        {MiniScope(6), {kX6, kY0, kS, kS}},
        {P::BoardView, {kX5, kYs, kT, kT}},
        {P::TestTree, {kX8, kYs, kS, kT}},
        {P::BadTree, {kX8, kY0, kS, kS}}}},
      {DisplayView::MiniScopePcbTestTreeBadTree,
       {{MiniScope(4), {kX5, kY0, kS, kS}},
        {P::BoardView, {kX5, kYs, kT, kT}},
        {P::TestTree, {kX8, kY0, kS, kF}},
        {P::BadTree, {kX6, kY0, kS, kS}}}},
  };
  ASSERT_EQ(cases.size(), static_cast<std::size_t>(kDisplayViewCount));
  // Every pane starts somewhere no view puts it, so a pane the view does
  // not place is seen to keep its rectangle.
  const PixelRect untouched = {1, 1, 1, 1};
  for (const ViewCase& c : cases) {
    DisplayLayout layout;
    layout.panes.fill(untouched);
    Relayout(layout, AppMode::Advanced, c.view, kAdvancedWindow);
    const char* name = DisplayViewValue(c.view);
    EXPECT_EQ(layout.Pane(PaneId::MainScope), (PixelRect{148, 2, kF, kF})) << name;
    for (int i = 1; i < kPaneCount; ++i) {
      const PaneId pane = static_cast<PaneId>(i);
      const auto placed = c.panes.find(pane);
      const PixelRect expected = placed == c.panes.end() ? untouched : placed->second;
      EXPECT_EQ(layout.Pane(pane), expected) << name << ", pane " << i;
    }
  }
}

TEST(RelayoutTest, PanesAViewDoesNotPlaceKeepTheirPreviousRectangles) {
  DisplayLayout layout;
  Relayout(layout, AppMode::Advanced, DisplayView::NineMiniScopes, kAdvancedWindow);
  const PixelRect miniScope1 = layout.Pane(MiniScope(1));
  Relayout(layout, AppMode::Advanced, DisplayView::Pcb, {1200, 725, 0});
  EXPECT_EQ(layout.Pane(MiniScope(1)), miniScope1);
  EXPECT_NE(layout.Pane(PaneId::MainScope).width, kF);  // the main scope did follow
  // No known view: only the main scope moves.
  const PixelRect board = layout.Pane(PaneId::BoardView);
  Relayout(layout, AppMode::Advanced, std::nullopt, kAdvancedWindow);
  EXPECT_EQ(layout.Pane(PaneId::BoardView), board);
  EXPECT_EQ(layout.Pane(PaneId::MainScope).width, kF);
}

TEST(RelayoutTest, TheRibbonContainerAndTheFillerFollowTheWindow) {
  // The ribbon: (2, 2), 144 wide, down to 2 pixels above the area's bottom.
  const DisplayLayout layout = LayOut(AppMode::Advanced, DisplayView::Pcb, {1545, 745, 20});
  EXPECT_EQ(layout.ribbon, (PixelRect{2, 2, 144, 745 - 20 - 4}));
  // The filler: from grid (0, 5), y = round(5 x 139.7 + 2) = round(700.5)
  // = 701, to the right and bottom edges less 2 pixels.
  EXPECT_EQ(layout.filler, (PixelRect{148, 701, 1545 - 2 - 148, 725 - 2 - 701}));
  // A window too low for the grid still gets a filler one pixel high.
  const DisplayLayout low = LayOut(AppMode::Advanced, DisplayView::Pcb, {1545, 300, 0});
  EXPECT_EQ(low.filler.height, 1);
  EXPECT_EQ(low.filler.width, 1545 - 2 - 148);
}

TEST(PaneVisibilityTest, EachViewShowsTheMainScopeAndExactlyItsPanels) {
  struct Row {
    DisplayView view;
    std::vector<int> miniScopes;
    bool board;
    bool testTree;
    bool badTree;
  };
  const std::vector<Row> rows = {
      {DisplayView::NineMiniScopes, {1, 2, 3, 4, 5, 6, 7, 8, 9}, false, false, false},
      {DisplayView::SixMiniScopesTestTree, {2, 3, 4, 5, 6, 7}, false, true, false},
      {DisplayView::ThreeMiniScopesTestTree, {4, 5, 6}, false, true, false},
      {DisplayView::ThreeMiniScopesPcb, {4, 5, 6}, true, false, false},
      {DisplayView::ThreeMiniScopesPcbTestTree, {4, 5, 6}, true, true, false},
      {DisplayView::TwoMiniScopesPcbTestTree, {4, 6}, true, true, false},
      {DisplayView::Pcb, {}, true, false, false},
      {DisplayView::ThreeMiniScopesTestTreeBadTree, {4, 5, 6}, false, true, true},
      {DisplayView::TwoMiniScopesPcbTestTreeBadTree, {4, 6}, true, true, true},
      {DisplayView::MiniScopePcbTestTreeBadTree, {4}, true, true, true},
  };
  for (const Row& row : rows) {
    PaneVisibility expected;
    expected[PaneId::MainScope] = true;
    for (int k : row.miniScopes) expected[MiniScope(k)] = true;
    expected[PaneId::BoardView] = row.board;
    expected[PaneId::TestTree] = row.testTree;
    expected[PaneId::BadTree] = row.badTree;
    EXPECT_EQ(AdvancedPaneVisibility(row.view), expected) << DisplayViewValue(row.view);
  }
  PaneVisibility mainOnly;
  mainOnly[PaneId::MainScope] = true;
  EXPECT_EQ(CompactPaneVisibility(), mainOnly);
  EXPECT_EQ(InitialPaneVisibility(), mainOnly);
}

}  // namespace
}  // namespace vanto
