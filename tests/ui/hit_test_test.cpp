// Which pane a click lands on: the order of the panes, edges included,
// hidden panes never, the connection indicator always.
#include "ui/hit_test.h"

#include <gtest/gtest.h>

#include "ui/ribbon.h"

namespace vanto {
namespace {

class HitTestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Relayout(layout, AppMode::Advanced, DisplayView::NineMiniScopes, {1545, 725, 0});
    visible = AdvancedPaneVisibility(DisplayView::NineMiniScopes);
    const Ribbon ribbon = BuildRibbon("ORXA");
    indicator = ItemWindowRect(*ribbon.Find(RibbonElement::ConnectionIndicator), layout.ribbon);
  }

  static int CentreX(const PixelRect& r) { return r.x + r.width / 2; }
  static int CentreY(const PixelRect& r) { return r.y + r.height / 2; }

  DisplayLayout layout;
  PaneVisibility visible;
  PixelRect indicator;
};

TEST_F(HitTestTest, EachVisiblePaneGivesItsNumber) {
  const PixelRect main = layout.Pane(PaneId::MainScope);
  EXPECT_EQ(HitTest(layout, visible, indicator, CentreX(main), CentreY(main)), kHitMainScope);
  for (int k = 1; k <= kMiniScopeCount; ++k) {
    const PixelRect mini = layout.Pane(MiniScope(k));
    EXPECT_EQ(HitTest(layout, visible, indicator, CentreX(mini), CentreY(mini)), k + 1)
        << "mini-scope " << k;
  }
  EXPECT_EQ(HitTest(layout, visible, indicator, CentreX(indicator), CentreY(indicator)),
            kHitConnectionIndicator);
  EXPECT_EQ(HitTest(layout, visible, indicator, 1544, 720), kHitNothing);  // the filler
}

TEST_F(HitTestTest, AllFourEdgesBelongToThePane) {
  const PixelRect mini = layout.Pane(MiniScope(5));
  const int right = mini.x + mini.width;
  const int bottom = mini.y + mini.height;
  for (auto [x, y] : {std::pair{mini.x, mini.y}, std::pair{right, bottom},
                      std::pair{mini.x, bottom}, std::pair{right, mini.y}}) {
    EXPECT_EQ(HitTest(layout, visible, indicator, x, y), 6) << x << "," << y;
  }
  EXPECT_NE(HitTest(layout, visible, indicator, right + 1, CentreY(mini)), 6);
}

TEST_F(HitTestTest, AHiddenPaneNeverMatchesEvenWhereItsOldRectangleLies) {
  // Mini-scope 1 keeps its rectangle in the PCB view but is hidden there,
  // and so is every other pane but the main scope and the board view.
  const PixelRect oldMini1 = layout.Pane(MiniScope(1));
  Relayout(layout, AppMode::Advanced, DisplayView::Pcb, {1545, 725, 0});
  visible = AdvancedPaneVisibility(DisplayView::Pcb);
  EXPECT_EQ(layout.Pane(MiniScope(1)), oldMini1);
  EXPECT_EQ(HitTest(layout, visible, indicator, CentreX(oldMini1), CentreY(oldMini1)),
            kHitBoardView);

  // With the board view hidden as well, nothing is there at all.
  visible[PaneId::BoardView] = false;
  EXPECT_EQ(HitTest(layout, visible, indicator, CentreX(oldMini1), CentreY(oldMini1)), kHitNothing);
  // Hiding the main scope makes it as dead as any other pane.
  visible[PaneId::MainScope] = false;
  const PixelRect main = layout.Pane(PaneId::MainScope);
  EXPECT_EQ(HitTest(layout, visible, indicator, CentreX(main), CentreY(main)), kHitNothing);
}

TEST_F(HitTestTest, TheConnectionIndicatorMatchesWithEveryPaneHidden) {
  const PaneVisibility none;
  EXPECT_EQ(HitTest(layout, none, indicator, indicator.x, indicator.y), kHitConnectionIndicator);
  // In the window: container (2, 2) plus the indicator's (0, 26 - 3).
  EXPECT_EQ(indicator, (PixelRect{2, 25, 70, 23}));
}

TEST_F(HitTestTest, TheFirstPaneInTheOrderWins) {
  // An indicator placed over the main scope loses to it, and wins over the
  // board view.
  const PixelRect main = layout.Pane(PaneId::MainScope);
  EXPECT_EQ(HitTest(layout, visible, main, CentreX(main), CentreY(main)), kHitMainScope);

  Relayout(layout, AppMode::Advanced, DisplayView::Pcb, {1545, 725, 0});
  visible = AdvancedPaneVisibility(DisplayView::Pcb);
  const PixelRect board = layout.Pane(PaneId::BoardView);
  EXPECT_EQ(HitTest(layout, visible, board, CentreX(board), CentreY(board)),
            kHitConnectionIndicator);
  EXPECT_EQ(HitTest(layout, visible, indicator, CentreX(board), CentreY(board)), kHitBoardView);
}

}  // namespace
}  // namespace vanto
