#include "ui/qt/scope_trace.h"

#include <QLine>
#include <array>

namespace vanto {

void DrawCurve(QPainter& painter, const ScopeGeometry& geometry, const TraceScale& scale,
               const Signature& curve, int pointCount, const QColor& colour) {
  const int n = UsablePoints(pointCount);
  if (n < 1) return;
  // Separate segments, not one polyline, so each line is drawn exactly as
  // a line from the previous point to the next.
  std::array<QLine, kSignatureCapacity> segments;
  const QPoint first(PixelX(geometry, scale, curve.voltage[1]),
                     PixelY(geometry, scale, curve.current[1]));
  QPoint previous = first;
  for (int i = 2; i <= n; ++i) {
    const QPoint point(PixelX(geometry, scale, curve.voltage[i]),
                       PixelY(geometry, scale, curve.current[i]));
    segments[static_cast<std::size_t>(i - 2)] = QLine(previous, point);
    previous = point;
  }
  segments[static_cast<std::size_t>(n - 1)] = QLine(previous, first);
  painter.setPen(colour);
  painter.drawPoint(first);
  painter.drawLines(segments.data(), n);
}

void DrawTrace(QImage& target, int width, int height, int margin, const QColor& colour, float vFull,
               float iFull, const Signature& curve, int pointCount) {
  const ScopeGeometry geometry = MakeScopeGeometry(width, height, margin);
  const TraceScale scale = MakeTraceScale(geometry, vFull, iFull);
  QPainter painter(&target);
  painter.setRenderHint(QPainter::Antialiasing, false);
  DrawCurve(painter, geometry, scale, curve, pointCount, colour);
}

}  // namespace vanto
