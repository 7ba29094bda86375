// "Select Image": the photograph's name and whole-board view in the plan
// row.
#include "editor/board_image.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editor/editor_fixture.h"
#include "support/fake_file_requester.h"

namespace vanto {
namespace {

using testing::EditorFixture;

class TableOfSizes final : public PictureSizes {
 public:
  std::optional<PictureSize> SizeOf(const std::string& fileName) override {
    asked.push_back(fileName);
    const auto found = sizes.find(fileName);
    if (found == sizes.end()) return std::nullopt;
    return found->second;
  }
  std::map<std::string, PictureSize> sizes;
  std::vector<std::string> asked;
};

TEST(SelectBoardImage, CentresTheWholeBoardViewOnThePhotograph) {
  struct Case {
    const char* name;
    std::string answer;  // "" cancels
    PictureSize size;
    const char* file;
    const char* centreX;
    const char* centreY;
  };
  const Case cases[] = {
      {"1600 x 1200", "images/board.jpg", {1600, 1200}, "images/board.jpg", "800", "600"},
      {"odd size", "images/board.jpg", {1601, 3}, "images/board.jpg", "800", "1"},
      {"one pixel", "images/board.jpg", {1, 1}, "images/board.jpg", "1", "1"},
      {"cancel keeps the photograph", "", {1000, 500}, "images/old.png", "500", "250"},
  };
  for (const Case& c : cases) {
    EditorFixture f;
    f.AddComponent("IC1", 2);
    f.plan.currentRecord = 3;
    f.editor.working.pcbImageFile = "images/old.png";
    f.editor.working.view = {5, 6, 4.0f};
    testing::RecordingFileRequester requester;
    requester.answers.push_back(c.answer);
    TableOfSizes sizes;
    sizes.sizes[c.file] = c.size;

    SelectBoardImage(f.plan, f.editor, requester, sizes, f.refresh);

    EXPECT_EQ(requester.requests.size(), 1u) << c.name;
    EXPECT_EQ(f.Cell(1, cell::kImageFile), c.file) << c.name;
    EXPECT_EQ(f.Cell(1, cell::kViewX), c.centreX) << c.name;
    EXPECT_EQ(f.Cell(1, cell::kViewY), c.centreY) << c.name;
    EXPECT_EQ(f.Cell(1, cell::kZoom), "1") << c.name;
    EXPECT_EQ(f.editor.working.pcbImageFile, c.file) << c.name;
    EXPECT_EQ(std::to_string(f.editor.working.view.centreX), c.centreX) << c.name;
    EXPECT_EQ(std::to_string(f.editor.working.view.centreY), c.centreY) << c.name;
    EXPECT_EQ(f.editor.working.view.zoom, 1.0f) << c.name;
    EXPECT_EQ(f.plan.currentRecord, 3) << c.name;
    EXPECT_EQ(f.refresh.refreshes.size(), 1u) << c.name;
  }
}

TEST(SelectBoardImage, TheWholePhotographIsShownFromThePlanRow) {
  EditorFixture f;
  testing::RecordingFileRequester requester;
  requester.answers.push_back("images/board.jpg");
  TableOfSizes sizes;
  sizes.sizes["images/board.jpg"] = {1600, 1200};
  SelectBoardImage(f.plan, f.editor, requester, sizes, f.refresh);
  const PcbViewRequest view = RecordViewRequest(f.plan.table, 1, 640, 640);
  EXPECT_EQ(VisibleWindow(1600, 1200, view.centreX, view.centreY, view.zoom),
            (PcbWindow{0, 1600, 0, 1200, 1600, 1200}));
  EXPECT_EQ(view.imageFile, "images/board.jpg");
}

TEST(SelectBoardImage, AnUnreadablePhotographCountsAsNoPixels) {
  EditorFixture f;
  testing::RecordingFileRequester requester;
  requester.answers.push_back("images/broken.jpg");
  TableOfSizes sizes;
  SelectBoardImage(f.plan, f.editor, requester, sizes, f.refresh);
  EXPECT_EQ(sizes.asked, (std::vector<std::string>{"images/broken.jpg"}));
  EXPECT_EQ(f.Cell(1, cell::kImageFile), "images/broken.jpg");
  EXPECT_EQ(f.Cell(1, cell::kViewX), "0");
  EXPECT_EQ(f.Cell(1, cell::kViewY), "0");
  EXPECT_EQ(f.Cell(1, cell::kZoom), "1");
}

}  // namespace
}  // namespace vanto
