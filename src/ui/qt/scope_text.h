// Text on the scopes: the drawing font and the two ways a label is placed,
// horizontally or turned to read downward. Both take the anchor as the
// top-left corner of the unturned text, so a label's box is predictable
// from its width and height alone.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

namespace vanto {

// "Arial" (on Linux fontconfig gives its metric twin, Liberation Sans) at a
// fixed pixel size, so the labels do not depend on the screen resolution.
QFont ScopeFont();

// TW and TH of a text in the painter's font.
int TextWidth(const QPainter& painter, const QString& text);
int TextHeight(const QPainter& painter);

// The text occupies x..x+TW-1, y..y+TH-1.
void DrawHorizontalText(QPainter& painter, int x, int y, const QString& text, const QColor& colour);

// Turned by 270 degrees (reading downward, the tops of the letters facing
// right): the text occupies x-TH..x-1, y..y+TW-1.
void DrawDownwardText(QPainter& painter, int x, int y, const QString& text, const QColor& colour);

}  // namespace vanto
