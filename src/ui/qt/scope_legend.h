// The legend in the bottom-left corner of the main scope's plot: the three
// trace names, each in its trace's colour. Part of the static layer.
#pragma once

#include <QFont>
#include <QImage>

#include "foundation/settings.h"

namespace vanto {

inline constexpr const char* kLiveLegend = "Live Signature";
inline constexpr const char* kGoldenLegend = "Golden Signature";
inline constexpr const char* kDutLegend = "DUT Signature";

// At x = margin / 2 + 2, 54, 36 and 18 pixels above y = height - that x.
void DrawLegend(QImage& scopeBackground, int height, int margin, const Settings& settings,
                const QFont& font);

}  // namespace vanto
