#include "ui/qt/scope_legend.h"

#include <QPainter>

#include "ui/qt/scope_colour.h"
#include "ui/qt/scope_text.h"

namespace vanto {

void DrawLegend(QImage& scopeBackground, int height, int margin, const Settings& settings,
                const QFont& font) {
  const int x = margin / 2 + 2;
  const int baseY = height - x;
  QPainter painter(&scopeBackground);
  painter.setFont(font);
  DrawHorizontalText(painter, x, baseY - 54, QString::fromLatin1(kLiveLegend),
                     ScopeColour(settings.colourScopeXTraceLiveSig));
  DrawHorizontalText(painter, x, baseY - 36, QString::fromLatin1(kGoldenLegend),
                     ScopeColour(settings.colourScopeXTraceGoldenSig));
  DrawHorizontalText(painter, x, baseY - 18, QString::fromLatin1(kDutLegend),
                     ScopeColour(settings.colourScopeXTraceDutSig));
}

}  // namespace vanto
