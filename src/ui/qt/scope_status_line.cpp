#include "ui/qt/scope_status_line.h"

#include <QPainter>

#include "ui/qt/scope_text.h"

namespace vanto {

void DrawStatusText(QImage& scopeComposite, int width, int height, int margin, const QString& text,
                    const QFont& font) {
  QPainter painter(&scopeComposite);
  painter.setFont(font);
  DrawHorizontalText(painter, width / 2 + 20, height - margin / 2 - 20, text, Qt::white);
}

}  // namespace vanto
