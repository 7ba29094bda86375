// A plan in memory survives a bad file: a file that would make the table
// huge is refused before anything is built, a folder, a pipe or a device
// is refused like a missing file, and the table knows whether it holds
// work that no file has.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "foundation/message_texts.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"
#include "testplan/test_plan.h"

namespace vanto {
namespace {

using testing::FakeClock;
using testing::RecordingBoxes;
using testing::TempWorkdir;
using testing::WriteFile;

class PlanSafety : public ::testing::Test {
 protected:
  PlanSafety() {
    WriteFile("good.ept", "plan\r\n2,,,,,,,,Good\r\n3,,,,,,,,Bad\r\n");
    EXPECT_TRUE(LoadTestPlan(plan, "good.ept", messages));
    plan.table.SetCell(3, 9, "Good");  // a result not yet saved
    plan.currentRecord = 3;
    boxes.shown.clear();
  }

  // The plan loaded above, with its unsaved result, exactly as it was.
  void ExpectEarlierPlanKept() const {
    EXPECT_EQ(plan.table.Rows(), 3);
    EXPECT_EQ(plan.table.Columns(), kPlanColumns);
    EXPECT_EQ(plan.table.Cell(1, 1), "plan");
    EXPECT_EQ(plan.table.Cell(2, 9), "Good");
    EXPECT_EQ(plan.table.Cell(3, 9), "Good");
    EXPECT_EQ(plan.currentRecord, 3);
    EXPECT_TRUE(plan.table.HasUnsavedChanges());
  }

  std::string OnlyBox() const {
    if (boxes.shown.size() != 1u) return "boxes shown: " + std::to_string(boxes.shown.size());
    return boxes.shown[0].title + " " + boxes.shown[0].body;
  }

  TempWorkdir workdir;
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
  TestPlanState plan;
};

struct HostileFile {
  const char* name;
  std::string content;
};

class HostilePlanFile : public PlanSafety, public ::testing::WithParamInterface<HostileFile> {};

// Each of these once made the loader reserve gigabytes for a file of a few
// hundred kilobytes, or more cells than a plan may have.
TEST_P(HostilePlanFile, IsRefusedAndTheEarlierPlanStays) {
  WriteFile("hostile.ept", GetParam().content);
  EXPECT_FALSE(LoadTestPlan(plan, "hostile.ept", messages));
  EXPECT_EQ(OnlyBox(), std::string(text::kPlanTooLarge));
  ExpectEarlierPlanKept();
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostilePlanFile,
    ::testing::Values(
        // 100,000 blank lines and one of 100,000 commas: 10^10 cells.
        HostileFile{"BlankLinesAndOneWideLine",
                    std::string(100000, '\n') + std::string(100000, ',') + "\n"},
        // A short file whose one wide line would widen every row: within
        // the cell limit, but far more cells than the file has bytes.
        HostileFile{"WideLineOverManyShortOnes",
                    std::string(2000, ',') + "\n" + std::string(10000, '\n')},
        // Blank lines alone, each widened to a full plan row: more cells
        // than a plan may hold.
        HostileFile{"TooManyRows", std::string(kMaxPlanCells / kPlanColumns + 1, '\n')}),
    [](const ::testing::TestParamInfo<HostileFile>& info) { return info.param.name; });

TEST_F(PlanSafety, AWellFormedWidePlanStillLoads) {
  // Wider than a full plan on every line: one byte of file per cell.
  std::string line(999, ',');
  std::string content;
  for (int r = 0; r < 300; ++r) content += line + "\r\n";
  WriteFile("wide.ept", content);
  ASSERT_TRUE(LoadTestPlan(plan, "wide.ept", messages));
  EXPECT_EQ(plan.table.Rows(), 300);
  EXPECT_EQ(plan.table.Columns(), 1000);
  EXPECT_TRUE(boxes.shown.empty());
}

struct NotAFile {
  const char* name;
  void (*make)(const char* path);
};

class NotARegularFile : public PlanSafety, public ::testing::WithParamInterface<NotAFile> {};

TEST_P(NotARegularFile, IsRefusedLikeAMissingFile) {
  GetParam().make("odd.ept");
  EXPECT_FALSE(LoadTestPlan(plan, "odd.ept", messages));
  EXPECT_EQ(OnlyBox(), std::string(text::kCannotOpenEpt));
  ExpectEarlierPlanKept();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NotARegularFile,
    ::testing::Values(
        NotAFile{"Folder", [](const char* path) { std::filesystem::create_directory(path); }},
        NotAFile{"Pipe", [](const char* path) { ASSERT_EQ(::mkfifo(path, 0644), 0); }},
        NotAFile{"Device",
                 [](const char* path) { std::filesystem::create_symlink("/dev/zero", path); }}),
    [](const ::testing::TestParamInfo<NotAFile>& info) { return info.param.name; });

TEST(PlanUnsaved, FreshLoadedAndSavedTablesHoldNothingUnsaved) {
  TempWorkdir workdir;
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
  TestPlanState plan;
  EXPECT_FALSE(plan.table.HasUnsavedChanges());
  InsertRecordsAfter(plan, 2);
  ASSERT_TRUE(plan.table.HasUnsavedChanges());
  ASSERT_TRUE(SaveTestPlan(plan, "p.ept", messages));
  EXPECT_FALSE(plan.table.HasUnsavedChanges());
  plan.table.SetCell(2, 9, "Bad");
  ASSERT_TRUE(plan.table.HasUnsavedChanges());
  ASSERT_TRUE(LoadTestPlan(plan, "p.ept", messages));
  EXPECT_FALSE(plan.table.HasUnsavedChanges());
  plan.table.SetCell(2, 9, "Bad");
  NewTestPlan(plan);
  EXPECT_FALSE(plan.table.HasUnsavedChanges());
}

TEST(PlanUnsaved, EveryKindOfChangeMarksTheTable) {
  struct Change {
    const char* name;
    void (*apply)(TestPlanState& plan);
  };
  const Change changes[] = {
      {"result", [](TestPlanState& p) { p.table.SetCell(2, 9, "Good"); }},
      {"capture", [](TestPlanState& p) { p.table.SetCell(2, 32, "0.5"); }},
      {"emptied cell", [](TestPlanState& p) { p.table.SetCell(2, 10, ""); }},
      {"insert after", [](TestPlanState& p) { InsertRecordsAfter(p, 1); }},
      {"insert before", [](TestPlanState& p) { InsertRecordBefore(p); }},
      {"delete", [](TestPlanState& p) { DeleteRecords(p, 1); }},
      {"renumber", [](TestPlanState& p) { RenumberRecords(p); }},
  };
  for (const Change& change : changes) {
    TestPlanState plan;
    InsertRecordsAfter(plan, 2);
    plan.table.SetCell(2, 10, "IC1");
    plan.table.MarkSaved();
    plan.currentRecord = 2;
    change.apply(plan);
    EXPECT_TRUE(plan.table.HasUnsavedChanges()) << change.name;
  }
}

TEST(PlanUnsaved, WritingACellsOwnTextAgainIsNoChange) {
  TestPlanState plan;
  InsertRecordsAfter(plan, 1);
  plan.table.SetCell(2, 9, "Untested");
  plan.table.MarkSaved();
  plan.table.SetCell(2, 9, "Untested");
  plan.table.SetCell(2, 500, "");
  EXPECT_FALSE(plan.table.HasUnsavedChanges());
}

}  // namespace
}  // namespace vanto
