// The display refresh and the scope redraw over a scope context: request
// flags, the capture flash, which traces each mode draws, the badges, the
// nine mini-scopes and the board view hook.
#include "ui/qt/scope_passes.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "testplan/signature_record.h"
#include "ui/qt/device_curves.h"
#include "ui/qt/main_scope_background.h"
#include "ui/qt/mini_scope.h"
#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_pixels.h"

namespace vanto {
namespace {

using testing::CountPixels;
using testing::Rgb;

constexpr int kMain = 697;
constexpr int kMini = 231;

QImage Solid(int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// Plain badges, one colour per kind, so a corner pixel tells which one
// was drawn.
ScopeBadges SolidBadges() {
  const auto set = [](int w, int h) {
    return BadgeSet{Solid(w, h, QColor(1, 200, 1)), Solid(w, h, QColor(200, 1, 1)),
                    Solid(w, h, QColor(200, 200, 1)), Solid(w, h, QColor(1, 1, 200)),
                    Solid(w, h, QColor(200, 1, 200))};
  };
  return ScopeBadges{set(72, 23), set(23, 23)};
}

class ScopePasses : public ::testing::Test {
 protected:
  ScopePasses() {
    generator.appliedMv = 5000.0f;
    generator.appliedOhms = 1000.0f;
    generator.appliedHz = 1000.0f;
    generator.actualOhms = 1000;
    plan.table.InsertEmptyRows(2, 6);  // records 2..7
    for (int row = 2; row <= 7; ++row) {
      StoreLiveSignature(plan.table, row, 0, testing::ResistorCurve(drive, 1000.0 * row),
                         generator);
      plan.table.SetCell(row, 30, "Yes");
      plan.table.SetCell(row, 9, "Untested");
    }
    plan.currentRecord = 4;
    context.sizes.mainScope = QSize(kMain, kMain);
    for (auto& size : context.sizes.miniScopes) size = QSize(kMini, kMini);
    context.sizes.boardView = QSize(500, 400);
  }
  void Refresh() {
    display.displayRefreshPending = true;
    ASSERT_TRUE(RefreshDisplayIfPending(context));
    ASSERT_TRUE(RedrawIfPending());
  }
  // The redraw as the dispatcher runs it: decided over the state, then
  // painted.
  ScopeRedrawState State() { return {settings, generator, connected, plan, analysis, display}; }
  bool RedrawIfPending() {
    const std::optional<ScopeRedraw> redraw = TakeScopeRedraw(State());
    if (redraw) RedrawScopes(context, *redraw);
    return redraw.has_value();
  }
  void Redraw() { RedrawScopes(context, DecideScopeRedraw(State())); }
  // Trace pixels of the plot above the legend, which uses the same colours.
  int MainPixels(std::int32_t colour) const {
    return CountPixels(context.images.mainScope.copy(25, 25, 647, 580), Rgb(colour));
  }

  testing::SourceDrive drive{5.0, 1000.0, 1000.0, 64};
  Settings settings = testing::DistinctColourSettings();
  TestPlanState plan;
  SignatureAnalysis analysis;
  GeneratorSettings generator;
  DisplayRequests display;
  std::string planFile = "plans\\board.ept";
  ScopeBadges badges = SolidBadges();
  bool connected = false;
  ScopeContext context{settings, plan, generator, display, planFile, badges};
};

TEST_F(ScopePasses, RefreshAsksForARedrawAndEachFlagIsServedOnce) {
  EXPECT_TRUE(display.displayRefreshPending);
  EXPECT_TRUE(RefreshDisplayIfPending(context));
  EXPECT_FALSE(display.displayRefreshPending);
  EXPECT_TRUE(display.scopeRedrawPending);
  EXPECT_FALSE(RefreshDisplayIfPending(context));
  EXPECT_TRUE(RedrawIfPending());
  EXPECT_FALSE(display.scopeRedrawPending);
  EXPECT_FALSE(RedrawIfPending());
  EXPECT_EQ(context.images.mainScope.size(), QSize(kMain, kMain));
  for (const QImage& mini : context.images.miniScopes) EXPECT_EQ(mini.size(), QSize(kMini, kMini));
}

TEST_F(ScopePasses, MainScopeIsBlackForExactlyThreeRedrawsAfterACapture) {
  Refresh();
  display.captureFlashCount = kCaptureFlashRedraws;
  const QRgb background = Rgb(settings.colourScope1Background);
  const QRgb black = qRgb(0, 0, 0);
  std::vector<QRgb> corners;
  std::vector<int> counts;
  for (int redraw = 0; redraw < 5; ++redraw) {
    Redraw();
    corners.push_back(context.images.mainScope.pixel(kMain - 1, kMain - 1));
    counts.push_back(display.captureFlashCount);
  }
  EXPECT_EQ(corners, (std::vector<QRgb>{black, black, black, background, background}));
  EXPECT_EQ(counts, (std::vector<int>{2, 1, 0, 0, 0}));
  // The traces are still drawn on the black base.
  display.captureFlashCount = 1;
  Redraw();
  EXPECT_GT(MainPixels(settings.colourScopeXTraceGoldenSig), 0);
  EXPECT_EQ(MainPixels(settings.colourScope1Outline), 0);
}

TEST_F(ScopePasses, AdvancedDrawsTheRecordsGoldenAndItsMeasuredOnceJudged) {
  Refresh();
  EXPECT_GT(MainPixels(settings.colourScopeXTraceGoldenSig), 0);
  EXPECT_EQ(MainPixels(settings.colourScopeXTraceDutSig), 0);
  StoreLiveSignature(plan.table, 4, 1, testing::DiodeCurve(drive), generator);
  plan.table.SetCell(4, 9, "Bad");
  Redraw();
  EXPECT_GT(MainPixels(settings.colourScopeXTraceDutSig), 0);
  // The last curve drawn is kept for the golden comparison.
  EXPECT_EQ(analysis.displaySignature.voltage, ReadSlotSignature(plan.table, 4, 1).voltage);
}

TEST_F(ScopePasses, AdvancedGoldenUsesTheAppliedFullScale) {
  // Record 4's golden is a 4 kohm resistor at 5 V through 1 kohm: its end
  // is at (4 V, 1 mA) of a (5 V, 5 mA) scope.
  Refresh();
  const ScopeGeometry g = MakeScopeGeometry(kMain, kMain);
  const int x = PixelX(g, MakeTraceScale(g, 5.0f, 0.005f), 4.0f);
  const int y = PixelY(g, MakeTraceScale(g, 5.0f, 0.005f), 0.001f);
  EXPECT_EQ(context.images.mainScope.pixel(x, y), Rgb(settings.colourScopeXTraceGoldenSig));
}

TEST_F(ScopePasses, RedrawBringsARecordPastTheEndBackToTheLast) {
  plan.currentRecord = 8;
  Refresh();
  EXPECT_EQ(plan.currentRecord, 7);
}

TEST_F(ScopePasses, BasicDrawsTheFrozenSignatures) {
  settings.mode = "Basic";
  analysis.frozenGolden = testing::CapacitorCurve(drive, 100e-9);
  analysis.frozenDut = testing::DiodeCurve(drive);
  Refresh();
  EXPECT_GT(MainPixels(settings.colourScopeXTraceGoldenSig), 0);
  EXPECT_GT(MainPixels(settings.colourScopeXTraceDutSig), 0);
}

TEST_F(ScopePasses, BasicAutoDrawsNoStoredTraces) {
  settings.mode = "Basic-Auto";
  analysis.frozenGolden = testing::CapacitorCurve(drive, 100e-9);
  Refresh();
  EXPECT_EQ(MainPixels(settings.colourScopeXTraceGoldenSig), 0);
  EXPECT_EQ(MainPixels(settings.colourScopeXTraceDutSig), 0);
}

TEST_F(ScopePasses, ConnectedDrawsLiveClassifiesAndWritesTheStatusLine) {
  settings.mode = "Basic-Auto";
  connected = true;
  analysis.liveSignature = testing::DiodeCurve(drive);
  Refresh();
  EXPECT_GT(MainPixels(settings.colourScopeXTraceLiveSig), 0);
  // Traces go on a copy: the static layer stays clean for the next frame.
  EXPECT_EQ(CountPixels(context.images.scopeBackground.copy(25, 25, 647, 580),
                        Rgb(settings.colourScopeXTraceLiveSig)),
            0);
  // A diode is no open circuit and differs from the empty reference.
  EXPECT_EQ(analysis.signatureState, SignatureState::Unstable);
  Redraw();
  EXPECT_EQ(analysis.signatureState, SignatureState::Stable);
  EXPECT_EQ(analysis.stableCycleCount, 1);
  // White status text right of the centre, on the legend's last line.
  const QImage status = context.images.mainScope.copy(kMain / 2 + 20, kMain - 25 - 20, 250, 15);
  EXPECT_GT(CountPixels(status, qRgb(255, 255, 255)), 20);
  // The centre mini-scope carries the live trace at the applied scale.
  EXPECT_GT(CountPixels(context.images.miniScopes[4], Rgb(settings.colourScopeXTraceLiveSig)), 0);
  EXPECT_EQ(CountPixels(context.images.miniScopes[3], Rgb(settings.colourScopeXTraceLiveSig)), 0);
}

TEST_F(ScopePasses, DisconnectedCentreMiniScopeIsItsStaticLayerOnly) {
  Refresh();
  EXPECT_EQ(context.images.miniScopes[4], context.images.centreMiniBackground);
  EXPECT_EQ(MainPixels(settings.colourScopeXTraceLiveSig), 0);
  EXPECT_EQ(analysis.stableCycleCount, 0);
}

TEST_F(ScopePasses, MiniScopeKShowsTheRecordFourBeforeTheCurrentPlusK) {
  plan.currentRecord = 4;
  Refresh();
  for (int k = 1; k <= kMiniScopeCount; ++k) {
    const int row = 4 - 5 + k;  // 0 .. 8: nothing, plan row, records 2..7, END
    QImage expected;
    DrawMiniScope(expected, kMini, kMini, row, plan, planFile, settings, context.font);
    if (row >= 2 && row <= 7) {
      DrawBadge(expected, BadgeImage(badges.mini, ChooseRecordBadge(plan.table, row)), 23, 23);
    }
    EXPECT_EQ(context.images.miniScopes[static_cast<std::size_t>(k - 1)], expected) << k;
  }
}

struct BadgeCase {
  const char* signature;
  const char* status;
  QRgb corner;  // pixel (0, 0); the background colour for no badge
};

class RecordBadges : public ScopePasses, public ::testing::WithParamInterface<BadgeCase> {};

TEST_P(RecordBadges, MainAndMiniScopeShowTheRecordsState) {
  plan.table.SetCell(4, 30, GetParam().signature);
  plan.table.SetCell(4, 9, GetParam().status);
  Refresh();
  const QRgb corner = GetParam().corner ? GetParam().corner : Rgb(settings.colourScope1Background);
  EXPECT_EQ(context.images.mainScope.pixel(0, 0), corner);
  EXPECT_EQ(context.images.mainScope.pixel(71, 22), corner);
  EXPECT_EQ(context.images.centreMiniBackground.pixel(0, 0), corner);
  EXPECT_EQ(context.images.centreMiniBackground.pixel(22, 22), corner);
}

INSTANTIATE_TEST_SUITE_P(States, RecordBadges,
                         ::testing::Values(BadgeCase{"Yes", "Good", qRgb(1, 200, 1)},
                                           BadgeCase{"Yes", "Bad", qRgb(200, 1, 1)},
                                           BadgeCase{"Yes", "Untested", qRgb(200, 200, 1)},
                                           BadgeCase{"Yes", "NoTest", qRgb(1, 1, 200)},
                                           BadgeCase{"No", "Good", qRgb(200, 1, 200)},
                                           BadgeCase{"", "Untested", qRgb(200, 1, 200)},
                                           BadgeCase{"Yes", "Pending", 0}));

TEST_F(ScopePasses, MainBadgeOnlyInAdvanced) {
  settings.mode = "Basic";
  Refresh();
  EXPECT_EQ(context.images.mainScope.pixel(0, 0), Rgb(settings.colourScope1Background));
}

TEST_F(ScopePasses, PlanRowAndEndRowGetNoMiniBadge) {
  plan.currentRecord = 2;  // mini-scope 4 shows the plan row
  plan.table.SetCell(1, 30, "Yes");
  plan.table.SetCell(1, 9, "Good");
  Refresh();
  EXPECT_EQ(context.images.miniScopes[3].pixel(0, 0), Rgb(settings.colourScope1Background));
}

TEST_F(ScopePasses, LegendNamesTheTracesInTheirColours) {
  Refresh();
  // Left of the plot's centre, three lines of text above the bottom edge.
  const QImage legend = context.images.mainScope.copy(27, kMain - 27 - 54, 150, 54);
  EXPECT_GT(CountPixels(legend, Rgb(settings.colourScopeXTraceLiveSig)), 10);
  EXPECT_GT(CountPixels(legend, Rgb(settings.colourScopeXTraceGoldenSig)), 10);
  EXPECT_GT(CountPixels(legend, Rgb(settings.colourScopeXTraceDutSig)), 10);
}

TEST_F(ScopePasses, BoardViewHookRunsForTheCurrentRecordOrThePlanRow) {
  std::vector<std::pair<int, QSize>> calls;
  context.renderPcbView = [&](int record, QSize size) { calls.push_back({record, size}); };
  for (const int current : {1, 5, 8}) {
    plan.currentRecord = current;
    display.displayRefreshPending = true;
    RefreshDisplayIfPending(context);
  }
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].first, 1);
  EXPECT_EQ(calls[1].first, 5);
  EXPECT_EQ(calls[1].second, QSize(500, 400));
}

TEST_F(ScopePasses, LabelsFollowTheAppliedSettingsAndTheRecord) {
  Refresh();
  EXPECT_EQ(context.labels.Slot(5), "Vpk=5V, Z=1kohms, f=1kHz");
  EXPECT_EQ(context.labels.Slot(10), "4/7");
}

}  // namespace
}  // namespace vanto
