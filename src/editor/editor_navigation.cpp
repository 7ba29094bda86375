#include "editor/editor_navigation.h"

#include <string>

#include "editor/component_range.h"
#include "editor/working_values.h"
#include "testplan/record_cells.h"

namespace vanto {

namespace {

std::string ComponentOf(const TestPlanState& plan, int row) {
  return std::string(plan.table.CellView(row, cell::kComponent));
}

// Every navigation ends so; the clamp keeps "First" on a plan without
// records from pointing at a row that does not exist.
void Arrive(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  LoadEditorRecord(plan, editor, refresh);
}

}  // namespace

void EditorPrevious(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  PreviousRecord(plan);
  Arrive(plan, editor, refresh);
}

void EditorNext(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  NextRecord(plan);
  Arrive(plan, editor, refresh);
}

void EditorPreviousComponent(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  int& current = plan.currentRecord;
  // Back to the last record of the previous component...
  const std::string start = ComponentOf(plan, current);
  while (current > 2 && ComponentOf(plan, current) == start) --current;
  // ...then to its first record: one row after the next change of name.
  const std::string previous = ComponentOf(plan, current);
  while (current > 2) {
    --current;
    if (ComponentOf(plan, current) != previous) {
      ++current;
      break;
    }
  }
  Arrive(plan, editor, refresh);
}

void EditorNextComponent(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  int& current = plan.currentRecord;
  const std::string start = ComponentOf(plan, current);
  while (current < RowCount(plan) && ComponentOf(plan, current) == start) ++current;
  Arrive(plan, editor, refresh);
}

void EditorFirst(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  plan.currentRecord = 2;
  Arrive(plan, editor, refresh);
}

void EditorLast(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  plan.currentRecord = RowCount(plan);
  Arrive(plan, editor, refresh);
}

}  // namespace vanto
