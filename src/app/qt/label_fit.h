// Fitting a text that may be longer than its label: the ribbon's status
// line is one narrow row, yet it also carries a run's outcome ("Run
// complete: 80 Good, 1 Bad, 1 NoTest"). Main thread only.
#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

namespace vanto {

// Shows `text` in `label`: at `font` on one line when it fits; otherwise
// wrapped at spaces and, if need be, at a smaller size (not below 7 px)
// until it fits the label's rectangle. The whole text is the tool tip
// whenever it does not fit on one line at `font`.
void ShowFittedText(QLabel& label, const QString& text, const QFont& font);

}  // namespace vanto
