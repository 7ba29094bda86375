// A push button whose caption is wrapped over as many lines as its size
// needs; its text() stays the caption as written. Main thread only.
#pragma once

#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vanto {

class WrappingButton final : public QPushButton {
 public:
  WrappingButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    painter.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, text());
  }
};

}  // namespace vanto
