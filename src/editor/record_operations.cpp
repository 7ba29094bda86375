#include "editor/record_operations.h"

#include <string>

#include "editor/component_range.h"
#include "editor/editor_cells.h"
#include "editor/working_values.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"

namespace vanto {

void ManualInsertBefore(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  InsertRecordBefore(plan);
  refresh.RefreshEditor(plan, editor);
}

void ManualInsertAfter(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  InsertRecordsAfter(plan, 1);
  refresh.RefreshEditor(plan, editor);
}

void DeletePinRecord(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  if (plan.currentRecord <= 1) return;
  DeleteRecords(plan, 1);
  refresh.RefreshEditor(plan, editor);
}

void WriteEntryRow(TestPlanState& plan, EditorState& editor, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  TestPlan& table = plan.table;
  const int row = plan.currentRecord;
  const EntryRow& entry = editor.entry;
  table.SetCell(row, cell::kDescription, entry.description);
  table.SetCell(row, cell::kStatus, entry.status);
  table.SetCell(row, cell::kComponent, entry.component);
  table.SetCell(row, cell::kPin, entry.pin);
  table.SetCell(row, cell::kUserText, entry.userText);
  table.SetCell(row, cell::kViewX, entry.imageX);
  table.SetCell(row, cell::kViewY, entry.imageY);
  table.SetCell(row, cell::kZoom, entry.imageZoom);
  table.SetCell(row, cell::kTestX, entry.testX);
  table.SetCell(row, cell::kTestY, entry.testY);
  table.SetCell(row, cell::kScanSig, entry.scanSig);
  table.SetCell(row, cell::kScanCom, entry.scanCom);
  table.SetCell(row, cell::kSignature, entry.signature);
  LoadEditorRecord(plan, editor, refresh);
}

void SetComponentDescription(TestPlanState& plan, const EditorState& editor) {
  ClampCurrentRecord(plan);
  const ComponentRange range = FindComponentRange(plan);
  for (int r = range.first; r <= range.last; ++r) {
    plan.table.SetCell(r, cell::kDescription, editor.entry.description);
  }
}

void RenameComponent(TestPlanState& plan, const EditorState& editor) {
  ClampCurrentRecord(plan);
  const ComponentRange range = FindComponentRange(plan);
  const std::string& name = editor.entry.component;
  for (int r = range.first; r <= range.last; ++r) {
    plan.table.SetCell(r, cell::kComponent, name);
    plan.table.SetCell(r, cell::kDescription,
                       name + cell::kPinSeparator + plan.table.Cell(r, cell::kPin));
  }
}

void SetComponentView(TestPlanState& plan, const EditorState& editor) {
  ClampCurrentRecord(plan);
  const ComponentRange range = FindComponentRange(plan);
  for (int r = range.first; r <= range.last; ++r) {
    plan.table.SetCell(r, cell::kViewX, editor.entry.imageX);
    plan.table.SetCell(r, cell::kViewY, editor.entry.imageY);
    plan.table.SetCell(r, cell::kZoom, editor.entry.imageZoom);
  }
}

void StartMovePin(TestPlanState& plan, EditorState& editor) {
  ClampCurrentRecord(plan);
  if (plan.currentRecord <= 1) return;
  editor.working.pinX = 0;
  editor.working.pinY = 0;
  editor.placement.editorPrompt = kMovePinPrompt + plan.table.Cell(plan.currentRecord, cell::kPin);
  editor.working.movePinStep = 1;
}

void MovePinClick(TestPlanState& plan, EditorState& editor, ViewPoint point) {
  ClampCurrentRecord(plan);
  if (editor.working.movePinStep == 0) return;
  editor.working.movePinStep = 0;
  editor.placement.editorPrompt.clear();
  // The user may have stepped onto the plan row since "Move Pin": it has
  // no pin to move.
  if (plan.currentRecord <= 1) return;
  plan.table.SetCell(plan.currentRecord, cell::kTestX, std::to_string(point.x));
  plan.table.SetCell(plan.currentRecord, cell::kTestY, std::to_string(point.y));
  editor.working.pinX = point.x;
  editor.working.pinY = point.y;
}

bool QuickSave(const TestPlanState& plan, std::string_view currentPlanFile, Messages& messages) {
  return SaveTestPlan(plan, currentPlanFile, messages);
}

}  // namespace vanto
