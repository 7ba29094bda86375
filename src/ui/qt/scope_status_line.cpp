#include "ui/qt/scope_status_line.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_text.h"

namespace vanto {
namespace {

// The text keeps this many pixels from the plot's right edge.
constexpr int kEdgeGap = 2;
// One line may shrink by this much before it is broken instead: a broken
// line at the usual size reads better than a much smaller whole one.
constexpr int kSingleLineShrinkPixels = 2;
// Below this the text is no longer legible on the scope.
constexpr int kSmallestPixels = 9;
constexpr int kFallbackPixels = 13;

const QString kSeparator = QStringLiteral(", ");

QFont AtPixels(const QFont& font, int pixels) {
  QFont sized = font;
  sized.setPixelSize(pixels);
  return sized;
}

int PixelsOf(const QFont& font) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return font.pointSizeF() > 0 ? static_cast<int>(font.pointSizeF() * 96.0 / 72.0 + 0.5)
                               : kFallbackPixels;
}

// Pieces of the text, each but the last ending in its comma: "O/C," "Count: 0,".
QStringList Pieces(const QString& text) {
  QStringList pieces = text.split(kSeparator);
  for (qsizetype i = 0; i + 1 < pieces.size(); ++i) pieces[i] += QLatin1Char(',');
  return pieces;
}

// Greedy: as many pieces on a line as its width allows.
QStringList BreakIntoLines(const QStringList& pieces, const QFontMetrics& metrics, int roomWidth) {
  QStringList lines;
  for (const QString& piece : pieces) {
    if (!lines.isEmpty()) {
      const QString joined = lines.back() + QLatin1Char(' ') + piece;
      if (metrics.horizontalAdvance(joined) <= roomWidth) {
        lines.back() = joined;
        continue;
      }
    }
    lines.append(piece);
  }
  return lines;
}

bool Fits(const QStringList& lines, const QFontMetrics& metrics, int roomWidth, int roomHeight) {
  if (lines.size() * metrics.height() > roomHeight) return false;
  return std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
    return metrics.horizontalAdvance(line) <= roomWidth;
  });
}

}  // namespace

StatusLineFit FitStatusLine(const QString& text, const QFont& font, int roomWidth, int roomHeight) {
  const int largest = PixelsOf(font);
  const int smallest = std::min(largest, kSmallestPixels);
  for (int pixels = largest; pixels >= std::max(smallest, largest - kSingleLineShrinkPixels);
       --pixels) {
    const QFont sized = AtPixels(font, pixels);
    if (Fits({text}, QFontMetrics(sized), roomWidth, roomHeight)) return {sized, {text}};
  }
  const QStringList pieces = Pieces(text);
  for (int pixels = largest; pixels >= smallest; --pixels) {
    const QFont sized = AtPixels(font, pixels);
    const QFontMetrics metrics(sized);
    const QStringList lines = BreakIntoLines(pieces, metrics, roomWidth);
    if (Fits(lines, metrics, roomWidth, roomHeight)) return {sized, lines};
  }
  return {AtPixels(font, smallest), pieces};
}

void DrawStatusText(QImage& scopeComposite, int width, int height, int margin, const QString& text,
                    const QFont& font) {
  const int x = width / 2 + 20;
  const int y = height - margin / 2 - 20;
  // Below the line lie the plot's edge and the axis labels, so a broken
  // line grows upwards into the plot: its last line stands at the start.
  // It keeps inside the plot's right edge too.
  const ScopeGeometry plot = MakeScopeGeometry(width, height, margin);
  const int roomHeight = y + QFontMetrics(font).height() - plot.top;
  const StatusLineFit fit = FitStatusLine(text, font, plot.right - kEdgeGap - x, roomHeight);
  QPainter painter(&scopeComposite);
  painter.setFont(fit.font);
  const int lineHeight = TextHeight(painter);
  const int lines = static_cast<int>(fit.lines.size());
  for (int i = 0; i < lines; ++i) {
    DrawHorizontalText(painter, x, y - (lines - 1 - i) * lineHeight,
                       fit.lines[static_cast<qsizetype>(i)], Qt::white);
  }
}

}  // namespace vanto
