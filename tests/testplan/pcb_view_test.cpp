// The board view's geometry: visible windows with their rounding and
// clamping, markers and crosshair on screen, mouse positions, the click on
// the main window's view and the editor's zoom and pan steps.
#include "testplan/pcb_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "testplan/plan_builder.h"

namespace vanto {

namespace {

using testing::AddRecord;
using testing::PlacePin;

PcbWindow Window(int x0, int x1, int y0, int y1, int width, int height) {
  return PcbWindow{x0, x1, y0, y1, width, height};
}

TEST(VisibleWindow, FollowsCentreAndZoomAndStaysOnThePhotograph) {
  struct Case {
    const char* name;
    int width;
    int height;
    int centreX;
    int centreY;
    float zoom;
    PcbWindow expected;
  };
  const Case cases[] = {
      {"zoom 1 shows everything", 1600, 1200, 800, 600, 1.0f, Window(0, 1600, 0, 1200, 1600, 1200)},
      {"zoom 4 at the top-left corner", 1600, 1200, 10, 10, 4.0f,
       Window(0, 400, 0, 400, 1600, 1200)},
      {"zoom 4 at the bottom-right corner", 1600, 1200, 1590, 1190, 4.0f,
       Window(1200, 1600, 800, 1200, 1600, 1200)},
      {"zoom 4 inside", 1600, 1200, 800, 600, 4.0f, Window(600, 1000, 400, 800, 1600, 1200)},
      // Side 125: the edges fall on halves (437.5, 562.5) and go to the even neighbour.
      {"halves to even", 1000, 1000, 500, 500, 8.0f, Window(438, 562, 438, 562, 1000, 1000)},
      {"upright photograph takes its height", 1200, 1600, 600, 800, 1.0f,
       Window(0, 1200, 0, 1600, 1200, 1600)},
      {"zoom below the limit", 1600, 1200, 800, 600, 0.0f, Window(0, 1600, 0, 1200, 1600, 1200)},
      {"zoom above the limit", 1600, 1200, 800, 600, 1000.0f,
       Window(792, 808, 592, 608, 1600, 1200)},
      {"zoom not a number", 1600, 1200, 800, 600, NAN, Window(0, 1600, 0, 1200, 1600, 1200)},
      {"centre far outside", 1600, 1200, -50000, 90000, 4.0f,
       Window(0, 400, 800, 1200, 1600, 1200)},
      // Side 0.5 rounds to nothing; one pixel is kept.
      {"tiny photograph at zoom 100", 50, 50, 25, 25, 100.0f, Window(25, 26, 25, 26, 50, 50)},
      {"tiny window at the far edge", 50, 50, 50, 50, 100.0f, Window(49, 50, 49, 50, 50, 50)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VisibleWindow(c.width, c.height, c.centreX, c.centreY, c.zoom), c.expected) << c.name;
  }
}

TEST(VisibleWindow, WholeBoardIgnoresCentreAndZoom) {
  EXPECT_EQ(WholeBoardWindow(1600, 1200), Window(0, 1600, 0, 1200, 1600, 1200));
  // An odd height puts the lower edge on a half, which goes to the even
  // neighbour: the last row stays out of view.
  EXPECT_EQ(WholeBoardWindow(1201, 1601), Window(0, 1201, 0, 1600, 1201, 1601));
}

TEST(LimitZoom, KeepsZoomWithinItsRange) {
  EXPECT_EQ(LimitZoom(0.0f), 0.01f);
  EXPECT_EQ(LimitZoom(-3.0f), 0.01f);
  EXPECT_EQ(LimitZoom(2.5f), 2.5f);
  EXPECT_EQ(LimitZoom(101.0f), 100.0f);
  EXPECT_EQ(LimitZoom(NAN), 1.0f);
}

TEST(ToScreen, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(ToScreen(1, 0, 4, 2), 1);    // 0.5 -> 1
  EXPECT_EQ(ToScreen(3, 0, 4, 2), 2);    // 1.5 -> 2
  EXPECT_EQ(ToScreen(-1, 0, 4, 2), -1);  // -0.5 -> -1
  EXPECT_EQ(ToScreen(400, 0, 400, 640), 640);
  EXPECT_EQ(ToScreen(7, 5, 5, 640), 0);  // no window, no division
}

TEST(CrosshairPosition, OnlyWhileThePinIsInView) {
  const PcbWindow window = Window(600, 1000, 400, 800, 1600, 1200);
  EXPECT_EQ(CrosshairPosition(window, 640, 480, 800, 600), (ViewPoint{320, 240}));
  EXPECT_EQ(CrosshairPosition(window, 640, 480, 1000, 800), (ViewPoint{640, 480}));
  EXPECT_FALSE(CrosshairPosition(window, 640, 480, 1001, 600).has_value());
  EXPECT_FALSE(CrosshairPosition(window, 640, 480, 800, 399).has_value());
}

TEST(PlanMarkers, ShowsEveryPinInTheWindowEdgesIncluded) {
  TestPlanState plan;
  plan.table.SetCell(1, cell::kTestX, "");  // the plan row: no position, counts as (0, 0)
  PlacePin(plan, AddRecord(plan, "IC1", "1", "Good"), 400, 100);
  PlacePin(plan, AddRecord(plan, "IC1", "2", "Bad"), 401, 100);
  PlacePin(plan, AddRecord(plan, "IC1", "3", ""), 200, 400);
  PlacePin(plan, AddRecord(plan, "IC1", "4", "NoTest", false), 100, 100);
  const int deleted = PlacePin(plan, AddRecord(plan, "IC2", "1"), 50, 50);
  plan.table.SetCell(deleted, cell::kRecord, "delete");
  PlacePin(plan, AddRecord(plan, "IC3", "1", "NoTest"), 10, 20);

  const std::vector<PcbMarker> markers =
      PlanMarkers(plan.table, Window(0, 400, 0, 400, 1600, 1200), 640, 640);
  const std::vector<PcbMarker> expected = {
      {{0, 0}, false, MarkerFill::NoSignature},      // plan row
      {{640, 160}, true, MarkerFill::Good},          // on x1
      {{320, 640}, false, MarkerFill::None},         // golden, empty status
      {{160, 160}, false, MarkerFill::NoSignature},  // no golden, whatever the status
      {{16, 32}, true, MarkerFill::NoTest},
  };
  EXPECT_EQ(markers, expected);
}

TEST(PlanMarkers, TopLeftCornerOutOfViewHidesThePlanRow) {
  TestPlanState plan;
  EXPECT_TRUE(PlanMarkers(plan.table, Window(1, 400, 0, 400, 1600, 1200), 640, 640).empty());
}

TEST(RecordViewRequest, ReadsTheRecordAndThePlanRow) {
  TestPlanState plan;
  plan.table.SetCell(1, cell::kImageFile, "boards\\main.jpg");
  const int row = PlacePin(plan, AddRecord(plan, "U1", "1"), 812, 433);
  plan.table.SetCell(row, cell::kViewX, "800");
  plan.table.SetCell(row, cell::kViewY, "450");
  plan.table.SetCell(row, cell::kZoom, "2.5");
  const PcbViewRequest request = RecordViewRequest(plan.table, row, 464, 464);
  PcbViewRequest expected;
  expected.viewWidth = 464;
  expected.viewHeight = 464;
  expected.centreX = 800;
  expected.centreY = 450;
  expected.zoom = 2.5f;
  expected.pinX = 812;
  expected.pinY = 433;
  expected.imageFile = "boards\\main.jpg";
  EXPECT_EQ(request, expected);
}

TEST(ViewToImage, MapsThroughTheControlAndTheWindow) {
  const PcbWindow window = Window(0, 1600, 0, 1200, 1600, 1200);
  const ViewPlacement control{100, 50, 400, 300};
  EXPECT_EQ(ViewToImage(window, control, 300, 200), (ViewPoint{800, 600}));
  EXPECT_EQ(ViewToImage(window, control, 100, 50), (ViewPoint{0, 0}));
  EXPECT_EQ(ViewToImage(window, control, 500, 350), (ViewPoint{1600, 1200}));
  // 0.5 and -0.5 photograph pixels go away from zero.
  const PcbWindow small = Window(0, 1, 0, 1, 4, 4);
  EXPECT_EQ(ViewToImage(small, {0, 0, 2, 2}, 1, -1), (ViewPoint{1, -1}));
}

class PcbClickTest : public ::testing::Test {
 protected:
  PcbClickTest() {
    PlacePin(plan, AddRecord(plan, "IC1", "1"), 400, 300);
    PlacePin(plan, AddRecord(plan, "IC1", "2"), 800, 600);
    view.window = Window(0, 1600, 0, 1200, 1600, 1200);
    view.hasWindow = true;
  }
  TestPlanState plan;
  PcbViewState view;
  const ViewPlacement pane{1000, 200, 400, 300};  // a quarter of the photograph's scale
};

TEST_F(PcbClickTest, PinNearPointFindsPinsWithinFiveScreenPixels) {
  // Pin 2 sits at pane (200, 150), window (1200, 350).
  EXPECT_EQ(PinNearPoint(view, pane, plan.table, 1200, 350), 3);
  EXPECT_EQ(PinNearPoint(view, pane, plan.table, 1205, 345), 3);
  EXPECT_FALSE(PinNearPoint(view, pane, plan.table, 1206, 350).has_value());
  // The plan row is a pin at (0, 0).
  EXPECT_EQ(PinNearPoint(view, pane, plan.table, 1002, 201), 1);
}

TEST_F(PcbClickTest, NothingIsNearBeforeTheFirstRendering) {
  view.hasWindow = false;
  EXPECT_FALSE(PinNearPoint(view, pane, plan.table, 1000, 200).has_value());
}

TEST_F(PcbClickTest, ClickOnAPinSelectsItsRecordAndEndsTheWholeBoardView) {
  view.wholeBoardView = true;
  EXPECT_EQ(PcbViewClick(view, plan, pane, 1100, 275), PcbClick::PinSelected);
  EXPECT_EQ(plan.currentRecord, 2);
  EXPECT_FALSE(view.wholeBoardView);
}

TEST_F(PcbClickTest, ClickBesideEveryPinTogglesTheWholeBoardView) {
  plan.currentRecord = 3;
  EXPECT_EQ(PcbViewClick(view, plan, pane, 1300, 400), PcbClick::WholeBoardToggled);
  EXPECT_TRUE(view.wholeBoardView);
  EXPECT_EQ(PcbViewClick(view, plan, pane, 1300, 400), PcbClick::WholeBoardToggled);
  EXPECT_FALSE(view.wholeBoardView);
  EXPECT_EQ(plan.currentRecord, 3);
}

TEST(EditorZoom, StepsFromTheNearestWholeZoom) {
  struct Case {
    float from;
    float in;
    float out;
  };
  const Case cases[] = {
      {2.6f, 4.0f, 2.0f},    {1.2f, 2.0f, 1.0f},    {2.5f, 3.0f, 1.0f}, {3.5f, 5.0f, 3.0f},
      {24.7f, 25.0f, 24.0f}, {40.0f, 25.0f, 39.0f}, {0.2f, 1.0f, 1.0f}, {NAN, 2.0f, 1.0f},
  };
  for (const Case& c : cases) {
    PcbViewCentre in{10, 20, c.from};
    ZoomIn(in);
    EXPECT_EQ(in, (PcbViewCentre{10, 20, c.in})) << "ZoomIn from " << c.from;
    PcbViewCentre out{10, 20, c.from};
    ZoomOut(out);
    EXPECT_EQ(out, (PcbViewCentre{10, 20, c.out})) << "ZoomOut from " << c.from;
  }
  PcbViewCentre all{10, 20, 7.3f};
  ZoomAll(all);
  EXPECT_EQ(all, (PcbViewCentre{10, 20, 1.0f}));
}

TEST(EditorPan, StepsATenthOfTheVisibleSpanWithinThePhotograph) {
  PcbViewCentre view{800, 600, 4.0f};
  PanLeft(view, 1600);
  EXPECT_EQ(view.centreX, 760);  // 1600 / 4 / 10
  PanRight(view, 1600);
  PanRight(view, 1600);
  EXPECT_EQ(view.centreX, 840);
  PanUp(view, 1200);
  EXPECT_EQ(view.centreY, 570);  // 1200 / 4 / 10
  PanDown(view, 1200);
  EXPECT_EQ(view.centreY, 600);

  PcbViewCentre corner{20, 1190, 4.0f};
  PanLeft(corner, 1600);
  PanDown(corner, 1200);
  EXPECT_EQ(corner, (PcbViewCentre{1, 1200, 4.0f}));

  // A zoom of 0 pans by the limited zoom, not by an infinite step.
  PcbViewCentre flat{800, 600, 0.0f};
  PanRight(flat, 1600);
  EXPECT_EQ(flat.centreX, 1600);
}

TEST(EditorPan, CentreViewGoesToThePhotographsMiddle) {
  PcbViewCentre view{5, 5, 3.0f};
  CentreView(view, 1601, 1201);
  EXPECT_EQ(view, (PcbViewCentre{800, 600, 3.0f}));
  CentreView(view, 1, 1);
  EXPECT_EQ(view, (PcbViewCentre{1, 1, 3.0f}));
}

TEST(ZoomToRectangle, FitsTheSmallerRatioUpToTwentyFive) {
  PcbViewCentre view;
  ZoomToRectangle(view, {700, 575}, {800, 625}, 1600, 1200);
  EXPECT_EQ(view, (PcbViewCentre{750, 600, 16.0f}));  // 1600/100 = 16 against 1200/50 = 24

  ZoomToRectangle(view, {800, 300}, {500, 0}, 1600, 1200);
  EXPECT_EQ(view, (PcbViewCentre{650, 150, 4.0f}));  // 1200/300 = 4 beats 1600/300

  ZoomToRectangle(view, {100, 100}, {100, 400}, 1600, 1200);  // no width: the height decides
  EXPECT_EQ(view, (PcbViewCentre{100, 250, 4.0f}));

  ZoomToRectangle(view, {100, 100}, {110, 100}, 1600, 1200);
  EXPECT_EQ(view, (PcbViewCentre{105, 100, 25.0f}));

  ZoomToRectangle(view, {10, 10}, {10, 10}, 1600, 1200);
  EXPECT_EQ(view, (PcbViewCentre{10, 10, 25.0f}));

  ZoomToRectangle(view, {0, 0}, {640, 480}, 1600, 1200);
  EXPECT_EQ(view.zoom, 2.5f);  // not rounded to a whole zoom
}

}  // namespace
}  // namespace vanto
