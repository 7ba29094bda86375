#include "ui/qt/scope_passes.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "foundation/mode_and_view.h"
#include "signature/classification.h"
#include "link/generator_full_scale.h"
#include "testplan/signature_record.h"
#include "signature/status_text.h"
#include "ui/qt/main_scope_background.h"
#include "ui/qt/mini_scope.h"
#include "ui/qt/scope_colour.h"
#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_legend.h"
#include "ui/qt/scope_status_line.h"
#include "ui/qt/scope_trace.h"
#include "testplan/record_cells.h"

namespace vanto {
namespace {

constexpr int kCentreMiniScope = 5;

QSize MainScopeSize(const ScopeSizes& sizes) {
  return QSize(std::max(sizes.mainScope.width(), kMinMainScopeSize),
               std::max(sizes.mainScope.height(), kMinMainScopeSize));
}

bool IsAdvanced(const Settings& settings) {
  return ParseAppMode(settings.mode) == AppMode::Advanced;
}

void KeepBlankImage(ScopeImages& images, QSize size) {
  if (images.blankImage.size() == size) return;
  images.blankImage = QImage(size, QImage::Format_RGB32);
  images.blankImage.fill(Qt::black);
}

// The board view belongs to the board-view feature; until a renderer is
// hooked in there is nothing to draw.
void RenderPcbViewStep(ScopeContext& context, int record) {
  if (context.renderPcbView) context.renderPcbView(record, context.sizes.boardView);
}

bool IsMeasured(const TestPlan& table, int row) {
  const std::string_view result = table.CellView(row, cell::kStatus);
  return result == cell::kGood || result == cell::kBad;
}

}  // namespace

void RefreshDisplay(ScopeContext& context) {
  ScopeImages& images = context.images;
  const Settings& settings = context.settings;
  const TestPlanState& plan = context.plan;
  const int rows = RowCount(plan);
  const int current = plan.currentRecord;

  context.labels =
      ComposeScopeLabels(settings.mode, plan, context.currentPlanFile, context.generator);
  const QSize mainSize = MainScopeSize(context.sizes);
  DrawMainScopeBackground(images.scopeBackground, mainSize.width(), mainSize.height(),
                          context.labels, settings, context.font);
  KeepBlankImage(images, mainSize);
  if (current <= rows && IsAdvanced(settings)) {
    DrawBadge(images.scopeBackground, RecordBadge(context.badges.main, plan.table, current),
              kMainBadgeWidth, kMainBadgeHeight);
  }
  DrawLegend(images.scopeBackground, mainSize.height(), kScopeMargin, settings, context.font);

  for (int k = 1; k <= kMiniScopeCount; ++k) {
    const int row = current - kCentreMiniScope + k;
    const QSize size = context.sizes.miniScopes[static_cast<std::size_t>(k - 1)];
    DrawMiniScope(images.miniScopeImage, size.width(), size.height(), row, plan,
                  context.currentPlanFile, settings, context.font);
    if (row >= 2 && row <= rows) {
      DrawBadge(images.miniScopeImage, RecordBadge(context.badges.mini, plan.table, row),
                kMiniBadgeSize, kMiniBadgeSize);
    }
    // Shared, not copied: the next mini-scope is drawn into a new image.
    images.miniScopes[static_cast<std::size_t>(k - 1)] = images.miniScopeImage;
    if (k == kCentreMiniScope) images.centreMiniBackground = images.miniScopeImage;
  }

  if (current >= 1 && current <= rows) RenderPcbViewStep(context, current);
}

void RedrawScopes(ScopeContext& context) {
  ScopeImages& images = context.images;
  const Settings& settings = context.settings;
  SignatureAnalysis& analysis = context.analysis;
  TestPlanState& plan = context.plan;
  const std::optional<AppMode> mode = ParseAppMode(settings.mode);
  const int rows = RowCount(plan);

  if (mode == AppMode::Advanced) {
    const int row = std::clamp(plan.currentRecord, 1, std::max(rows, 1));
    analysis.displaySignature = ReadSlotSignature(plan.table, row, 0);
  }

  const QSize mainSize = MainScopeSize(context.sizes);
  const int width = mainSize.width();
  const int height = mainSize.height();
  if (images.scopeBackground.size() != mainSize) {
    // Not refreshed at this size yet: a plain background until it is.
    images.scopeBackground = QImage(mainSize, QImage::Format_RGB32);
    images.scopeBackground.fill(ScopeColour(settings.colourScope1Background));
  }
  KeepBlankImage(images, mainSize);
  if (context.display.captureFlashCount > 0) {
    --context.display.captureFlashCount;
    images.scopeComposite = images.blankImage;
  } else {
    images.scopeComposite = images.scopeBackground;
  }

  const float vFull = VpkVolts(context.generator);
  const float iFull = IpkAmps(context.generator);
  const int points = analysis.liveSignature.pointCount;
  const auto drawMain = [&](const Signature& curve, std::int32_t colour) {
    DrawTrace(images.scopeComposite, width, height, kScopeMargin, ScopeColour(colour), vFull, iFull,
              curve, points);
  };

  if (mode == AppMode::Basic) {
    drawMain(analysis.frozenGolden, settings.colourScopeXTraceGoldenSig);
    drawMain(analysis.frozenDut, settings.colourScopeXTraceDutSig);
  } else if (mode == AppMode::Advanced) {
    drawMain(analysis.displaySignature, settings.colourScopeXTraceGoldenSig);
    if (plan.currentRecord > rows) plan.currentRecord = rows;
    if (IsMeasured(plan.table, plan.currentRecord)) {
      analysis.displaySignature = ReadSlotSignature(plan.table, plan.currentRecord, 1);
      drawMain(analysis.displaySignature, settings.colourScopeXTraceDutSig);
    }
  }

  if (context.connected) {
    analysis.displaySignature = analysis.liveSignature;
    drawMain(analysis.displaySignature, settings.colourScopeXTraceLiveSig);
    ClassifySignature(analysis, GeneratorFullScale(context.generator), settings);
    DrawStatusText(images.scopeComposite, width, height, kScopeMargin,
                   QString::fromStdString(SignatureStatusText(analysis, settings)), context.font);
  }
  images.mainScope = images.scopeComposite;

  // Mini-scope 5: its static layer plus the live trace at the applied
  // scale. While connected the extra golden-coloured pass over
  // displaySignature is the live curve itself and is overdrawn pixel for
  // pixel, so it is left out; while disconnected nothing extra is drawn.
  images.scopeComposite = images.centreMiniBackground;
  if (context.connected && !images.scopeComposite.isNull()) {
    const QSize centre = images.scopeComposite.size();
    DrawTrace(images.scopeComposite, centre.width(), centre.height(), kScopeMargin,
              ScopeColour(settings.colourScopeXTraceLiveSig), vFull, iFull,
              analysis.displaySignature, points);
  }
  images.miniScopes[kCentreMiniScope - 1] = images.scopeComposite;
}

bool RefreshDisplayIfPending(ScopeContext& context) {
  if (!context.display.displayRefreshPending) return false;
  context.display.displayRefreshPending = false;
  context.display.scopeRedrawPending = true;
  RefreshDisplay(context);
  return true;
}

bool RedrawScopesIfPending(ScopeContext& context) {
  if (!context.display.scopeRedrawPending) return false;
  context.display.scopeRedrawPending = false;
  RedrawScopes(context);
  return true;
}

}  // namespace vanto
