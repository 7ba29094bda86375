// "Select Image": the board photograph of the plan and its whole-board
// view.
#pragma once

#include <optional>
#include <string>

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "foundation/file_requester.h"
#include "testplan/test_plan.h"

namespace vanto {

struct PictureSize {
  int width = 0;
  int height = 0;
};

// The size of a photograph on disk; the window reads it with the image
// decoders, tests answer from a table.
class PictureSizes {
 public:
  virtual ~PictureSizes() = default;
  virtual std::optional<PictureSize> SizeOf(const std::string& fileName) = 0;
};

// Asks for the photograph (a cancel keeps the one there was), centres the
// view on it at zoom 1 and writes name and view into the plan row. A
// photograph that cannot be read counts as 0 x 0 pixels.
void SelectBoardImage(TestPlanState& plan, EditorState& editor, FileRequester& requester,
                      PictureSizes& sizes, EditorRefresh& refresh);

}  // namespace vanto
