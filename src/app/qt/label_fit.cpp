#include "app/qt/label_fit.h"

#include <QFontMetrics>

namespace vanto {
namespace {

constexpr int kSmallestPixelSize = 7;

int PixelSizeOf(const QFont& font) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return QFontMetrics(font).height();
}

bool FitsWrapped(const QFont& font, const QRect& room, const QString& text) {
  const QRect needed =
      QFontMetrics(font).boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text);
  return needed.width() <= room.width() && needed.height() <= room.height();
}

}  // namespace

void ShowFittedText(QLabel& label, const QString& text, const QFont& font) {
  label.setText(text);
  const QRect room = label.contentsRect();
  if (QFontMetrics(font).horizontalAdvance(text) <= room.width()) {
    label.setWordWrap(false);
    label.setFont(font);
    label.setToolTip(QString());
    return;
  }
  label.setWordWrap(true);
  label.setToolTip(text);
  QFont smaller = font;
  for (int size = PixelSizeOf(font); size >= kSmallestPixelSize; --size) {
    smaller.setPixelSize(size);
    if (FitsWrapped(smaller, room, text)) break;
  }
  label.setFont(smaller);
}

}  // namespace vanto
