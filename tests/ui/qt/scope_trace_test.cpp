// Drawing one signature: the point-to-pixel mapping with its rounding and
// clamping, and the closed curve through the points.
#include "ui/qt/scope_trace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ui/qt/device_curves.h"
#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_pixels.h"

namespace vanto {
namespace {

using testing::PixelsOf;

const QRgb kBlack = qRgb(0, 0, 0);
const QColor kTraceColour(255, 0, 0);

// A 178 x 178 image: half-widths 64 around (89, 89), so with a full scale
// of 1 V and 1 A every 1/128 V or A is exactly half a pixel.
constexpr int kSmall = 178;

struct RoundCase {
  float value;  // volts and amperes alike
  int pixel;
};

class PixelRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(PixelRounding, HalvesGoAwayFromZero) {
  const ScopeGeometry g = MakeScopeGeometry(kSmall, kSmall);
  const TraceScale scale = MakeTraceScale(g, 1.0f, 1.0f);
  EXPECT_EQ(PixelX(g, scale, GetParam().value), GetParam().pixel);
  EXPECT_EQ(PixelY(g, scale, GetParam().value), GetParam().pixel);
}

// 89.5 -> 90, 90.5 -> 91 (not 90 as halves-to-even would give), 88.5 -> 89.
INSTANTIATE_TEST_SUITE_P(Halves, PixelRounding,
                         ::testing::Values(RoundCase{0.5f / 64, 90}, RoundCase{1.5f / 64, 91},
                                           RoundCase{-0.5f / 64, 89}, RoundCase{0.4f / 64, 89},
                                           RoundCase{0.6f / 64, 90}, RoundCase{-1.5f / 64, 88},
                                           RoundCase{0.0f, 89}));

TEST(PixelMapping, PositiveCurrentLiesBelowTheCentre) {
  const ScopeGeometry g = MakeScopeGeometry(697, 697);
  const TraceScale scale = MakeTraceScale(g, 2.0f, 0.004f);
  EXPECT_GT(PixelY(g, scale, 0.001f), g.cy);
  EXPECT_LT(PixelY(g, scale, -0.001f), g.cy);
  EXPECT_EQ(PixelX(g, scale, 2.0f), g.right);
  EXPECT_EQ(PixelX(g, scale, -2.0f), g.left);
  EXPECT_EQ(PixelY(g, scale, 0.004f), g.bottom);
}

TEST(PixelMapping, ValuesBeyondFullScaleStopAtThePlotEdge) {
  const ScopeGeometry g = MakeScopeGeometry(697, 697);
  const TraceScale scale = MakeTraceScale(g, 1.0f, 0.001f);
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(PixelX(g, scale, 5.0f), g.right);
  EXPECT_EQ(PixelX(g, scale, -inf), g.left);
  EXPECT_EQ(PixelY(g, scale, inf), g.bottom);
  EXPECT_EQ(PixelY(g, scale, -1.0f), g.top);
  // Undefined values still land on the plot, on its left or top edge.
  EXPECT_EQ(PixelX(g, scale, std::numeric_limits<float>::quiet_NaN()), g.left);
  EXPECT_EQ(PixelY(g, scale, std::numeric_limits<float>::quiet_NaN()), g.top);
}

QImage BlackImage(int size) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

TEST(DrawTraceTest, SignatureBeyondFullScaleRunsAlongThePlotEdges) {
  // A 10 V, 10 mA capacitor loop on a 1 V, 1 mA scope.
  const Signature big = testing::CapacitorCurve({20.0, 1000.0, 160.0, 64}, 1e-6);
  QImage image = BlackImage(697);
  DrawTrace(image, 697, 697, kScopeMargin, kTraceColour, 1.0f, 0.001f, big, 64);
  const ScopeGeometry g = MakeScopeGeometry(697, 697);
  const auto pixels = PixelsOf(image, kTraceColour.rgb());
  ASSERT_FALSE(pixels.empty());
  bool onEdge[4] = {false, false, false, false};
  for (const auto& [x, y] : pixels) {
    EXPECT_TRUE(x == g.left || x == g.right || y == g.top || y == g.bottom) << x << "," << y;
    onEdge[0] = onEdge[0] || x == g.left;
    onEdge[1] = onEdge[1] || x == g.right;
    onEdge[2] = onEdge[2] || y == g.top;
    onEdge[3] = onEdge[3] || y == g.bottom;
  }
  for (const bool edge : onEdge) EXPECT_TRUE(edge);
}

TEST(DrawTraceTest, CurveIsClosedBackToTheFirstPoint) {
  // Three points of a triangle, in pixels of the 178 scope at 1 V / 1 A:
  // (89, 89), (121, 89), (121, 121).
  Signature triangle;
  triangle.pointCount = 3;
  triangle.voltage[2] = 0.5f;
  triangle.voltage[3] = 0.5f;
  triangle.current[3] = 0.5f;
  QImage image = BlackImage(kSmall);
  DrawTrace(image, kSmall, kSmall, kScopeMargin, kTraceColour, 1.0f, 1.0f, triangle, 3);
  const QRgb lit = kTraceColour.rgb();
  EXPECT_EQ(image.pixel(105, 89), lit);   // 1 -> 2
  EXPECT_EQ(image.pixel(121, 105), lit);  // 2 -> 3
  EXPECT_EQ(image.pixel(105, 105), lit);  // 3 -> 1, the closing line
  EXPECT_EQ(image.pixel(110, 95), kBlack);
  // Exactly the three sides: 33 + 33 + 33 pixels less the three shared corners.
  EXPECT_EQ(PixelsOf(image, lit).size(), 96u);
}

TEST(DrawTraceTest, DrawsOnlyTheGivenPointCount) {
  const Signature circle = testing::CapacitorCurve({1.0, 1000.0, 159.155, 64}, 1e-6);
  QImage one = BlackImage(kSmall);
  DrawTrace(one, kSmall, kSmall, kScopeMargin, kTraceColour, 1.0f, 0.001f, circle, 1);
  EXPECT_EQ(PixelsOf(one, kTraceColour.rgb()).size(), 1u);
  QImage none = BlackImage(kSmall);
  DrawTrace(none, kSmall, kSmall, kScopeMargin, kTraceColour, 1.0f, 0.001f, circle, 0);
  EXPECT_TRUE(PixelsOf(none, kTraceColour.rgb()).empty());
}

}  // namespace
}  // namespace vanto
