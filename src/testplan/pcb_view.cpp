// The board view's geometry: visible window, screen positions, markers,
// clicks and the editor's navigation.
#include "testplan/pcb_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "foundation/number_text.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"

namespace vanto {
namespace {

// Far beyond any photograph, yet safe to convert to int.
constexpr float kCoordinateLimit = 1.0e9f;

float Bounded(float value) {
  if (std::isnan(value)) return 0.0f;
  return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

// Halves to the even neighbour: the window edges, zoom and pan steps.
int NearestEven(float value) {
  return static_cast<int>(std::nearbyint(Bounded(value)));
}

// Halves away from zero: screen positions and ViewToImage.
int NearestAway(float value) {
  return static_cast<int>(std::round(Bounded(value)));
}

float NavigationZoom(float zoom) {
  return std::isnan(zoom) ? 1.0f : zoom;
}

int Span(int low, int high) {
  return high - low;
}

// Steps 7 and 8 of the window computation for one axis; `size` is the
// photograph's extent on that axis, `span` the square's side.
void PlaceAxis(float centre, float span, int size, int& low, int& high) {
  low = NearestEven(centre - span / 2.0f);
  high = NearestEven(centre + span / 2.0f);
  if (low < 0) {
    low = 0;
    high = NearestEven(span);
  }
  if (high > size) {
    low = NearestEven(static_cast<float>(size) - span);
    high = size;
  }
}

// A window that rounds to nothing would divide every screen position by
// zero; it keeps one photograph pixel instead.
void KeepOnePixel(int size, int& low, int& high) {
  if (high != low || size < 1) return;
  if (high < size) {
    high = low + 1;
  } else {
    low = high - 1;
  }
}

MarkerFill FillFor(const TestPlan& table, int row) {
  if (table.CellView(row, cell::kSignature) != cell::kYes) return MarkerFill::NoSignature;
  const std::string_view status = table.CellView(row, cell::kStatus);
  if (status == cell::kGood) return MarkerFill::Good;
  if (status == cell::kBad) return MarkerFill::Bad;
  if (status == cell::kUntested) return MarkerFill::Untested;
  if (status == cell::kNoTest) return MarkerFill::NoTest;
  return MarkerFill::None;
}

void PanX(PcbViewCentre& view, int imageWidth, int direction) {
  if (imageWidth < 1) return;
  const int step = NearestEven(static_cast<float>(imageWidth) / LimitZoom(view.zoom) * 0.1f);
  const long long moved =
      static_cast<long long>(view.centreX) + direction * static_cast<long long>(step);
  view.centreX = static_cast<int>(std::clamp<long long>(moved, 1, imageWidth));
}

void PanY(PcbViewCentre& view, int imageHeight, int direction) {
  if (imageHeight < 1) return;
  const int step = NearestEven(static_cast<float>(imageHeight) / LimitZoom(view.zoom) * 0.1f);
  const long long moved =
      static_cast<long long>(view.centreY) + direction * static_cast<long long>(step);
  view.centreY = static_cast<int>(std::clamp<long long>(moved, 1, imageHeight));
}

}  // namespace

PcbViewRequest RecordViewRequest(const TestPlan& table, int record, int viewWidth, int viewHeight) {
  PcbViewRequest request;
  request.viewWidth = viewWidth;
  request.viewHeight = viewHeight;
  request.centreX = ParseInt(table.CellView(record, cell::kViewX));
  request.centreY = ParseInt(table.CellView(record, cell::kViewY));
  request.zoom = static_cast<float>(ParseFloat(table.CellView(record, cell::kZoom)));
  request.pinX = ParseInt(table.CellView(record, cell::kTestX));
  request.pinY = ParseInt(table.CellView(record, cell::kTestY));
  request.imageFile = table.Cell(1, cell::kImageFile);
  return request;
}

float LimitZoom(float zoom) {
  if (std::isnan(zoom)) return 1.0f;
  return std::clamp(zoom, kMinZoom, kMaxZoom);
}

PcbWindow VisibleWindow(int imageWidth, int imageHeight, int centreX, int centreY, float zoom) {
  PcbWindow window;
  window.imageWidth = imageWidth;
  window.imageHeight = imageHeight;
  const float side = static_cast<float>(imageWidth >= imageHeight ? imageWidth : imageHeight);
  const float span = side / LimitZoom(zoom);
  PlaceAxis(static_cast<float>(centreX), span, imageWidth, window.x0, window.x1);
  PlaceAxis(static_cast<float>(centreY), span, imageHeight, window.y0, window.y1);
  window.x0 = std::max(window.x0, 0);
  window.x1 = std::max(window.x1, 0);
  window.y0 = std::max(window.y0, 0);
  window.y1 = std::max(window.y1, 0);
  if (window.x1 < window.x0) window.x0 = window.x1;
  if (window.y1 < window.y0) window.y0 = window.y1;
  KeepOnePixel(imageWidth, window.x0, window.x1);
  KeepOnePixel(imageHeight, window.y0, window.y1);
  return window;
}

PcbWindow WholeBoardWindow(int imageWidth, int imageHeight) {
  return VisibleWindow(imageWidth, imageHeight, imageWidth / 2, imageHeight / 2, 1.0f);
}

int ToScreen(int value, int low, int high, int viewSize) {
  const int span = Span(low, high);
  if (span == 0) return 0;
  const float offset = static_cast<float>(static_cast<long long>(value) - low);
  return NearestAway(offset / static_cast<float>(span) * static_cast<float>(viewSize));
}

std::optional<ViewPoint> CrosshairPosition(const PcbWindow& window, int viewWidth, int viewHeight,
                                           int pinX, int pinY) {
  const ViewPoint point{ToScreen(pinX, window.x0, window.x1, viewWidth),
                        ToScreen(pinY, window.y0, window.y1, viewHeight)};
  if (point.x < 0 || point.x > viewWidth || point.y < 0 || point.y > viewHeight)
    return std::nullopt;
  return point;
}

std::vector<PcbMarker> PlanMarkers(const TestPlan& table, const PcbWindow& window, int viewWidth,
                                   int viewHeight) {
  std::vector<PcbMarker> markers;
  for (int row = 1; row <= table.Rows(); ++row) {
    const int x = ParseInt(table.CellView(row, cell::kTestX));
    const int y = ParseInt(table.CellView(row, cell::kTestY));
    if (x < window.x0 || x > window.x1 || y < window.y0 || y > window.y1) continue;
    if (table.CellView(row, cell::kRecord) == cell::kDeleteMark) continue;
    PcbMarker marker;
    marker.centre = {ToScreen(x, window.x0, window.x1, viewWidth),
                     ToScreen(y, window.y0, window.y1, viewHeight)};
    marker.square = table.CellView(row, cell::kPin) == cell::kFirstPin;
    marker.fill = FillFor(table, row);
    markers.push_back(marker);
  }
  return markers;
}

ViewPoint ViewToImage(const PcbWindow& window, const ViewPlacement& control, int mouseX,
                      int mouseY) {
  const float fx = control.width == 0
                       ? 0.0f
                       : static_cast<float>(mouseX - control.x) / static_cast<float>(control.width);
  const float fy = control.height == 0 ? 0.0f
                                       : static_cast<float>(mouseY - control.y) /
                                             static_cast<float>(control.height);
  return ViewPoint{NearestAway(static_cast<float>(window.x0) +
                               static_cast<float>(Span(window.x0, window.x1)) * fx),
                   NearestAway(static_cast<float>(window.y0) +
                               static_cast<float>(Span(window.y0, window.y1)) * fy)};
}

std::optional<int> PinNearPoint(const PcbViewState& view, const ViewPlacement& control,
                                const TestPlan& table, int mouseX, int mouseY) {
  if (!view.hasWindow) return std::nullopt;
  const ViewPoint a =
      ViewToImage(view.window, control, mouseX - kPinPickDistance, mouseY - kPinPickDistance);
  const ViewPoint b =
      ViewToImage(view.window, control, mouseX + kPinPickDistance, mouseY + kPinPickDistance);
  for (int row = 1; row <= table.Rows(); ++row) {
    const int x = ParseInt(table.CellView(row, cell::kTestX));
    if (x < a.x || x > b.x) continue;
    const int y = ParseInt(table.CellView(row, cell::kTestY));
    if (y >= a.y && y <= b.y) return row;
  }
  return std::nullopt;
}

PcbClick PcbViewClick(PcbViewState& view, TestPlanState& plan, const ViewPlacement& control,
                      int mouseX, int mouseY) {
  if (const std::optional<int> row = PinNearPoint(view, control, plan.table, mouseX, mouseY)) {
    plan.currentRecord = *row;
    view.wholeBoardView = false;
    return PcbClick::PinSelected;
  }
  view.wholeBoardView = !view.wholeBoardView;
  return PcbClick::WholeBoardToggled;
}

void ZoomIn(PcbViewCentre& view) {
  view.zoom =
      static_cast<float>(std::min(NearestEven(NavigationZoom(view.zoom)) + 1, kMaxNavigationZoom));
}

void ZoomOut(PcbViewCentre& view) {
  view.zoom = static_cast<float>(std::max(NearestEven(NavigationZoom(view.zoom)) - 1, 1));
}

void ZoomAll(PcbViewCentre& view) {
  view.zoom = 1.0f;
}

void PanLeft(PcbViewCentre& view, int imageWidth) {
  PanX(view, imageWidth, -1);
}

void PanRight(PcbViewCentre& view, int imageWidth) {
  PanX(view, imageWidth, +1);
}

void PanUp(PcbViewCentre& view, int imageHeight) {
  PanY(view, imageHeight, -1);
}

void PanDown(PcbViewCentre& view, int imageHeight) {
  PanY(view, imageHeight, +1);
}

void CentreView(PcbViewCentre& view, int imageWidth, int imageHeight) {
  if (imageWidth >= 1) view.centreX = std::clamp(imageWidth / 2, 1, imageWidth);
  if (imageHeight >= 1) view.centreY = std::clamp(imageHeight / 2, 1, imageHeight);
}

void ZoomToRectangle(PcbViewCentre& view, ViewPoint cornerA, ViewPoint cornerB, int imageWidth,
                     int imageHeight) {
  view.centreX = static_cast<int>((static_cast<long long>(cornerA.x) + cornerB.x) / 2);
  view.centreY = static_cast<int>((static_cast<long long>(cornerA.y) + cornerB.y) / 2);
  // Without a rendered photograph there is no size to fit the corners to.
  if (imageWidth < 1 || imageHeight < 1) return;
  const long long dx = std::llabs(static_cast<long long>(cornerB.x) - cornerA.x);
  const long long dy = std::llabs(static_cast<long long>(cornerB.y) - cornerA.y);
  // A zero width or height gives an infinite ratio, so the other one decides.
  const float zx = dx == 0 ? INFINITY : static_cast<float>(imageWidth) / static_cast<float>(dx);
  const float zy = dy == 0 ? INFINITY : static_cast<float>(imageHeight) / static_cast<float>(dy);
  float zoom = zy <= zx ? zy : zx;
  if (zoom > static_cast<float>(kMaxNavigationZoom)) zoom = static_cast<float>(kMaxNavigationZoom);
  view.zoom = zoom;
}

}  // namespace vanto
