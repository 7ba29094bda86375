// The main scope's static layer by its pixels: graticule lines and dashes,
// the three crosshair modes, the outline, the Classic label ticks and the
// twelve label slots with their anchors and turned text.
#include "ui/qt/main_scope_background.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <set>
#include <vector>

#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_pixels.h"
#include "ui/qt/scope_text.h"

namespace vanto {
namespace {

using testing::CountPixels;
using testing::InkBox;
using testing::PixelsOf;
using testing::Rgb;

// The 697 x 697 main scope of a 1545-pixel window: centre (348, 348),
// half-widths 323, plot 25..671 both ways.
constexpr int kSize = 697;
constexpr int kCentre = 348;
constexpr int kLeft = 25;
constexpr int kRight = 671;
constexpr int kTop = 25;
constexpr int kBottom = 671;

class MainScopeBackground : public ::testing::Test {
 protected:
  MainScopeBackground() {
    settings.scope1GraticuleMode = "Off";
    settings.scope1CrosshairMode = "Off";
  }
  QImage Draw() {
    QImage image;
    DrawMainScopeBackground(image, kSize, kSize, labels, settings, ScopeFont());
    return image;
  }
  Settings settings = testing::DistinctColourSettings();
  ScopeLabels labels;
};

TEST_F(MainScopeBackground, GeometryOfTheMainScope) {
  const ScopeGeometry g = MakeScopeGeometry(kSize, kSize);
  EXPECT_EQ(g.cx, kCentre);
  EXPECT_EQ(g.hx, 323);
  EXPECT_EQ(g.left, kLeft);
  EXPECT_EQ(g.right, kRight);
  EXPECT_EQ(g.top, kTop);
  EXPECT_EQ(g.bottom, kBottom);
}

TEST_F(MainScopeBackground, SmallSizesAreRaisedToTen) {
  QImage image;
  DrawMainScopeBackground(image, 3, 0, labels, settings, ScopeFont());
  EXPECT_EQ(image.size(), QSize(10, 10));
}

struct GraticuleCase {
  const char* name;
  int vertical;           // divisions: horizontal lines
  int horizontal;         // divisions: vertical lines
  std::set<int> rows;     // y of the horizontal lines
  std::set<int> columns;  // x of the vertical lines
};

class Graticule : public MainScopeBackground,
                  public ::testing::WithParamInterface<GraticuleCase> {};

// Each horizontal line has a dash starting 2 pixels right of the centre,
// each vertical line one starting 2 pixels below it; scanning those two
// lines of pixels finds every graticule line once.
TEST_P(Graticule, LinesAtMultiplesOfTheSpacingFromTheCentre) {
  settings.scope1GraticuleMode = "On";
  settings.scope1VerticalDivisions = GetParam().vertical;
  settings.scope1HorizontalDivisions = GetParam().horizontal;
  const QImage image = Draw();
  const QRgb graticule = Rgb(settings.colourScope1Graticule);
  std::set<int> rows;
  std::set<int> columns;
  for (int y = 0; y < kSize; ++y) {
    if (image.pixel(kCentre + 2, y) == graticule) rows.insert(y);
  }
  for (int x = 0; x < kSize; ++x) {
    if (image.pixel(x, kCentre + 2) == graticule) columns.insert(x);
  }
  EXPECT_EQ(rows, GetParam().rows);
  EXPECT_EQ(columns, GetParam().columns);
}

// Spacing 323 / 5 = 64: nine lines each way, none on the border (25, 671).
INSTANTIATE_TEST_SUITE_P(
    Divisions, Graticule,
    ::testing::Values(
        GraticuleCase{"FiveByFive",
                      5,
                      5,
                      {92, 156, 220, 284, 348, 412, 476, 540, 604},
                      {92, 156, 220, 284, 348, 412, 476, 540, 604}},
        GraticuleCase{
            "NoVerticalDivisions", 0, 5, {}, {92, 156, 220, 284, 348, 412, 476, 540, 604}},
        GraticuleCase{"OneVerticalDivisionKeepsTheCentreLine",
                      1,
                      5,
                      {348},
                      {92, 156, 220, 284, 348, 412, 476, 540, 604}},
        GraticuleCase{"OneHorizontalDivisionDrawsNoVerticalLine",
                      5,
                      1,
                      {92, 156, 220, 284, 348, 412, 476, 540, 604},
                      {}},
        GraticuleCase{"TwoByThree", 2, 3, {187, 348, 509}, {134, 241, 348, 455, 562}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainScopeBackground, DashesAreTwoPixelsEveryFiveOutwardFromTheCentre) {
  settings.scope1GraticuleMode = "On";
  const QImage image = Draw();
  const QRgb graticule = Rgb(settings.colourScope1Graticule);
  // Rightward dashes start at cx + 2, leftward at cx - 2; each covers p, p + 1.
  std::vector<int> lit;
  // Row 220 (k = 2) crosses no dash of the centre vertical line.
  for (int x = kCentre - 9; x <= kCentre + 9; ++x) {
    if (image.pixel(x, 220) == graticule) lit.push_back(x);
  }
  EXPECT_EQ(lit, (std::vector<int>{kCentre - 7, kCentre - 6, kCentre - 2, kCentre - 1, kCentre + 2,
                                   kCentre + 3, kCentre + 7, kCentre + 8}));
  // The last rightward dash starts below the right edge: 348 + 2 + 5 * 64 = 670.
  EXPECT_EQ(image.pixel(670, 220), graticule);
  EXPECT_NE(image.pixel(672, 220), graticule);
}

TEST_F(MainScopeBackground, GraticuleOffDrawsNone) {
  settings.scope1GraticuleMode = "Off";
  EXPECT_EQ(CountPixels(Draw(), Rgb(settings.colourScope1Graticule)), 0);
}

TEST_F(MainScopeBackground, CrosshairOnIsTwoFullLinesInsideTheOutline) {
  settings.scope1CrosshairMode = "On";
  const QImage image = Draw();
  const QRgb crosshair = Rgb(settings.colourScopeXCrosshair);
  // Both lines span the plot; their end pixels lie under the outline.
  EXPECT_EQ(CountPixels(image, crosshair), 2 * (kRight - kLeft - 1) - 1);
  EXPECT_EQ(image.pixel(kLeft + 1, kCentre), crosshair);
  EXPECT_EQ(image.pixel(kRight - 1, kCentre), crosshair);
  EXPECT_EQ(image.pixel(kCentre, kTop + 1), crosshair);
  EXPECT_EQ(image.pixel(kCentre, kBottom - 1), crosshair);
}

TEST_F(MainScopeBackground, OutlineIsThePlotRectangleUnlessClassic) {
  for (const char* mode : {"On", "Off"}) {
    settings.scope1CrosshairMode = mode;
    const QImage image = Draw();
    const QRgb outline = Rgb(settings.colourScope1Outline);
    std::set<std::pair<int, int>> expected;
    for (int i = kLeft; i <= kRight; ++i) {
      expected.insert({i, kTop});
      expected.insert({i, kBottom});
      expected.insert({kLeft, i});
      expected.insert({kRight, i});
    }
    EXPECT_EQ(PixelsOf(image, outline), expected) << mode;
  }
}

TEST_F(MainScopeBackground, ClassicCrosshairHasTicksAndNoOutline) {
  settings.scope1CrosshairMode = "Classic";
  const QImage image = Draw();
  const QRgb crosshair = Rgb(settings.colourScopeXCrosshair);
  EXPECT_EQ(CountPixels(image, Rgb(settings.colourScope1Outline)), 0);
  const int q = (kRight - kLeft) / 8;  // 80
  const std::vector<std::pair<int, int>> lit = {
      {kCentre - 16, kCentre},        {kCentre + 16, kCentre},  {kCentre, kCentre - 16},
      {kCentre, kCentre + 16},        {kCentre - 16, kTop},     {kCentre + 16, kTop},
      {kCentre, kTop + 16},           {kCentre - 16, kBottom},  {kCentre, kBottom - 16},
      {kLeft, kCentre - 16},          {kLeft, kCentre + 16},    {kLeft + 16, kCentre},
      {kRight, kCentre + 16},         {kRight - 16, kCentre},   {kLeft + q, kCentre - 16},
      {kLeft + 2 * q, kCentre + 16},  {kLeft + 3 * q, kCentre}, {kRight - 3 * q, kCentre + 16},
      {kRight - 2 * q, kCentre - 16}, {kRight - q, kCentre}};
  for (const auto& [x, y] : lit) EXPECT_EQ(image.pixel(x, y), crosshair) << x << "," << y;
  const std::vector<std::pair<int, int>> dark = {
      {kCentre - 17, kCentre},  {kCentre, kTop + 17},  {kCentre + 17, kTop},
      {kLeft, kCentre - 17},    {kLeft + 17, kCentre}, {kLeft + q, kCentre + 17},
      {kLeft + q + 1, kCentre}, {kLeft, kTop},         {kCentre + 100, kBottom}};
  for (const auto& [x, y] : dark) EXPECT_NE(image.pixel(x, y), crosshair) << x << "," << y;
}

struct TickCase {
  int slot;
  std::vector<std::pair<int, int>> ends;  // the tick's two end pixels; none for no tick
};

class ClassicLabelTick : public MainScopeBackground,
                         public ::testing::WithParamInterface<TickCase> {};

TEST_P(ClassicLabelTick, FiveOutlinePixelsFromThePlotEdgeTowardTheLabel) {
  settings.scope1CrosshairMode = "Classic";
  labels.Slot(GetParam().slot) = "X";
  const auto pixels = PixelsOf(Draw(), Rgb(settings.colourScope1Outline));
  std::set<std::pair<int, int>> expected;
  if (!GetParam().ends.empty()) {
    const auto [x0, y0] = GetParam().ends[0];
    const auto [x1, y1] = GetParam().ends[1];
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
      for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) expected.insert({x, y});
    }
  }
  EXPECT_EQ(pixels, expected);
}

// Slots 1-9 and 12 get a tick; 10 and 11 (position, description) never.
INSTANTIATE_TEST_SUITE_P(
    Slots, ClassicLabelTick,
    ::testing::Values(TickCase{1, {{kLeft - 5, kTop}, {kLeft, kTop}}},
                      TickCase{2, {{kLeft - 5, kCentre}, {kLeft, kCentre}}},
                      TickCase{3, {{kLeft - 5, kBottom}, {kLeft, kBottom}}},
                      TickCase{4, {{kLeft, kBottom}, {kLeft, kBottom + 5}}},
                      TickCase{5, {{kCentre, kBottom}, {kCentre, kBottom + 5}}},
                      TickCase{6, {{kRight, kBottom}, {kRight, kBottom + 5}}},
                      TickCase{7, {{kRight + 5, kBottom}, {kRight, kBottom}}},
                      TickCase{8, {{kRight + 5, kCentre}, {kRight, kCentre}}},
                      TickCase{9, {{kRight + 5, kTop}, {kRight, kTop}}}, TickCase{10, {}},
                      TickCase{11, {}}, TickCase{12, {{kLeft, kTop}, {kLeft, kTop - 5}}}));

TEST_F(MainScopeBackground, ClassicTicksOnlyAtTheFilledAxisLabels) {
  settings.scope1CrosshairMode = "Classic";
  // What the label composer fills: current, voltage, generator, position,
  // description.
  for (const int slot : {1, 3, 4, 5, 6, 10, 11}) labels.Slot(slot) = "X";
  const auto pixels = PixelsOf(Draw(), Rgb(settings.colourScope1Outline));
  // Five 6-pixel ticks, slots 3 and 4 sharing the corner (25, 671).
  EXPECT_EQ(pixels.size(), 5u * 6u - 1u);
  EXPECT_TRUE(pixels.count({kLeft - 5, kTop}));
  EXPECT_TRUE(pixels.count({kLeft - 5, kBottom}));
  EXPECT_TRUE(pixels.count({kCentre, kBottom + 5}));
  EXPECT_FALSE(pixels.count({kLeft, kTop - 5}));
}

TEST_F(MainScopeBackground, NoLabelTicksOutsideClassic) {
  settings.scope1CrosshairMode = "On";
  for (int slot = 1; slot <= kScopeLabelSlots; ++slot) labels.Slot(slot) = "X";
  const QImage image = Draw();
  const QRgb outline = Rgb(settings.colourScope1Outline);
  EXPECT_NE(image.pixel(kLeft - 3, kTop), outline);
  EXPECT_NE(image.pixel(kCentre, kBottom + 3), outline);
}

TEST(ScopeFontTest, ArialResolvesToLiberationSans) {
  EXPECT_EQ(QFontInfo(ScopeFont()).family(), QStringLiteral("Liberation Sans"));
  EXPECT_TRUE(QFontMetrics(ScopeFont()).inFont(QChar('V')));
}

struct SlotCase {
  int slot;
  bool downward;
};

class LabelSlot : public MainScopeBackground, public ::testing::WithParamInterface<SlotCase> {
 protected:
  // Where the slot's text must lie: the anchors of the label table, with
  // the text box TW x TH (turned: TH wide, TW high, left of the anchor).
  QRect ExpectedBox(int slot, int tw, int th) const {
    const int o = 5;
    const int cx = kCentre;
    const int cy = kCentre;
    QPoint a;
    switch (slot) {
      case 1: a = {kLeft - o, kTop}; break;
      case 2: a = {kLeft - o, cy - tw / 2}; break;
      case 3: a = {kLeft - o, kBottom - tw}; break;
      case 4: a = {kLeft, kBottom + o}; break;
      case 5: a = {cx - tw / 2, kBottom + o}; break;
      case 6: a = {kRight - tw, kBottom + o}; break;
      case 7: a = {kRight + o + th, kBottom - tw}; break;
      case 8: a = {kRight + o + th, cy - tw / 2}; break;
      case 9: a = {kRight + o + th, kTop}; break;
      case 10: a = {kRight - tw, kTop - o - th}; break;
      case 11: a = {cx - tw / 2, kTop - o - th}; break;
      default: a = {kLeft, kTop - o - th}; break;
    }
    if (GetParam().downward) return QRect(a.x() - th, a.y(), th, tw);
    return QRect(a.x(), a.y(), tw, th);
  }
};

// "W" then dots: the wide letter marks where reading starts, the dots sit
// on the baseline. The ink must fill the slot's box, start at the reading
// end and, for turned text, have its baseline on the left (letter tops
// toward the plot on the left edge, away from it on the right).
TEST_P(LabelSlot, TextInkFillsTheAnchoredBoxInReadingOrder) {
  const QString text = QStringLiteral("W.........");
  labels.Slot(GetParam().slot) = text.toStdString();
  const QImage image = Draw();
  const QFontMetrics metrics(ScopeFont());
  const int tw = metrics.horizontalAdvance(text);
  const int th = metrics.height();
  const QRect box = ExpectedBox(GetParam().slot, tw, th);
  const QRgb background = Rgb(settings.colourScope1Background);
  const QRect ink = InkBox(image, {background, Rgb(settings.colourScope1Outline)});
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(box.contains(ink)) << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x"
                                 << ink.height() << " box " << box.x() << "," << box.y() << " "
                                 << box.width() << "x" << box.height();
  const int along = GetParam().downward ? ink.height() : ink.width();
  EXPECT_GE(along, tw - 4);  // the whole text, not a clipped piece

  // The far half of the reading direction holds only dots: ink near the
  // baseline, within the lower (horizontal) or left (turned) third.
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (image.pixel(x, y) == background) continue;
      if (GetParam().downward && y >= box.top() + tw / 2) {
        EXPECT_LT(x, box.left() + th / 3 + 1) << x << "," << y;
      }
      if (!GetParam().downward && x >= box.left() + tw / 2) {
        EXPECT_GT(y, box.bottom() - th / 3 - 1) << x << "," << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllTwelve, LabelSlot,
                         ::testing::Values(SlotCase{1, true}, SlotCase{2, true}, SlotCase{3, true},
                                           SlotCase{4, false}, SlotCase{5, false},
                                           SlotCase{6, false}, SlotCase{7, true}, SlotCase{8, true},
                                           SlotCase{9, true}, SlotCase{10, false},
                                           SlotCase{11, false}, SlotCase{12, false}));

TEST_F(MainScopeBackground, EmptyLabelsDrawNoText) {
  const QImage image = Draw();
  EXPECT_TRUE(
      InkBox(image, {Rgb(settings.colourScope1Background), Rgb(settings.colourScope1Outline)})
          .isEmpty());
}

}  // namespace
}  // namespace vanto
