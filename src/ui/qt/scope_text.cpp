#include "ui/qt/scope_text.h"

#include <QFontMetrics>

namespace vanto {
namespace {

constexpr int kScopeFontPixels = 13;

}  // namespace

QFont ScopeFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(kScopeFontPixels);
  return font;
}

int TextWidth(const QPainter& painter, const QString& text) {
  return painter.fontMetrics().horizontalAdvance(text);
}

int TextHeight(const QPainter& painter) {
  return painter.fontMetrics().height();
}

void DrawHorizontalText(QPainter& painter, int x, int y, const QString& text,
                        const QColor& colour) {
  painter.setPen(colour);
  painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

void DrawDownwardText(QPainter& painter, int x, int y, const QString& text, const QColor& colour) {
  painter.save();
  painter.translate(x, y);
  painter.rotate(90.0);  // clockwise on screen: the text runs down the image
  painter.setPen(colour);
  painter.drawText(0, painter.fontMetrics().ascent(), text);
  painter.restore();
}

}  // namespace vanto
