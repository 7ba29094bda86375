// The classification status line on the main scope ("Stable, Count: ...")
// drawn over the traces on every redraw while connected. It starts at a
// fixed place right of the centre and must end inside the scope, however
// narrow the scope is: a line too long for the room is drawn smaller, and
// if that is not enough, broken after its commas onto further lines, which
// stack upwards into the plot, clear of the axis labels below it.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

namespace vanto {

// How a status text fits a room: the font it is drawn in and its lines,
// top to bottom.
struct StatusLineFit {
  QFont font;
  QStringList lines;
};

// The largest fit of `text` into roomWidth x roomHeight pixels: the whole
// text on one line at the font's size or a little smaller, else broken
// after its ", " separators, at the font's size or smaller. When nothing
// fits, the smallest size broken after every separator.
StatusLineFit FitStatusLine(const QString& text, const QFont& font, int roomWidth, int roomHeight);

// In white, starting at x = width / 2 + 20, y = height - margin / 2 - 20,
// fitted into the scope right of that point; a broken line's last line
// stands there and the others above it.
void DrawStatusText(QImage& scopeComposite, int width, int height, int margin, const QString& text,
                    const QFont& font);

}  // namespace vanto
