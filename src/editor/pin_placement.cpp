#include "editor/pin_placement.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <utility>

#include "editor/component_range.h"
#include "editor/editor_cells.h"
#include "editor/editor_messages.h"
#include "foundation/number_text.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"

namespace vanto {

namespace {

int CountFrom(const std::string& field) {
  return std::clamp<int>(ParseInt(field), kMinTemplateCount, kMaxTemplateCount);
}

std::string PinPrompt(int pin) { return kClickOnPinNumber + std::to_string(pin); }

void EndPlacement(PlacementState& placement) {
  placement.editorPrompt.clear();
  placement.placementStep = 0;
}

// Pins of rows 1..rows.
int PinsUpToRow(const PlacementState& placement, int rows) {
  return std::accumulate(placement.rowPins.begin(), placement.rowPins.begin() + rows, 0);
}

// The next row of the inserted block. After the user moved CurrentRecord
// during a placement the block may end before the component does: then
// there is no row left to fill, and the placement ends rather than write
// beyond the plan.
bool StepToNextRow(TestPlanState& plan, PlacementState& placement) {
  if (plan.currentRecord >= RowCount(plan)) {
    EndPlacement(placement);
    return false;
  }
  ++plan.currentRecord;
  return true;
}

void PinsClick(TestPlanState& plan, EditorState& editor, ViewPoint point) {
  PlacementState& placement = editor.placement;
  if (placement.placementStep == 1) {
    placement.pinCounter = 1;
  } else if (placement.placementStep != 2) {
    EndPlacement(placement);
    return;
  }
  InsertRecordsAfter(plan, 1);
  FillPinRecord(plan, editor, plan.currentRecord, point.x, point.y);
  ++placement.pinCounter;
  if (placement.pinCounter > placement.rowPins[0]) {
    EndPlacement(placement);
    return;
  }
  placement.editorPrompt = PinPrompt(placement.pinCounter);
  placement.placementStep = 2;
}

void PinToPinClick(TestPlanState& plan, EditorState& editor, ViewPoint point) {
  PlacementState& placement = editor.placement;
  if (placement.placementStep != 1) {
    EndPlacement(placement);
    return;
  }
  InsertRecordsAfter(plan, 1);
  FillPinRecord(plan, editor, plan.currentRecord, point.x, point.y);
  const int firstPin = placement.rowPins[0];
  const int lastPin = placement.rowPins[1];
  if (firstPin == lastPin || (firstPin < lastPin && placement.pinCounter >= lastPin) ||
      (firstPin > lastPin && placement.pinCounter <= lastPin)) {
    EndPlacement(placement);
    return;
  }
  placement.pinCounter += firstPin < lastPin ? 1 : -1;
  placement.editorPrompt = PinPrompt(placement.pinCounter);
}

// Step 2j: the pins after the row's first one up to its last, which lands
// on the click; halves of the interpolation go away from zero.
void FinishRow(TestPlanState& plan, EditorState& editor, int row, ViewPoint point) {
  PlacementState& placement = editor.placement;
  const int fx = ParseInt(plan.table.CellView(plan.currentRecord, cell::kTestX));
  const int fy = ParseInt(plan.table.CellView(plan.currentRecord, cell::kTestY));
  const int pins = placement.rowPins[row - 1];
  const float steps = static_cast<float>(std::max(pins - 1, 1));
  const float dx = static_cast<float>(point.x - fx) / steps;
  const float dy = static_cast<float>(point.y - fy) / steps;
  for (int i = 1; i <= pins - 1; ++i) {
    if (!StepToNextRow(plan, placement)) return;
    const float along = static_cast<float>(i);
    FillPinRecord(plan, editor, plan.currentRecord, fx + static_cast<int>(std::lround(dx * along)),
                  fy + static_cast<int>(std::lround(dy * along)));
    ++placement.pinCounter;
  }
  if (row == RowsOf(placement.placementMode)) {
    EndPlacement(placement);
    return;
  }
  placement.editorPrompt = PinPrompt(PinsUpToRow(placement, row) + 1);
  ++placement.placementStep;
}

void RowsClick(TestPlanState& plan, EditorState& editor, ViewPoint point) {
  PlacementState& placement = editor.placement;
  const int rows = RowsOf(placement.placementMode);
  const int step = placement.placementStep;
  if (step == 1) {
    placement.pinCounter = 1;
    InsertRecordsAfter(plan, PinsUpToRow(placement, rows));
    RenumberRecords(plan);
    FillPinRecord(plan, editor, plan.currentRecord, point.x, point.y);
    placement.pinCounter = 2;
    placement.editorPrompt = PinPrompt(placement.rowPins[0]);
    placement.placementStep = 2;
  } else if (step % 2 == 0 && step / 2 <= rows) {
    FinishRow(plan, editor, step / 2, point);
  } else if (step % 2 == 1 && step / 2 <= rows - 1) {
    // The first pin of row j + 1.
    const int row = step / 2;
    if (!StepToNextRow(plan, placement)) return;
    FillPinRecord(plan, editor, plan.currentRecord, point.x, point.y);
    ++placement.pinCounter;
    placement.editorPrompt = PinPrompt(PinsUpToRow(placement, row + 1));
    ++placement.placementStep;
  } else {
    EndPlacement(placement);
  }
}

void StartPlacement(PlacementState& placement, PlacementMode mode,
                    const std::array<int, kMaxTemplateRows>& rowPins, std::string prompt) {
  placement.placementMode = mode;
  placement.rowPins = rowPins;
  placement.editorPrompt = std::move(prompt);
  placement.placementStep = 1;
}

}  // namespace

void FillPinRecord(TestPlanState& plan, EditorState& editor, int row, int x, int y) {
  TestPlan& table = plan.table;
  const std::string& name = editor.controls.componentName;
  const std::string pin = std::to_string(editor.placement.pinCounter);
  const PcbViewCentre& view = editor.working.view;
  table.SetCell(row, cell::kStatus, cell::kUntested);
  table.SetCell(row, cell::kComponent, name);
  table.SetCell(row, cell::kPin, pin);
  table.SetCell(row, cell::kDescription, name + cell::kPinSeparator + pin);
  table.SetCell(row, cell::kViewX, std::to_string(view.centreX));
  table.SetCell(row, cell::kViewY, std::to_string(view.centreY));
  table.SetCell(row, cell::kZoom, FormatFloat(view.zoom));
  table.SetCell(row, cell::kTestX, std::to_string(x));
  table.SetCell(row, cell::kTestY, std::to_string(y));
  table.SetCell(row, cell::kSignature, cell::kNo);
  editor.working.pinX = x;
  editor.working.pinY = y;
  editor.entry.testX = std::to_string(x);
  editor.entry.testY = std::to_string(y);
}

void CreateNewComponent(TestPlanState& plan, EditorState& editor, Messages& messages,
                        EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  // The new records follow the whole current component.
  plan.currentRecord = FindComponentRange(plan).last;
  const ComponentTemplate* chosen = FindTemplate(editor.controls.selectedTemplate);
  if (chosen == nullptr) return;
  const auto& fields = editor.controls.countFields;
  PlacementState& placement = editor.placement;
  std::array<int, kMaxTemplateRows> rowPins{};
  switch (chosen->kind) {
    case TemplateKind::Heading: return;
    case TemplateKind::CustomPinToPin: {
      const int firstPin = ParseInt(fields[0]);
      StartPlacement(placement, PlacementMode::PinToPin, {firstPin, ParseInt(fields[1]), 0, 0},
                     PinPrompt(firstPin));
      placement.pinCounter = firstPin;
      refresh.RefreshEditor(plan, editor);
      return;
    }
    case TemplateKind::CustomQuantity: rowPins[0] = CountFrom(fields[0]); break;
    case TemplateKind::CustomRows:
      for (int row = 0; row < RowsOf(chosen->mode); ++row) rowPins[row] = CountFrom(fields[row]);
      break;
    case TemplateKind::Fixed: rowPins = chosen->rowPins; break;
  }
  if (std::accumulate(rowPins.begin(), rowPins.end(), 0) > kMaxComponentPins) {
    messages.ShowMessage(text::kComponentTooLarge);
    return;
  }
  const bool onePin = chosen->mode == PlacementMode::Pins && rowPins[0] == 1;
  StartPlacement(placement, chosen->mode, rowPins, onePin ? kClickOnPin : PinPrompt(1));
  refresh.RefreshEditor(plan, editor);
}

void PlacePinClick(TestPlanState& plan, EditorState& editor, ViewPoint point) {
  ClampCurrentRecord(plan);
  editor.working.zoomWindowStep = 0;
  if (editor.placement.placementStep == 0) return;
  switch (editor.placement.placementMode) {
    case PlacementMode::Pins: PinsClick(plan, editor, point); break;
    case PlacementMode::PinToPin: PinToPinClick(plan, editor, point); break;
    case PlacementMode::OneRow:
    case PlacementMode::TwoRow:
    case PlacementMode::ThreeRow:
    case PlacementMode::FourRow: RowsClick(plan, editor, point); break;
  }
}

}  // namespace vanto
