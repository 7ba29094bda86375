#include "ui/qt/scope_passes.h"

#include <algorithm>

#include "foundation/mode_and_view.h"
#include "ui/qt/main_scope_background.h"
#include "ui/qt/mini_scope.h"
#include "ui/qt/scope_colour.h"
#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_legend.h"
#include "ui/qt/scope_status_line.h"
#include "ui/qt/scope_trace.h"
#include "ui/record_badge.h"

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
    DrawBadge(images.scopeBackground,
              BadgeImage(context.badges.main, ChooseRecordBadge(plan.table, current)),
              kMainBadgeWidth, kMainBadgeHeight);
  }
  DrawLegend(images.scopeBackground, mainSize.height(), kScopeMargin, settings, context.font);

  for (int k = 1; k <= kMiniScopeCount; ++k) {
    const int row = current - kCentreMiniScope + k;
    const QSize size = context.sizes.miniScopes[static_cast<std::size_t>(k - 1)];
    DrawMiniScope(images.miniScopeImage, size.width(), size.height(), row, plan,
                  context.currentPlanFile, settings, context.font);
    if (row >= 2 && row <= rows) {
      DrawBadge(images.miniScopeImage,
                BadgeImage(context.badges.mini, ChooseRecordBadge(plan.table, row)), kMiniBadgeSize,
                kMiniBadgeSize);
    }
    // Shared, not copied: the next mini-scope is drawn into a new image.
    images.miniScopes[static_cast<std::size_t>(k - 1)] = images.miniScopeImage;
    if (k == kCentreMiniScope) images.centreMiniBackground = images.miniScopeImage;
  }

  if (current >= 1 && current <= rows) RenderPcbViewStep(context, current);
}

void RedrawScopes(ScopeContext& context, const ScopeRedraw& redraw) {
  ScopeImages& images = context.images;
  const QSize mainSize = MainScopeSize(context.sizes);
  const int width = mainSize.width();
  const int height = mainSize.height();
  if (images.scopeBackground.size() != mainSize) {
    // Not refreshed at this size yet: a plain background until it is.
    images.scopeBackground = QImage(mainSize, QImage::Format_RGB32);
    images.scopeBackground.fill(ScopeColour(context.settings.colourScope1Background));
  }
  KeepBlankImage(images, mainSize);
  images.scopeComposite = redraw.mainBlank ? images.blankImage : images.scopeBackground;

  const float vFull = redraw.fullScale.volts;
  const float iFull = redraw.fullScale.amps;
  for (const ScopeTrace& trace : redraw.mainTraces) {
    DrawTrace(images.scopeComposite, width, height, kScopeMargin, ScopeColour(trace.colour), vFull,
              iFull, trace.signature, redraw.pointCount);
  }
  if (redraw.statusText) {
    DrawStatusText(images.scopeComposite, width, height, kScopeMargin,
                   QString::fromStdString(*redraw.statusText), context.font);
  }
  images.mainScope = images.scopeComposite;

  // Mini-scope 5: its static layer plus the centre trace at the applied
  // scale.
  images.scopeComposite = images.centreMiniBackground;
  if (redraw.centreTrace && !images.scopeComposite.isNull()) {
    const QSize centre = images.scopeComposite.size();
    DrawTrace(images.scopeComposite, centre.width(), centre.height(), kScopeMargin,
              ScopeColour(redraw.centreTrace->colour), vFull, iFull, redraw.centreTrace->signature,
              redraw.pointCount);
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

}  // namespace vanto
