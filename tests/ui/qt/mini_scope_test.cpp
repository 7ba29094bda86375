// One mini-scope by its pixels: which rows show what, the texts at their
// places, the crosshair, and the traces at the row's own stored scale.
#include "ui/qt/mini_scope.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "testplan/signature_record.h"
#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_pixels.h"
#include "ui/qt/scope_text.h"

namespace vanto {
namespace {

using testing::CountPixels;
using testing::InkBox;
using testing::Rgb;

// 231 x 231, as in a 1545-pixel window: centre (115, 115), half-widths 90.
constexpr int kSize = 231;
constexpr int kCentre = 115;
constexpr int kHalf = 90;
constexpr const char* kPlanFile = "testplans\\boards\\demo1.ept";

class MiniScope : public ::testing::Test {
 protected:
  MiniScope() {
    plan.table.InsertEmptyRows(2, 3);  // records 2..4, RowCount 4
    for (int row = 2; row <= 4; ++row) {
      plan.table.SetCell(row, 2, "2000");  // mV
      plan.table.SetCell(row, 4, "1000");  // ohms: 2 mA full scale
      plan.table.SetCell(row, 6, "500");
      plan.table.SetCell(row, 9, "Untested");
    }
  }
  QImage Draw(int row) {
    QImage image;
    DrawMiniScope(image, kSize, kSize, row, plan, kPlanFile, settings, ScopeFont());
    return image;
  }
  // A one-point curve in a slot: a single pixel at the point.
  void StoreOnePoint(int row, int slot, float volts, float amps) {
    const int base = slot == 0 ? 0 : 288;
    plan.table.SetCell(row, base + 31, "1");
    plan.table.SetCell(row, base + 32, std::to_string(volts));
    plan.table.SetCell(row, base + 33, std::to_string(amps));
  }
  // Smoothed text may overhang its advance width by a pixel.
  static bool Within(const QRect& box, const QRect& ink) {
    return box.adjusted(-1, -1, 1, 1).contains(ink);
  }
  QRect Ink(const QImage& image) const {
    return InkBox(image, {Rgb(settings.colourScope1Background)});
  }

  Settings settings = testing::DistinctColourSettings();
  TestPlanState plan;
};

TEST_F(MiniScope, RowsOutsideThePlanShowOnlyTheBackground) {
  for (const int row : {0, -4, 6, 100}) {
    const QImage image = Draw(row);
    EXPECT_EQ(image.size(), QSize(kSize, kSize));
    EXPECT_EQ(CountPixels(image, Rgb(settings.colourScope1Background)), kSize * kSize) << row;
  }
}

TEST_F(MiniScope, RowAfterTheLastShowsEndAtTheTopRight) {
  const QImage image = Draw(5);
  const QFontMetrics metrics(ScopeFont());
  const QRect box(kSize - metrics.horizontalAdvance("END"), 0, metrics.horizontalAdvance("END"),
                  metrics.height());
  const QRect ink = Ink(image);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(Within(box, ink));
  EXPECT_GE(ink.width(), box.width() - 3);
}

TEST_F(MiniScope, PlanRowShowsTheFileNameWithoutFolderCentred) {
  const QImage image = Draw(1);
  const QFontMetrics metrics(ScopeFont());
  const int tw = metrics.horizontalAdvance("demo1.ept");
  const QRect box((kSize - tw) / 2, kSize / 2, tw, metrics.height());
  const QRect ink = Ink(image);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(Within(box, ink)) << ink.x() << "," << ink.y() << " " << ink.width() << "x"
                                << ink.height() << " box " << box.x() << "," << box.y() << " "
                                << box.width() << "x" << box.height();
  EXPECT_GE(ink.width(), tw - 3);
}

TEST_F(MiniScope, RecordShowsPositionDescriptionAndSettingsAtTheirPlaces) {
  plan.table.SetCell(3, 8, "C7\xC2\xA3 Pin 2");
  settings.scopeXCrosshairMode = "Off";
  const QImage image = Draw(3);
  const QFontMetrics metrics(ScopeFont());
  const int th = metrics.height();
  const QRgb background = Rgb(settings.colourScope1Background);
  const QString position = QStringLiteral("3/4");
  const QString description = QStringLiteral("C7, Pin 2");
  const QString generator = QStringLiteral("Vpk=2V, Z=1kohms, f=500Hz");
  const int pw = metrics.horizontalAdvance(position);
  const int dw = metrics.horizontalAdvance(description);
  const int gw = metrics.horizontalAdvance(generator);
  const QRect positionBox(kSize - pw, 0, pw, th);
  const QRect descriptionBox(kSize / 2 - dw / 2, 0, dw, th);
  const QRect generatorBox(kSize / 2 - gw / 2, kSize - th, gw, th);
  // Each box has ink spanning its width; nothing is drawn anywhere else.
  for (const QRect& box : {positionBox, descriptionBox, generatorBox}) {
    const QRect ink = InkBox(image.copy(box), {background});
    EXPECT_GE(ink.width(), box.width() - 3) << box.x() << "," << box.y();
  }
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (image.pixel(x, y) == background) continue;
      const QPoint p(x, y);
      EXPECT_TRUE(Within(positionBox, QRect(p, p)) || Within(descriptionBox, QRect(p, p)) ||
                  Within(generatorBox, QRect(p, p)))
          << x << "," << y;
    }
  }
}

TEST_F(MiniScope, CrosshairFollowsItsOwnSettingWithNoOutline) {
  settings.scopeXCrosshairMode = "On";
  const QImage on = Draw(2);
  const QRgb crosshair = Rgb(settings.colourScopeXCrosshair);
  const ScopeGeometry g = MakeScopeGeometry(kSize, kSize);
  EXPECT_EQ(on.pixel(g.left, g.cy), crosshair);
  EXPECT_EQ(on.pixel(g.right, g.cy), crosshair);
  EXPECT_EQ(on.pixel(g.cx, g.top), crosshair);
  EXPECT_EQ(on.pixel(g.cx, g.bottom), crosshair);
  EXPECT_EQ(CountPixels(on, crosshair), 2 * (2 * kHalf + 1) - 1);
  EXPECT_EQ(CountPixels(on, Rgb(settings.colourScope1Outline)), 0);
  EXPECT_EQ(CountPixels(on, Rgb(settings.colourScope1Graticule)), 0);
  settings.scopeXCrosshairMode = "Off";
  EXPECT_EQ(CountPixels(Draw(2), crosshair), 0);
}

TEST_F(MiniScope, GoldenUsesTheRowsStoredScale) {
  // 2 V and 2 mA full scale: (1 V, 1 mA) lies half-way to the corner.
  StoreOnePoint(2, 0, 1.0f, 0.001f);
  const QImage image = Draw(2);
  EXPECT_EQ(image.pixel(kCentre + kHalf / 2, kCentre + kHalf / 2),
            Rgb(settings.colourScopeXTraceGoldenSig));
  EXPECT_EQ(CountPixels(image, Rgb(settings.colourScopeXTraceGoldenSig)), 1);
}

TEST_F(MiniScope, StoredZeroOhmsScalesAsTenKilohms) {
  plan.table.SetCell(2, 4, "0");
  // 2 V over 10 kohms: 0.2 mA full scale, so 0.1 mA is half-way down.
  StoreOnePoint(2, 0, 0.0f, 0.0001f);
  const QImage image = Draw(2);
  EXPECT_EQ(image.pixel(kCentre, kCentre + kHalf / 2), Rgb(settings.colourScopeXTraceGoldenSig));
}

struct MeasuredCase {
  const char* status;
  bool drawn;
};

class MiniScopeMeasured : public MiniScope, public ::testing::WithParamInterface<MeasuredCase> {};

TEST_P(MiniScopeMeasured, DrawnOnlyOnceTheRecordIsJudged) {
  plan.table.SetCell(2, 9, GetParam().status);
  StoreOnePoint(2, 0, 1.0f, 0.0f);
  StoreOnePoint(2, 1, -1.0f, -0.001f);
  const QImage image = Draw(2);
  const QRgb dut = Rgb(settings.colourScopeXTraceDutSig);
  EXPECT_EQ(image.pixel(kCentre - kHalf / 2, kCentre - kHalf / 2) == dut, GetParam().drawn);
  EXPECT_EQ(image.pixel(kCentre + kHalf / 2, kCentre), Rgb(settings.colourScopeXTraceGoldenSig));
}

INSTANTIATE_TEST_SUITE_P(Results, MiniScopeMeasured,
                         ::testing::Values(MeasuredCase{"Good", true}, MeasuredCase{"Bad", true},
                                           MeasuredCase{"Untested", false},
                                           MeasuredCase{"NoTest", false}, MeasuredCase{"", false}));

TEST_F(MiniScope, TinyOrUnplacedPanesStillGetAnImage) {
  QImage image;
  DrawMiniScope(image, 0, 0, 2, plan, kPlanFile, settings, ScopeFont());
  EXPECT_EQ(image.size(), QSize(1, 1));
}

}  // namespace
}  // namespace vanto
