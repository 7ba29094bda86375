// What the editor tests share: a plan of named components, the refreshes
// the window would have drawn, and messages shown into recorded boxes in
// a working folder of the test's own.
#pragma once

#include <string>
#include <vector>

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "foundation/messages.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"
#include "testplan/test_plan.h"

namespace vanto::testing {

// One refresh as the window would draw it.
struct RecordedRefresh {
  std::string prompt;
  int currentRecord = 0;
  int rows = 0;
  int markedRows = 0;  // rows whose Record cell holds the "delete" mark
};

class RecordingRefresh final : public EditorRefresh {
 public:
  void RefreshEditor(const TestPlanState& plan, const EditorState& editor) override {
    RecordedRefresh seen{editor.placement.editorPrompt, plan.currentRecord, RowCount(plan), 0};
    for (int r = 1; r <= RowCount(plan); ++r) {
      if (plan.table.CellView(r, cell::kRecord) == cell::kDeleteMark) ++seen.markedRows;
    }
    refreshes.push_back(seen);
  }
  std::vector<RecordedRefresh> refreshes;
};

struct EditorFixture {
  EditorFixture() : messages(clock, boxes) { NewTestPlan(plan); }

  // Appends `pins` records of `component`, pins numbered from 1, with
  // the Record cell numbered; returns the first row.
  int AddComponent(const std::string& component, int pins) {
    const int first = plan.table.Rows() + 1;
    plan.table.InsertEmptyRows(first, pins);
    for (int i = 0; i < pins; ++i) {
      const int row = first + i;
      plan.table.SetCell(row, cell::kRecord, std::to_string(row));
      plan.table.SetCell(row, cell::kComponent, component);
      plan.table.SetCell(row, cell::kPin, std::to_string(i + 1));
      plan.table.SetCell(row, 8, component + ", Pin " + std::to_string(i + 1));
    }
    return first;
  }

  std::string Cell(int row, int column) const { return plan.table.Cell(row, column); }

  TempWorkdir workdir;  // messages append to log.txt here
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages;
  TestPlanState plan;
  EditorState editor;
  RecordingRefresh refresh;
};

}  // namespace vanto::testing
