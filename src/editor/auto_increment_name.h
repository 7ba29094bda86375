// The next component's name after a placement: the trailing number one up
// (IC17 -> IC18, IC007 -> IC8), or "_1" appended (R -> R_1).
#pragma once

#include <string>
#include <string_view>

#include "editor/editor_state.h"

namespace vanto {

// An empty name counts as "Unknown". The trailing number is counted up in
// its digits, so it never overflows.
std::string NextComponentName(std::string_view name);

// Called by the window's loop after every pass with the placement step of
// the pass before: when a placement has just ended and the option is
// ticked, the name field gets the next name.
void AutoIncrementName(EditorState& editor, int previousPlacementStep);

}  // namespace vanto
