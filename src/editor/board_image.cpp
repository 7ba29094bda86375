#include "editor/board_image.h"

#include <algorithm>
#include <string>

#include "editor/component_range.h"
#include "testplan/plan_cells.h"
#include "testplan/plan_files.h"

namespace vanto {

namespace {

// Half the size, at least 1 and then at most the size (0 for a
// photograph that could not be read).
int MiddleOf(int size) { return std::min(std::max(size / 2, 1), size); }

}  // namespace

void SelectBoardImage(TestPlanState& plan, EditorState& editor, FileRequester& requester,
                      PictureSizes& sizes, EditorRefresh& refresh) {
  ClampCurrentRecord(plan);
  EditorWorkingValues& working = editor.working;
  ChoosePcbImage(requester, working.pcbImageFile);
  const PictureSize size = sizes.SizeOf(working.pcbImageFile).value_or(PictureSize{});
  working.view.centreX = MiddleOf(size.width);
  working.view.centreY = MiddleOf(size.height);
  working.view.zoom = 1.0f;
  TestPlan& table = plan.table;
  table.SetCell(1, cell::kImageFile, working.pcbImageFile);
  table.SetCell(1, cell::kViewX, std::to_string(working.view.centreX));
  table.SetCell(1, cell::kViewY, std::to_string(working.view.centreY));
  table.SetCell(1, cell::kZoom, "1");
  refresh.RefreshEditor(plan, editor);
}

}  // namespace vanto
