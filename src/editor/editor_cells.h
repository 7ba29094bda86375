// The record cell that only the editor writes, besides those of
// testplan/record_cells.h and testplan/plan_cells.h.
#pragma once

namespace vanto::cell {

inline constexpr int kDescription = 8;  // component, ", Pin " and the pin
inline constexpr const char* kPinSeparator = ", Pin ";

}  // namespace vanto::cell
