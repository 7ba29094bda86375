// The texts on one mini-scope, for row r of the plan: its position, and for
// a test record its stored generator settings and its description.
#pragma once

#include <string>
#include <string_view>

#include "testplan/test_plan.h"

namespace vanto {

// "r/n" for a record, "END" just past the last one, the plan's file name
// without its folder for the plan row, otherwise "".
std::string MiniScopePositionText(const TestPlanState& plan, int row,
                                  std::string_view currentPlanFile);

// The record's stored settings, e.g. "Vpk=200mV, Z=10kohms, f=1kHz";
// thousands are whole (1500 mV shows as 1V). "" for rows that are not
// records.
std::string MiniScopeGeneratorText(const TestPlanState& plan, int row);

// The record's description with "£" shown as ","; "" for rows that are not
// records. The user text is not shown.
std::string MiniScopeDescriptionText(const TestPlanState& plan, int row);

}  // namespace vanto
