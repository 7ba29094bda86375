// One mini-scope: a plan row drawn small, with its position, stored
// generator settings and description, its golden signature and, once
// tested, its measured one, both at the row's own stored scale. Main
// thread; drawn on every display refresh.
#pragma once

#include <QFont>
#include <QImage>
#include <string_view>

#include "foundation/settings.h"
#include "testplan/test_plan.h"

namespace vanto {

// Stored resistance used for the scale when a row stores 0 ohms.
inline constexpr int kZeroOhmsScale = 10000;

// Replaces miniScopeImage with a width x height image (each at least one
// pixel) for plan row `row`. A record (2..RowCount) gets "r/n", its traces
// and texts; the row just past the end "END"; the plan row the plan's file
// name without its folder; any other row only the background.
void DrawMiniScope(QImage& miniScopeImage, int width, int height, int row,
                   const TestPlanState& plan, std::string_view currentPlanFile,
                   const Settings& settings, const QFont& font);

}  // namespace vanto
