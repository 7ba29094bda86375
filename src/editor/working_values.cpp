#include "editor/working_values.h"

#include <algorithm>

#include "foundation/number_text.h"
#include "testplan/plan_cells.h"

namespace vanto {

void LoadWorkingValues(const TestPlanState& plan, EditorWorkingValues& working) {
  const TestPlan& table = plan.table;
  const int row = std::clamp(plan.currentRecord, 1, RowCount(plan));
  working.view.centreX = ParseInt(table.CellView(row, cell::kViewX));
  working.view.centreY = ParseInt(table.CellView(row, cell::kViewY));
  working.view.zoom = static_cast<float>(ParseFloat(table.CellView(row, cell::kZoom)));
  working.pinX = ParseInt(table.CellView(row, cell::kTestX));
  working.pinY = ParseInt(table.CellView(row, cell::kTestY));
  working.pcbImageFile = table.Cell(1, cell::kImageFile);
}

void LoadEditorRecord(const TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  LoadWorkingValues(plan, editor.working);
  refresh.RefreshEditor(plan, editor);
}

}  // namespace vanto
