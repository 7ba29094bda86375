// The board view's model without pixels: which part of the photograph a
// view shows, where the plan's pins and the crosshair land on screen,
// mouse positions back to photograph pixels, the click on the main
// window's view and the editor's zoom and pan steps. The Qt renderer
// (testplan/qt/board_view.h) draws what this computes. Main thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "testplan/test_plan.h"

namespace vanto {

inline constexpr float kMinZoom = 0.01f;
inline constexpr float kMaxZoom = 100.0f;
inline constexpr int kMaxNavigationZoom = 25;  // ZoomIn and ZoomToRectangle stop here
inline constexpr int kMarkerSize = 5;          // fill radius; the black rim is one more
inline constexpr int kPinPickDistance = 5;     // screen pixels around a click
inline constexpr const char* kNoImagePicture = "graphics/noimage.png";

// The photograph rectangle x0..x1 x y0..y1 that a rendering showed, and
// the photograph's size. Mouse positions are converted through it.
struct PcbWindow {
  int x0 = 0;
  int x1 = 0;
  int y0 = 0;
  int y1 = 0;
  int imageWidth = 0;
  int imageHeight = 0;

  friend bool operator==(const PcbWindow&, const PcbWindow&) = default;
};

// What persists between renderings of one view.
struct PcbViewState {
  PcbWindow window;        // of the last rendering whose photograph loaded
  bool hasWindow = false;  // false until such a rendering
  // Main window only: show the whole photograph instead of the record's
  // view. Toggled by a click beside every pin, cleared by a click on a pin
  // and when the editor opens.
  bool wholeBoardView = false;
};

// One rendering's parameters, in photograph pixels except the view size.
struct PcbViewRequest {
  int viewWidth = 0;
  int viewHeight = 0;
  int centreX = 0;
  int centreY = 0;
  float zoom = 1.0f;
  int pinX = 0;
  int pinY = 0;
  std::string imageFile;  // as stored in the plan ("\" or "/" between folders)

  friend bool operator==(const PcbViewRequest&, const PcbViewRequest&) = default;
};

// The main window's parameters for a record: the photograph from the plan
// row, centre, zoom and pin from the record's cells.
PcbViewRequest RecordViewRequest(const TestPlan& table, int record, int viewWidth, int viewHeight);

// Zoom limited to kMinZoom..kMaxZoom for rendering; a value that is not a
// number counts as 1.
float LimitZoom(float zoom);

// The visible window for a photograph of the given size (square of side
// imageWidth / zoom, or imageHeight / zoom for an upright photograph,
// around the centre, pushed back onto the photograph). Never empty for a
// photograph of at least one pixel: a window that would round to no width
// or height keeps one pixel.
PcbWindow VisibleWindow(int imageWidth, int imageHeight, int centreX, int centreY, float zoom);
// The same with the whole-board override: centre of the photograph at zoom 1.
PcbWindow WholeBoardWindow(int imageWidth, int imageHeight);

// Screen coordinate of photograph coordinate `value` in a view `viewSize`
// pixels wide showing `low`..`high`.
int ToScreen(int value, int low, int high, int viewSize);

struct ViewPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ViewPoint&, const ViewPoint&) = default;
};

// The crosshair's screen position, when it lies in 0..viewWidth x
// 0..viewHeight.
std::optional<ViewPoint> CrosshairPosition(const PcbWindow& window, int viewWidth, int viewHeight,
                                           int pinX, int pinY);

enum class MarkerFill { None, Good, Bad, Untested, NoTest, NoSignature };

struct PcbMarker {
  ViewPoint centre;
  bool square = false;  // pin "1"
  MarkerFill fill = MarkerFill::None;
  friend bool operator==(const PcbMarker&, const PcbMarker&) = default;
};

// The markers of every row (plan row included) whose pin lies in the
// window, edges included, except rows marked "delete", in row order.
std::vector<PcbMarker> PlanMarkers(const TestPlan& table, const PcbWindow& window, int viewWidth,
                                   int viewHeight);

// Where the image control stands in the window that reports mouse
// positions, and its size.
struct ViewPlacement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A mouse position in the window to photograph pixels, through the
// window of the last rendering.
ViewPoint ViewToImage(const PcbWindow& window, const ViewPlacement& control, int mouseX,
                      int mouseY);

// The first row, plan row included, whose pin lies within kPinPickDistance
// screen pixels of the mouse; none before the first rendering.
std::optional<int> PinNearPoint(const PcbViewState& view, const ViewPlacement& control,
                                const TestPlan& table, int mouseX, int mouseY);

enum class PcbClick {
  PinSelected,        // CurrentRecord moved to the pin (or was already on it)
  WholeBoardToggled,  // the caller sets DisplayRefreshPending and ScopeRedrawPending
};

// A left click on the main window's view: on a pin its record becomes
// current and the whole-board view ends; beside every pin the whole-board
// view toggles.
PcbClick PcbViewClick(PcbViewState& view, TestPlanState& plan, const ViewPlacement& control,
                      int mouseX, int mouseY);

// The editor's view values, which its navigation buttons change.
struct PcbViewCentre {
  int centreX = 0;
  int centreY = 0;
  float zoom = 1.0f;
  friend bool operator==(const PcbViewCentre&, const PcbViewCentre&) = default;
};

// The editor's navigation. The photograph size is the one on disk now
// (pans and centring) or of the last rendering (ZoomToRectangle).
void ZoomIn(PcbViewCentre& view);
void ZoomOut(PcbViewCentre& view);
void ZoomAll(PcbViewCentre& view);
void PanLeft(PcbViewCentre& view, int imageWidth);
void PanRight(PcbViewCentre& view, int imageWidth);
void PanUp(PcbViewCentre& view, int imageHeight);
void PanDown(PcbViewCentre& view, int imageHeight);
void CentreView(PcbViewCentre& view, int imageWidth, int imageHeight);
void ZoomToRectangle(PcbViewCentre& view, ViewPoint cornerA, ViewPoint cornerB, int imageWidth,
                     int imageHeight);

}  // namespace vanto
