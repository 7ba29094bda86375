// The twelve label texts around the main scope: full-scale current and
// voltage at the axis ends, the applied generator settings under the plot
// and, in the "Advanced" mode, the record's position and description above
// it. Rebuilt at the start of every display refresh; main thread.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "link/generator_settings.h"
#include "testplan/test_plan.h"

namespace vanto {

inline constexpr int kScopeLabelSlots = 12;

// Slots are numbered 1..12: 1-3 along the left edge, 4-6 under the plot,
// 7-9 along the right edge, 10-12 above the plot.
struct ScopeLabels {
  std::array<std::string, kScopeLabelSlots> texts;

  std::string& Slot(int number) { return texts.at(static_cast<std::size_t>(number - 1)); }
  const std::string& Slot(int number) const {
    return texts.at(static_cast<std::size_t>(number - 1));
  }
};

// appMode is "Basic", "Basic-Auto" or "Advanced"; currentPlanFile the plan
// shown, with its folder. The axis and generator labels use the applied
// (nominal) settings, so they are nominal figures.
ScopeLabels ComposeScopeLabels(std::string_view appMode, const TestPlanState& plan,
                               std::string_view currentPlanFile,
                               const GeneratorSettings& generator);

}  // namespace vanto
