// The classification status line on the main scope ("Stable, Count: ...")
// drawn over the traces on every redraw while connected.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>

namespace vanto {

// In white, at x = width / 2 + 20, y = height - margin / 2 - 20.
void DrawStatusText(QImage& scopeComposite, int width, int height, int margin, const QString& text,
                    const QFont& font);

}  // namespace vanto
