#include "ui/qt/main_scope_background.h"

#include <QLine>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "ui/qt/scope_colour.h"
#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_text.h"

namespace vanto {
namespace {

constexpr int kDashPeriod = 5;
constexpr int kClassicTick = 16;
constexpr int kLabelOffset = 5;
constexpr int kLabelTick = 5;
// Which label slots get a short tick toward the plot in the "Classic"
// mode: never the position and description above it (10, 11).
constexpr const char* kClassicTickMask = "111111111001";

// Dashed lines drawn outward from the centre; each dash is two pixels, a
// line from p to p + 1.
void AddGraticule(std::vector<QLine>& dashes, const ScopeGeometry& g, int vertical,
                  int horizontal) {
  if (vertical > 0) {
    const int dy = (g.cy - g.top) / vertical;
    // With no spacing left every line falls on the centre one: draw it once.
    const int reach = dy == 0 ? 0 : vertical - 1;
    for (int k = -reach; k <= reach; ++k) {
      const int y = g.cy - k * dy;
      for (int x = g.cx + 2; x < g.right; x += kDashPeriod) dashes.emplace_back(x, y, x + 1, y);
      for (int x = g.cx - 2; x > g.left; x -= kDashPeriod) dashes.emplace_back(x, y, x + 1, y);
    }
  }
  if (horizontal > 1) {
    const int dx = (g.cx - g.left) / horizontal;
    const int reach = dx == 0 ? 0 : horizontal - 1;
    for (int k = -reach; k <= reach; ++k) {
      const int x = g.cx - k * dx;
      for (int y = g.cy - 2; y > g.top; y -= kDashPeriod) dashes.emplace_back(x, y, x, y + 1);
      for (int y = g.cy + 2; y < g.bottom; y += kDashPeriod) dashes.emplace_back(x, y, x, y + 1);
    }
  }
}

void AddClassicCrosshair(std::vector<QLine>& lines, const ScopeGeometry& g) {
  const int t = kClassicTick;
  const int q = (g.right - g.left) / 8;
  lines.emplace_back(g.cx - t, g.cy, g.cx + t, g.cy);
  lines.emplace_back(g.cx, g.cy - t, g.cx, g.cy + t);
  lines.emplace_back(g.cx - t, g.top, g.cx + t, g.top);
  lines.emplace_back(g.cx, g.top, g.cx, g.top + t);
  lines.emplace_back(g.cx - t, g.bottom, g.cx + t, g.bottom);
  lines.emplace_back(g.cx, g.bottom, g.cx, g.bottom - t);
  lines.emplace_back(g.left, g.cy - t, g.left, g.cy + t);
  lines.emplace_back(g.left, g.cy, g.left + t, g.cy);
  lines.emplace_back(g.right, g.cy - t, g.right, g.cy + t);
  lines.emplace_back(g.right, g.cy, g.right - t, g.cy);
  for (const int x : {g.left + q, g.left + 2 * q, g.left + 3 * q, g.right - 3 * q, g.right - 2 * q,
                      g.right - q}) {
    lines.emplace_back(x, g.cy - t, x, g.cy + t);
  }
}

void DrawLabels(QPainter& painter, const ScopeGeometry& g, const ScopeLabels& labels,
                const QColor& colour) {
  const int o = kLabelOffset;
  // Every label uses the same font, so slot 7's text height is the font's.
  const int th = TextHeight(painter);
  for (int slot = 1; slot <= kScopeLabelSlots; ++slot) {
    if (labels.Slot(slot).empty()) continue;
    const QString text = QString::fromStdString(labels.Slot(slot));
    const int tw = TextWidth(painter, text);
    switch (slot) {
      case 1: DrawDownwardText(painter, g.left - o, g.top, text, colour); break;
      case 2: DrawDownwardText(painter, g.left - o, g.cy - tw / 2, text, colour); break;
      case 3: DrawDownwardText(painter, g.left - o, g.bottom - tw, text, colour); break;
      case 4: DrawHorizontalText(painter, g.left, g.bottom + o, text, colour); break;
      case 5: DrawHorizontalText(painter, g.cx - tw / 2, g.bottom + o, text, colour); break;
      case 6: DrawHorizontalText(painter, g.right - tw, g.bottom + o, text, colour); break;
      case 7: DrawDownwardText(painter, g.right + o + th, g.bottom - tw, text, colour); break;
      case 8: DrawDownwardText(painter, g.right + o + th, g.cy - tw / 2, text, colour); break;
      case 9: DrawDownwardText(painter, g.right + o + th, g.top, text, colour); break;
      case 10: DrawHorizontalText(painter, g.right - tw, g.top - o - th, text, colour); break;
      case 11: DrawHorizontalText(painter, g.cx - tw / 2, g.top - o - th, text, colour); break;
      case 12: DrawHorizontalText(painter, g.left, g.top - o - th, text, colour); break;
      default: break;
    }
  }
}

void AddLabelTicks(std::vector<QLine>& ticks, const ScopeGeometry& g, const ScopeLabels& labels) {
  const int d = kLabelTick;
  for (int slot = 1; slot <= kScopeLabelSlots; ++slot) {
    if (labels.Slot(slot).empty() || kClassicTickMask[slot - 1] != '1') continue;
    switch (slot) {
      case 1: ticks.emplace_back(g.left - d, g.top, g.left, g.top); break;
      case 2: ticks.emplace_back(g.left - d, g.cy, g.left, g.cy); break;
      case 3: ticks.emplace_back(g.left - d, g.bottom, g.left, g.bottom); break;
      case 4: ticks.emplace_back(g.left, g.bottom, g.left, g.bottom + d); break;
      case 5: ticks.emplace_back(g.cx, g.bottom, g.cx, g.bottom + d); break;
      case 6: ticks.emplace_back(g.right, g.bottom, g.right, g.bottom + d); break;
      case 7: ticks.emplace_back(g.right + d, g.bottom, g.right, g.bottom); break;
      case 8: ticks.emplace_back(g.right + d, g.cy, g.right, g.cy); break;
      case 9: ticks.emplace_back(g.right + d, g.top, g.right, g.top); break;
      case 12: ticks.emplace_back(g.left, g.top, g.left, g.top - d); break;
      default: break;
    }
  }
}

}  // namespace

void DrawMainScopeBackground(QImage& scopeBackground, int width, int height,
                             const ScopeLabels& labels, const Settings& settings,
                             const QFont& font) {
  width = std::max(width, kMinMainScopeSize);
  height = std::max(height, kMinMainScopeSize);
  scopeBackground = QImage(width, height, QImage::Format_RGB32);
  scopeBackground.fill(ScopeColour(settings.colourScope1Background));
  const ScopeGeometry g = MakeScopeGeometry(width, height);
  const bool classic = settings.scope1CrosshairMode == "Classic";

  QPainter painter(&scopeBackground);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setFont(font);
  std::vector<QLine> lines;

  if (settings.scope1GraticuleMode == "On") {
    AddGraticule(lines, g, settings.scope1VerticalDivisions, settings.scope1HorizontalDivisions);
    painter.setPen(ScopeColour(settings.colourScope1Graticule));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
  }

  lines.clear();
  if (settings.scope1CrosshairMode == "On") {
    lines.emplace_back(g.left, g.cy, g.right, g.cy);
    lines.emplace_back(g.cx, g.top, g.cx, g.bottom);
  } else if (classic) {
    AddClassicCrosshair(lines, g);
  }
  if (!lines.empty()) {
    painter.setPen(ScopeColour(settings.colourScopeXCrosshair));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
  }

  if (!classic) {
    painter.setPen(ScopeColour(settings.colourScope1Outline));
    painter.setBrush(Qt::NoBrush);
    // A one-pixel aliased rectangle covers left..right and top..bottom.
    painter.drawRect(g.left, g.top, g.right - g.left, g.bottom - g.top);
  }

  DrawLabels(painter, g, labels, ScopeColour(settings.colourScope1Text));

  if (classic) {
    lines.clear();
    AddLabelTicks(lines, g, labels);
    if (!lines.empty()) {
      painter.setPen(ScopeColour(settings.colourScope1Outline));
      painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
  }
}

}  // namespace vanto
