// Deleting a whole component: the marked rows, the progress shown while
// marking, and the plan that remains.
#include "editor/delete_component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/editor_fixture.h"

namespace vanto {
namespace {

using testing::EditorFixture;
using testing::RecordedRefresh;

TEST(DeleteComponent, FortyPinsShowProgressEveryThirdRowThenRenumber) {
  EditorFixture f;
  f.AddComponent("IC1", 2);                 // rows 2, 3
  const int first = f.AddComponent("IC2", 40);  // rows 4..43
  f.AddComponent("IC3", 3);                 // rows 44..46
  f.plan.table.SetCell(44, cell::kTestX, "55");
  f.plan.table.SetCell(45, cell::kTestX, "77");
  f.plan.currentRecord = 20;

  DeleteComponent(f.plan, f.editor, f.refresh);

  // The interval is 39 div 16 = 2: a refresh after rows 3, 6, .. 39 of
  // the range, with all rows marked so far.
  std::vector<std::string> progress;
  std::vector<int> marked;
  const auto& seen = f.refresh.refreshes;
  for (const RecordedRefresh& r : seen) {
    if (r.prompt.starts_with("deleting")) {
      progress.push_back(r.prompt);
      marked.push_back(r.markedRows);
    }
  }
  std::vector<std::string> expectedProgress;
  std::vector<int> expectedMarked;
  for (int i = 3; i <= 39; i += 3) {
    expectedProgress.push_back("deleting Component... (record: " + std::to_string(first + i - 1) +
                               " )");
    expectedMarked.push_back(i);
  }
  EXPECT_EQ(progress, expectedProgress);
  EXPECT_EQ(marked, expectedMarked);

  // Then the end of marking, the rebuilt plan twice, the empty prompt and
  // the record now at the component's place.
  ASSERT_EQ(seen.size(), expectedProgress.size() + 5);
  const std::size_t end = expectedProgress.size();
  EXPECT_EQ(seen[end].prompt, "delete done... rebuilding data");
  EXPECT_EQ(seen[end].markedRows, 40);
  EXPECT_EQ(seen[end].rows, 46);
  EXPECT_EQ(seen[end + 1].prompt, "data rebuilt");
  EXPECT_EQ(seen[end + 1].rows, 6);
  EXPECT_EQ(seen[end + 1].markedRows, 0);
  EXPECT_EQ(seen[end + 2].prompt, "data rebuilt");
  EXPECT_EQ(seen[end + 3].prompt, "");
  EXPECT_EQ(seen[end + 4].prompt, "");

  ASSERT_EQ(RowCount(f.plan), 6);
  const char* components[] = {"", "", "IC1", "IC1", "IC3", "IC3", "IC3"};
  for (int r = 2; r <= 6; ++r) {
    EXPECT_EQ(f.Cell(r, cell::kComponent), components[r]) << r;
    EXPECT_EQ(f.Cell(r, cell::kRecord), std::to_string(r)) << r;
  }
  EXPECT_EQ(f.Cell(1, cell::kRecord), "1");
  EXPECT_EQ(f.plan.currentRecord, 4);
  EXPECT_EQ(f.editor.working.pinX, 55) << "the working values come from the new current record";
  EXPECT_EQ(f.Cell(5, cell::kTestX), "77");
}

TEST(DeleteComponent, SmallComponentsShowEveryRow) {
  EditorFixture f;
  f.AddComponent("R1", 3);
  f.plan.currentRecord = 2;
  DeleteComponent(f.plan, f.editor, f.refresh);
  std::vector<std::string> prompts;
  for (const RecordedRefresh& r : f.refresh.refreshes) prompts.push_back(r.prompt);
  EXPECT_EQ(prompts, (std::vector<std::string>{
                         "deleting Component... (record: 2 )", "deleting Component... (record: 3 )",
                         "deleting Component... (record: 4 )", "delete done... rebuilding data",
                         "data rebuilt", "data rebuilt", "", ""}));
  EXPECT_EQ(RowCount(f.plan), 1);
  EXPECT_EQ(f.plan.currentRecord, 1) << "the new last row";
}

TEST(DeleteComponent, RemovesEveryRowOfAComponentLongerThanOneDeletion) {
  EditorFixture f;
  f.AddComponent("BUS", 1500);
  f.AddComponent("IC9", 2);
  f.plan.currentRecord = 700;
  DeleteComponent(f.plan, f.editor, f.refresh);
  ASSERT_EQ(RowCount(f.plan), 3);
  EXPECT_EQ(f.Cell(2, cell::kComponent), "IC9");
  EXPECT_EQ(f.Cell(3, cell::kComponent), "IC9");
  EXPECT_EQ(f.Cell(2, cell::kRecord), "2");
  EXPECT_EQ(f.plan.currentRecord, 2);
}

TEST(DeleteComponent, LeavesThePlanRowAlone) {
  EditorFixture f;
  f.AddComponent("IC1", 2);
  f.plan.currentRecord = 1;
  DeleteComponent(f.plan, f.editor, f.refresh);
  EXPECT_EQ(RowCount(f.plan), 3);
  EXPECT_TRUE(f.refresh.refreshes.empty());
}

TEST(DeleteComponent, PastTheLastRecordDeletesTheLastComponent) {
  EditorFixture f;
  f.AddComponent("IC1", 2);
  f.AddComponent("IC2", 2);
  f.plan.currentRecord = RowCount(f.plan) + 1;
  DeleteComponent(f.plan, f.editor, f.refresh);
  ASSERT_EQ(RowCount(f.plan), 3);
  EXPECT_EQ(f.Cell(3, cell::kComponent), "IC1");
  EXPECT_EQ(f.plan.currentRecord, 3);
}

}  // namespace
}  // namespace vanto
