#include "editor/delete_component.h"

#include <algorithm>
#include <string>

#include "editor/component_range.h"
#include "editor/working_values.h"
#include "testplan/plan_cells.h"

namespace vanto {

namespace {

// The window is redrawn about sixteen times while the rows are marked,
// after every row for small components.
constexpr int kProgressSteps = 16;

}  // namespace

void DeleteComponent(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  if (plan.currentRecord <= 1) return;
  const ComponentRange range = FindComponentRange(plan);
  plan.currentRecord = range.first;
  std::string& prompt = editor.placement.editorPrompt;

  const int span = range.last - range.first;
  const int interval = span > kProgressSteps ? span / kProgressSteps : 0;
  int counter = 0;
  for (int r = range.first; r <= range.last; ++r) {
    // Marked rows leave the board view at once.
    plan.table.SetCell(r, cell::kRecord, cell::kDeleteMark);
    prompt = kDeletingPrompt + std::to_string(r) + kDeletingPromptEnd;
    if (++counter > interval) {
      refresh.RefreshEditor(plan, editor);
      counter = 0;
    }
  }
  prompt = kDeleteDonePrompt;
  refresh.RefreshEditor(plan, editor);

  // One deletion removes at most kMaxRowsPerChange rows; a longer
  // component goes in several, so none of its marked rows stays.
  for (int remaining = span + 1; remaining > 0; remaining -= kMaxRowsPerChange) {
    DeleteRecords(plan, std::min(remaining, kMaxRowsPerChange));
  }
  RenumberRecords(plan);

  prompt = kDataRebuiltPrompt;
  refresh.RefreshEditor(plan, editor);
  refresh.RefreshEditor(plan, editor);
  prompt.clear();
  refresh.RefreshEditor(plan, editor);
  // The record after the deleted component, or the new last row.
  plan.currentRecord = std::min(range.first, RowCount(plan));
  LoadEditorRecord(plan, editor, refresh);
}

}  // namespace vanto
