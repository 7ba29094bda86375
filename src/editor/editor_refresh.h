// What the editor's commands need of its window: rewriting the grid and
// redrawing the photograph with the prompt from the state. Tests record
// each refresh instead.
#pragma once

#include "editor/editor_state.h"
#include "testplan/test_plan.h"

namespace vanto {

class EditorRefresh {
 public:
  virtual ~EditorRefresh() = default;
  virtual void RefreshEditor(const TestPlanState& plan, const EditorState& editor) = 0;
};

}  // namespace vanto
