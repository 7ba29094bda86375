// The static layer of the main scope: background, graticule, crosshair,
// outline and the twelve labels around the plot. Rebuilt on every display
// refresh; main thread.
#pragma once

#include <QFont>
#include <QImage>

#include "foundation/settings.h"
#include "ui/scope_labels.h"

namespace vanto {

// The smallest main scope drawn; smaller sizes are raised to it.
inline constexpr int kMinMainScopeSize = 10;

// Replaces scopeBackground with a width x height image (each raised to
// kMinMainScopeSize) drawn from the labels and the scope settings:
// "ORX_Scope1GraticuleMode", "ORX_Scope1CrosshairMode", the division
// counts and the main scope colours.
void DrawMainScopeBackground(QImage& scopeBackground, int width, int height,
                             const ScopeLabels& labels, const Settings& settings,
                             const QFont& font);

}  // namespace vanto
