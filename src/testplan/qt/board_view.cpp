// Drawing the board view: photograph cut-out, markers, crosshair, prompt.
#include "testplan/qt/board_view.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vanto {
namespace {

// Fixed colours: they mean results, not a colour scheme.
const QColor kGoodColour(0, 255, 0);
const QColor kBadColour(255, 0, 0);
const QColor kUntestedColour(255, 255, 0);
const QColor kNoTestColour(115, 124, 112);
const QColor kNoSignatureColour(255, 192, 203);
const QColor kOutlineColour(0, 0, 0);
const QColor kCentreLineColour(255, 255, 255);
const QColor kPlaceholderColour(128, 128, 128);

constexpr int kPromptCentreX = 320;

const QColor* FillColour(MarkerFill fill) {
  switch (fill) {
    case MarkerFill::Good: return &kGoodColour;
    case MarkerFill::Bad: return &kBadColour;
    case MarkerFill::Untested: return &kUntestedColour;
    case MarkerFill::NoTest: return &kNoTestColour;
    case MarkerFill::NoSignature: return &kNoSignatureColour;
    case MarkerFill::None: return nullptr;
  }
  return nullptr;
}

// The rectangle x0..x1 x y0..y1 of the photograph scaled with smoothing to
// the view size. A cut-out more than four times the view's size is taken
// from a reduction of the photograph at least twice the view's size, its
// edges rounded outward to the reduction's pixels (under half a view
// pixel). The cut-out is read in place, not copied first.
QImage ScaledCutOut(Photograph& photograph, const PcbWindow& window, QSize viewSize) {
  const int width = window.x1 - window.x0;
  const int height = window.y1 - window.y0;
  int level = 0;
  while (level < Photograph::kMaxLevel && (width >> (level + 1)) >= 2 * viewSize.width() &&
         (height >> (level + 1)) >= 2 * viewSize.height()) {
    ++level;
  }
  const QImage& source = photograph.Level(level);
  const int step = 1 << level;
  const int x0 = std::min(window.x0 / step, source.width() - 1);
  const int y0 = std::min(window.y0 / step, source.height() - 1);
  const int x1 = std::clamp((window.x1 + step - 1) / step, x0 + 1, source.width());
  const int y1 = std::clamp((window.y1 + step - 1) / step, y0 + 1, source.height());

  const uchar* first = source.constBits() + static_cast<qsizetype>(y0) * source.bytesPerLine() +
                       static_cast<qsizetype>(x0) * 4;
  const QImage cutOut(first, x1 - x0, y1 - y0, source.bytesPerLine(), source.format());
  QImage scaled = cutOut.scaled(viewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // A cut-out already at the view size comes back sharing the photograph's
  // memory; the view image must own its pixels.
  scaled.bits();
  return scaled.convertToFormat(QImage::Format_RGB32);
}

// Markers and lines are axis-aligned spans of whole pixels: written
// straight into the 32-bit image, clipped to it. A whole-board view of a
// large plan draws ten thousand markers, which per-span painter calls
// would make the slowest part of the rendering.
void FillRect(QImage& image, int left, int top, int width, int height, const QColor& colour) {
  const int x0 = std::max(left, 0);
  const int x1 = std::min(left + width, image.width());
  const int y0 = std::max(top, 0);
  const int y1 = std::min(top + height, image.height());
  if (x0 >= x1 || y0 >= y1) return;
  const QRgb pixel = colour.rgb();
  for (int y = y0; y < y1; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line + x0, line + x1, pixel);
  }
}

// A filled disc: every pixel whose centre lies within `radius` of the
// centre, one span per row.
void FillDisc(QImage& image, ViewPoint centre, int radius, const QColor& colour) {
  for (int dy = -radius; dy <= radius; ++dy) {
    const int half = static_cast<int>(std::sqrt(static_cast<double>(radius * radius - dy * dy)));
    FillRect(image, centre.x - half, centre.y + dy, 2 * half + 1, 1, colour);
  }
}

// Black rim first, then the result colour inside it; pin "1" is a square.
void DrawMarker(QImage& image, const PcbMarker& marker) {
  const int m = kMarkerSize;
  const ViewPoint c = marker.centre;
  const QColor* fill = FillColour(marker.fill);
  if (marker.square) {
    FillRect(image, c.x - m - 1, c.y - m - 1, 2 * m + 2, 2 * m + 2, kOutlineColour);
    if (fill != nullptr) FillRect(image, c.x - m, c.y - m, 2 * m, 2 * m, *fill);
  } else {
    FillDisc(image, c, m + 1, kOutlineColour);
    if (fill != nullptr) FillDisc(image, c, m, *fill);
  }
}

void HorizontalLine(QImage& image, int y, const QColor& colour) {
  FillRect(image, 0, y, image.width(), 1, colour);
}

void VerticalLine(QImage& image, int x, const QColor& colour) {
  FillRect(image, x, 0, 1, image.height(), colour);
}

QImage Placeholder(QSize size, PhotographCache& photographs) {
  if (const std::shared_ptr<Photograph> noImage = photographs.Load(kNoImagePicture)) {
    return noImage->Full()
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
  }
  QImage image(size, QImage::Format_RGB32);
  image.fill(kPlaceholderColour);
  return image;
}

}  // namespace

PcbCrosshair CrosshairFromSetting(std::string_view crosshairType) {
  return crosshairType == "3 line" ? PcbCrosshair::ThreeLine : PcbCrosshair::OneLine;
}

bool RenderPcbView(QImage& viewImage, PcbViewState& view, const TestPlan& table,
                   const PcbViewRequest& request, PcbCrosshair crosshair,
                   PhotographCache& photographs) {
  const QSize size(std::max(request.viewWidth, 1), std::max(request.viewHeight, 1));
  std::string_view imageFile = request.imageFile;
  float zoom = request.zoom;
  if (imageFile.empty()) {
    imageFile = kNoImagePicture;
    zoom = 1.0f;
  }
  const std::shared_ptr<Photograph> photograph = photographs.Load(imageFile);
  if (!photograph) {
    viewImage = Placeholder(size, photographs);
    return false;
  }

  const int imageWidth = photograph->Full().width();
  const int imageHeight = photograph->Full().height();
  view.window = view.wholeBoardView ? WholeBoardWindow(imageWidth, imageHeight)
                                    : VisibleWindow(imageWidth, imageHeight, request.centreX,
                                                    request.centreY, zoom);
  view.hasWindow = true;
  viewImage = ScaledCutOut(*photograph, view.window, size);

  const std::optional<ViewPoint> pin =
      CrosshairPosition(view.window, size.width(), size.height(), request.pinX, request.pinY);
  if (crosshair == PcbCrosshair::ThreeLine && pin) {
    HorizontalLine(viewImage, pin->y - 1, kOutlineColour);
    HorizontalLine(viewImage, pin->y + 1, kOutlineColour);
    VerticalLine(viewImage, pin->x - 1, kOutlineColour);
    VerticalLine(viewImage, pin->x + 1, kOutlineColour);
  }
  for (const PcbMarker& marker : PlanMarkers(table, view.window, size.width(), size.height())) {
    DrawMarker(viewImage, marker);
  }
  if (pin) {
    HorizontalLine(viewImage, pin->y, kCentreLineColour);
    VerticalLine(viewImage, pin->x, kCentreLineColour);
  }
  return true;
}

void DrawPrompt(QImage& viewImage, const QString& text) {
  if (viewImage.isNull()) return;
  const QString line = " " + text + " ";
  QPainter painter(&viewImage);
  const QFont font;
  painter.setFont(font);
  const QFontMetrics metrics(font, &viewImage);
  const int width = metrics.horizontalAdvance(line);
  const int left = kPromptCentreX - width / 2;
  painter.fillRect(left, 0, width, metrics.height(), Qt::white);
  painter.setPen(Qt::black);
  painter.drawText(QPoint(left, metrics.ascent()), line);
}

QImage BoardView::Render(int record, QSize size) {
  const PcbViewRequest request =
      RecordViewRequest(plan_.table, record, size.width(), size.height());
  RenderPcbView(image_, state_, plan_.table, request,
                CrosshairFromSetting(settings_.pcbCrosshairType), photographs_);
  return image_;
}

PcbClick BoardView::Click(const ViewPlacement& pane, int x, int y) {
  return PcbViewClick(state_, plan_, pane, x, y);
}

}  // namespace vanto
