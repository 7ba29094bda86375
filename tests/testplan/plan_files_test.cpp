// The recent-plan list's reordering, the three requesters' texts and the
// board photograph's name relative to the working folder.
#include "testplan/plan_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/fake_file_requester.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::RecordingFileRequester;
using testing::TempWorkdir;

RecentPlans Letters() {
  return {"a.ept", "b.ept", "c.ept", "d.ept", "e.ept", "f.ept", "g.ept", "h.ept"};
}

struct RecentCase {
  const char* name;
  RecentPlans before;
  std::string current;
  RecentListChange change;
  RecentPlans after;
};

TEST(RecentPlansTest, NamesMoveOrEnterAsTheListRules) {
  const std::vector<RecentCase> cases = {
      {"already first", Letters(), "a.ept", RecentListChange::None, Letters()},
      {"entry 3 to the top",
       Letters(),
       "c.ept",
       RecentListChange::MovedToTop,
       {"c.ept", "a.ept", "b.ept", "d.ept", "e.ept", "f.ept", "g.ept", "h.ept"}},
      {"entry 8 to the top",
       Letters(),
       "h.ept",
       RecentListChange::MovedToTop,
       {"h.ept", "a.ept", "b.ept", "c.ept", "d.ept", "e.ept", "f.ept", "g.ept"}},
      {"of two matches the lower one moves",
       {"a.ept", "x.ept", "c.ept", "d.ept", "x.ept", "f.ept", "g.ept", "h.ept"},
       "x.ept",
       RecentListChange::MovedToTop,
       {"x.ept", "a.ept", "x.ept", "c.ept", "d.ept", "f.ept", "g.ept", "h.ept"}},
      {"a new name drops entry 8",
       Letters(),
       "new.ept",
       RecentListChange::Added,
       {"new.ept", "a.ept", "b.ept", "c.ept", "d.ept", "e.ept", "f.ept", "g.ept"}},
      {"letter case counts",
       Letters(),
       "A.ept",
       RecentListChange::Added,
       {"A.ept", "a.ept", "b.ept", "c.ept", "d.ept", "e.ept", "f.ept", "g.ept"}},
      {"empty entries become untitled when a name enters",
       {"a.ept", "", "c.ept", "", "e.ept", "f.ept", "g.ept", ""},
       "new.ept",
       RecentListChange::Added,
       {"new.ept", "a.ept", "untitled.ept", "c.ept", "untitled.ept", "e.ept", "f.ept", "g.ept"}},
      {"an empty name enters as untitled",
       Letters(),
       "",
       RecentListChange::Added,
       {"untitled.ept", "a.ept", "b.ept", "c.ept", "d.ept", "e.ept", "f.ept", "g.ept"}},
      {"empty entries stay empty when a name only moves",
       {"a.ept", "", "c.ept", "d.ept", "e.ept", "f.ept", "g.ept", "h.ept"},
       "d.ept",
       RecentListChange::MovedToTop,
       {"d.ept", "a.ept", "", "c.ept", "e.ept", "f.ept", "g.ept", "h.ept"}},
      {"a Windows path is compared as text",
       {"testplans\\demo1.ept", "b.ept", "c.ept", "d.ept", "e.ept", "f.ept", "g.ept", "h.ept"},
       "testplans/demo1.ept",
       RecentListChange::Added,
       {"testplans/demo1.ept", "testplans\\demo1.ept", "b.ept", "c.ept", "d.ept", "e.ept", "f.ept",
        "g.ept"}},
  };
  for (const RecentCase& c : cases) {
    RecentPlans recent = c.before;
    EXPECT_EQ(PlaceInRecentPlans(recent, c.current), c.change) << c.name;
    EXPECT_EQ(recent, c.after) << c.name;
  }
}

TEST(PlanRequestsTest, TitlesNamesAndFiltersAreTheProgramsOwn) {
  const FileRequest open = OpenPlanRequest();
  EXPECT_EQ(open.title, "Please choose a file to open");
  EXPECT_EQ(open.initialName, "*.ept");
  EXPECT_EQ(open.filterList, "Test (*.ept)|*.ept|All files (*.*)|*.*");
  EXPECT_EQ(open.selectedFilter, 0);

  const FileRequest save = SavePlanRequest("testplans\\demo1.ept");
  EXPECT_EQ(save.title, "Please choose file to save");
  EXPECT_EQ(save.initialName, "testplans\\demo1.ept");
  EXPECT_EQ(save.filterList, "Test (*.ept)|*.ept;All files (*.*)|*.*");
  EXPECT_EQ(save.selectedFilter, 0);

  const FileRequest image = PcbImageRequest();
  EXPECT_EQ(image.title, "Please choose PCB image to open");
  EXPECT_EQ(image.initialName, "\\images\\*.jpg");
  EXPECT_EQ(image.filterList, "JPG (*.jpg)|*.jpg|PNG (*.png)|*.png|All files (*.*)|*.*");
  EXPECT_EQ(image.selectedFilter, 0);
}

TEST(PcbImageNameTest, OnlyALeadingWorkingFolderIsRemoved) {
  struct Case {
    const char* path;
    const char* stored;
  };
  const std::string prefix = "/home/bench/vanto/";
  for (const Case& c : std::vector<Case>{
           {"/home/bench/vanto/images/board.jpg", "images/board.jpg"},
           {"/home/bench/vanto/board.png", "board.png"},
           {"/home/bench/other/board.jpg", "/home/bench/other/board.jpg"},
           // Another folder's path that happens to hold the same text.
           {"/mnt/home/bench/vanto/board.jpg", "/mnt/home/bench/vanto/board.jpg"},
           {"/home/bench/vanto/x/home/bench/vanto/b.jpg", "x/home/bench/vanto/b.jpg"},
           // A different letter case is a different folder here.
           {"/home/Bench/vanto/board.jpg", "/home/Bench/vanto/board.jpg"},
           {"/home/bench/vantoX/board.jpg", "/home/bench/vantoX/board.jpg"},
       }) {
    EXPECT_EQ(RelativeToWorkingDirectory(c.path, prefix), c.stored) << c.path;
  }
  EXPECT_EQ(RelativeToWorkingDirectory("/a/b.jpg", ""), "/a/b.jpg");
}

TEST(PcbImageNameTest, ChosenPhotographIsStoredRelativeInsideTheWorkingFolder) {
  TempWorkdir workdir;
  const std::string here = std::filesystem::current_path().string();
  EXPECT_EQ(WorkingDirectoryPrefix(), here + "/");

  RecordingFileRequester requester;
  requester.answers = {here + "/images/board.jpg", "/srv/photos/board.png", ""};
  std::string pcbImageFile = "old.jpg";

  EXPECT_TRUE(ChoosePcbImage(requester, pcbImageFile));
  EXPECT_EQ(pcbImageFile, "images/board.jpg");
  EXPECT_TRUE(ChoosePcbImage(requester, pcbImageFile));
  EXPECT_EQ(pcbImageFile, "/srv/photos/board.png");
  EXPECT_FALSE(ChoosePcbImage(requester, pcbImageFile));  // cancelled
  EXPECT_EQ(pcbImageFile, "/srv/photos/board.png");

  ASSERT_EQ(requester.requests.size(), 3u);
  for (const testing::RecordedRequest& r : requester.requests) {
    EXPECT_FALSE(r.save);
    EXPECT_EQ(r.request.title, "Please choose PCB image to open");
  }
}

}  // namespace
}  // namespace vanto
