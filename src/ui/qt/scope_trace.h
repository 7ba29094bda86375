// One signature drawn as a closed curve on a scope image: the first point
// as a pixel, a line to each following point, and a line back to the
// first. Used for the live, golden and measured traces alike.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include "signature/signature.h"
#include "ui/qt/scope_geometry.h"

namespace vanto {

// Draws points 1..pointCount (limited to the storage) of the curve with
// the painter's current state; nothing for no points.
void DrawCurve(QPainter& painter, const ScopeGeometry& geometry, const TraceScale& scale,
               const Signature& curve, int pointCount, const QColor& colour);

// The trace of the main scope and the centre mini-scope: the plot of a
// width x height image with the margin, scaled so that vFull volts and
// iFull amperes reach the plot edges. Callers pass the live point count.
void DrawTrace(QImage& target, int width, int height, int margin, const QColor& colour, float vFull,
               float iFull, const Signature& curve, int pointCount);

}  // namespace vanto
