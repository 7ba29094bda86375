// The test plan table: its .ept file form, loading and saving with their
// failures, and the row operations with their limits.
#include "testplan/test_plan.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "foundation/message_texts.h"
#include "foundation/number_text.h"
#include "support/fakes.h"
#include "support/temp_workdir.h"

namespace vanto {
namespace {

using testing::FakeClock;
using testing::ReadFile;
using testing::RecordingBoxes;
using testing::TempWorkdir;
using testing::WriteFile;

const std::string kPound = "\xC2\xA3";  // "£" in UTF-8

std::size_t CountOf(std::string_view text, char c) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

class TestPlanFile : public ::testing::Test {
 protected:
  TempWorkdir workdir;
  FakeClock clock;
  RecordingBoxes boxes;
  Messages messages{clock, boxes};
  TestPlanState plan;
};

TEST_F(TestPlanFile, FreshPlanSavesOneLineOf575CommasAndLoadsBackAs576Columns) {
  NewTestPlan(plan);
  ASSERT_TRUE(SaveTestPlan(plan, "fresh.ept", messages));
  EXPECT_EQ(ReadFile("fresh.ept"), std::string(575, ',') + "\r\n");

  plan.table.SetCell(1, 1, "old");
  ASSERT_TRUE(LoadTestPlan(plan, "fresh.ept", messages));
  EXPECT_EQ(plan.table.Rows(), 1);
  EXPECT_EQ(plan.table.Columns(), 576);
  EXPECT_EQ(plan.table.Cell(1, 1), "");
  EXPECT_TRUE(boxes.shown.empty());
}

// The editor's record for pin 3 of IC17 in row 5, not yet captured.
void FillEditorRecord(TestPlan& table, int row) {
  table.SetCell(row, 1, std::to_string(row));
  table.SetCell(row, 8, "IC17, Pin 3");
  table.SetCell(row, 9, "Untested");
  table.SetCell(row, 10, "IC17");
  table.SetCell(row, 11, "3");
  table.SetCell(row, 14, "400");
  table.SetCell(row, 15, "300");
  table.SetCell(row, 16, "2.5");
  table.SetCell(row, 17, "412");
  table.SetCell(row, 18, "288");
  table.SetCell(row, 30, "No");
}

TEST_F(TestPlanFile, SavedFileIsCellsJoinedByCommasWithPoundForInsideCommas) {
  NewTestPlan(plan);
  InsertRecordsAfter(plan, 4);
  plan.table.SetCell(1, 13, "boards\\amp.jpg");
  FillEditorRecord(plan.table, 5);
  ASSERT_TRUE(SaveTestPlan(plan, "plan.ept", messages));

  const std::string emptyLine = std::string(575, ',') + "\r\n";
  const std::string planLine =
      std::string(12, ',') + "boards\\amp.jpg" + std::string(563, ',') + "\r\n";
  const std::string recordLine =
      "5,,,,,,,IC17\xC2\xA3 Pin 3,Untested,IC17,3,,,400,300,2.5,412,288" + std::string(12, ',') +
      "No" + std::string(546, ',') + "\r\n";
  EXPECT_EQ(CountOf(recordLine, ','), 575u);
  EXPECT_EQ(ReadFile("plan.ept"), planLine + emptyLine + emptyLine + emptyLine + recordLine);
}

TEST_F(TestPlanFile, RoundTripKeepsEveryCellAndTurnsAStoredPoundIntoAComma) {
  NewTestPlan(plan);
  InsertRecordsAfter(plan, 2);
  FillEditorRecord(plan.table, 2);
  plan.table.SetCell(3, 12, kPound + "5");  // a pound sign followed by 5
  plan.table.SetCell(3, 576, "last, cell");
  plan.table.SetCell(3, 320, "-0.0001234567");
  ASSERT_TRUE(SaveTestPlan(plan, "plan.ept", messages));

  const std::string saved = ReadFile("plan.ept");
  EXPECT_NE(saved.find("," + kPound + "5,"), std::string::npos);  // stored unchanged

  TestPlanState loaded;
  ASSERT_TRUE(LoadTestPlan(loaded, "plan.ept", messages));
  ASSERT_EQ(loaded.table.Rows(), 3);
  ASSERT_EQ(loaded.table.Columns(), 576);
  for (int r = 1; r <= 3; ++r) {
    for (int c = 1; c <= 576; ++c) {
      if (r == 3 && c == 12) continue;
      ASSERT_EQ(loaded.table.Cell(r, c), plan.table.Cell(r, c)) << "row " << r << " column " << c;
    }
  }
  EXPECT_EQ(loaded.table.Cell(2, 8), "IC17, Pin 3");
  EXPECT_EQ(loaded.table.Cell(3, 12), ",5");

  ASSERT_TRUE(SaveTestPlan(loaded, "again.ept", messages));
  EXPECT_EQ(ReadFile("again.ept"), saved);  // the comma goes back out as a pound sign
}

struct LineEndCase {
  const char* name;
  const char* content;
};

class TestPlanLineEnds : public TestPlanFile, public ::testing::WithParamInterface<LineEndCase> {};

TEST_P(TestPlanLineEnds, EveryLineEndGivesTheSameRows) {
  WriteFile("plan.ept", GetParam().content);
  ASSERT_TRUE(LoadTestPlan(plan, "plan.ept", messages));
  ASSERT_EQ(plan.table.Rows(), 3);
  const char* expected[3][3] = {{"a", "b", "c"}, {"d", "", "f"}, {"g", "h", "i"}};
  for (int r = 1; r <= 3; ++r) {
    for (int c = 1; c <= 3; ++c) {
      EXPECT_EQ(plan.table.Cell(r, c), expected[r - 1][c - 1]) << "row " << r << " column " << c;
    }
    EXPECT_EQ(plan.table.Cell(r, 4), "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TestPlanLineEnds,
    ::testing::Values(LineEndCase{"CrLf", "a,b,c\r\nd,,f\r\ng,h,i\r\n"},
                      LineEndCase{"Lf", "a,b,c\nd,,f\ng,h,i\n"},
                      LineEndCase{"Cr", "a,b,c\rd,,f\rg,h,i\r"},
                      LineEndCase{"Mixed", "a,b,c\rd,,f\ng,h,i\r\n"},
                      LineEndCase{"LastLineWithoutEnd", "a,b,c\r\nd,,f\r\ng,h,i"}),
    [](const ::testing::TestParamInfo<LineEndCase>& info) { return info.param.name; });

TEST_F(TestPlanFile, EmptyFileLoadsAsOneEmptyRow) {
  WriteFile("empty.ept", "");
  ASSERT_TRUE(LoadTestPlan(plan, "empty.ept", messages));
  EXPECT_EQ(plan.table.Rows(), 1);
  EXPECT_EQ(plan.table.Columns(), 576);
  EXPECT_EQ(plan.table.Cell(1, 1), "");
}

TEST_F(TestPlanFile, UnequalCommaCountsKeepEveryCell) {
  // 3 and 5 commas: the average width (5 columns) is too narrow for line 2.
  WriteFile("plan.ept", "a,b,c,d\r\n1,2,3,4,5,6\r\n");
  ASSERT_TRUE(LoadTestPlan(plan, "plan.ept", messages));
  ASSERT_EQ(plan.table.Rows(), 2);
  EXPECT_EQ(plan.table.Cell(1, 4), "d");
  EXPECT_EQ(plan.table.Cell(1, 5), "");
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(plan.table.Cell(2, c), std::to_string(c));
}

TEST_F(TestPlanFile, ALineWiderThanAFullPlanWidensTheTable) {
  std::string wide;
  for (int c = 1; c <= 700; ++c) wide += (c > 1 ? "," : "") + std::to_string(c);
  WriteFile("plan.ept", "plan\r\n" + wide + "\r\n");
  ASSERT_TRUE(LoadTestPlan(plan, "plan.ept", messages));
  EXPECT_EQ(plan.table.Columns(), 700);
  EXPECT_EQ(plan.table.Cell(2, 700), "700");
  EXPECT_EQ(plan.table.Cell(1, 700), "");

  ASSERT_TRUE(SaveTestPlan(plan, "saved.ept", messages));
  EXPECT_EQ(ReadFile("saved.ept"), "plan" + std::string(699, ',') + "\r\n" + wide + "\r\n");
}

TEST_F(TestPlanFile, ANarrowFileIsWidenedToAFullPlan) {
  WriteFile("narrow.ept", "1,2,3,4,5,6,7,8,9,10\r\n");
  ASSERT_TRUE(LoadTestPlan(plan, "narrow.ept", messages));
  EXPECT_EQ(plan.table.Columns(), 576);
  EXPECT_EQ(plan.table.Cell(1, 10), "10");
  plan.table.SetCell(1, 575, "slot 1 end");
  EXPECT_EQ(plan.table.Cell(1, 575), "slot 1 end");

  ASSERT_TRUE(SaveTestPlan(plan, "saved.ept", messages));
  EXPECT_EQ(CountOf(ReadFile("saved.ept"), ','), 575u);
}

TEST_F(TestPlanFile, LoadingASmallerPlanOverALargerOneLeavesNothingBehind) {
  std::string wide;
  for (int c = 1; c <= 700; ++c) wide += (c > 1 ? "," : "") + std::string(30, 'w');
  WriteFile("large.ept", wide + "\r\n" + wide + "\r\n" + wide + "\r\n");
  WriteFile("small.ept", "p\r\n2,x\r\n");
  ASSERT_TRUE(LoadTestPlan(plan, "large.ept", messages));
  ASSERT_TRUE(LoadTestPlan(plan, "small.ept", messages));

  EXPECT_EQ(plan.table.Rows(), 2);
  EXPECT_EQ(plan.table.Columns(), 576);
  ASSERT_TRUE(SaveTestPlan(plan, "saved.ept", messages));
  EXPECT_EQ(ReadFile("saved.ept"),
            "p" + std::string(575, ',') + "\r\n2,x" + std::string(574, ',') + "\r\n");
}

TEST_F(TestPlanFile, LoadKeepsTheCurrentRecord) {
  WriteFile("plan.ept", "p\r\nr2\r\nr3\r\n");
  plan.currentRecord = 7;
  ASSERT_TRUE(LoadTestPlan(plan, "plan.ept", messages));
  EXPECT_EQ(plan.currentRecord, 7);
}

TEST_F(TestPlanFile, FailedLoadKeepsTheEarlierPlanAndReportsIt) {
  WriteFile("good.ept", "plan\r\n2,,,,,,,IC1\xC2\xA3 Pin 1\r\n3\r\n");
  ASSERT_TRUE(LoadTestPlan(plan, "good.ept", messages));
  plan.currentRecord = 2;

  EXPECT_FALSE(LoadTestPlan(plan, "missing.ept", messages));
  EXPECT_EQ(plan.table.Rows(), 3);
  EXPECT_EQ(plan.table.Cell(2, 8), "IC1, Pin 1");
  EXPECT_EQ(plan.table.Cell(3, 1), "3");
  EXPECT_EQ(plan.currentRecord, 2);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Error);
  EXPECT_EQ(boxes.shown[0].title, "Error #0065");
  EXPECT_EQ(boxes.shown[0].body, "Cannot open .ept file");
  EXPECT_NE(ReadFile(kLogFileName).find(text::kCannotOpenEpt), std::string::npos);
}

TEST_F(TestPlanFile, SaveIntoAMissingFolderReportsIt) {
  EXPECT_FALSE(SaveTestPlan(plan, "no such folder/plan.ept", messages));
  EXPECT_FALSE(std::filesystem::exists("no such folder"));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0064");
  EXPECT_EQ(boxes.shown[0].body, "File cannot be created");
  EXPECT_NE(ReadFile(kLogFileName).find(text::kFileCannotBeCreated), std::string::npos);
}

// Lets a test run out of disk space: writes past `bytes` fail with EFBIG.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  sighandler_t previousHandler_;
};

TEST_F(TestPlanFile, SaveThatRunsOutOfSpaceLeavesTheOldFileAsItWas) {
  NewTestPlan(plan);
  InsertRecordsAfter(plan, 1);
  FillEditorRecord(plan.table, 2);
  ASSERT_TRUE(SaveTestPlan(plan, "plan.ept", messages));
  const std::string before = ReadFile("plan.ept");

  InsertRecordsAfter(plan, 20);  // the new text is about ten times longer
  bool saved = true;
  {
    FileSizeLimit limit(before.size() * 2);
    saved = SaveTestPlan(plan, "plan.ept", messages);
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFile("plan.ept"), before);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Error #0064");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"log.txt", "plan.ept"}));  // no half-written file
}

TEST_F(TestPlanFile, FullPlanStaysWithinThreeTimesItsFileSizeInMemory) {
  NewTestPlan(plan);
  InsertRecordsAfter(plan, 200);
  for (int r = 2; r <= RowCount(plan); ++r) {
    for (int slot : {0, 288}) {
      plan.table.SetCell(r, slot + 31, "64");
      for (int p = 0; p < 128; ++p) {
        double value = (p % 2 == 0 ? 1.0 : -0.001) * (r * 131 + p * 17 + slot) / 997.0;
        plan.table.SetCell(r, slot + 32 + p, FormatFloat(value));
      }
    }
  }
  ASSERT_TRUE(SaveTestPlan(plan, "big.ept", messages));
  TestPlanState loaded;
  ASSERT_TRUE(LoadTestPlan(loaded, "big.ept", messages));
  const std::size_t fileSize = ReadFile("big.ept").size();
  EXPECT_LT(loaded.table.MemoryBytes(), 3 * fileSize);
  EXPECT_EQ(loaded.table.Cell(201, 288 + 32 + 127), plan.table.Cell(201, 288 + 32 + 127));
}

// The table itself: addressing and in-place edits of packed rows.
TEST(TestPlanTable, OutsideCellsReadEmptyAndIgnoreWrites) {
  TestPlan table;
  table.SetCell(1, 3, "x");
  for (auto [row, column] :
       std::vector<std::pair<int, int>>{{0, 1}, {2, 1}, {1, 0}, {1, 577}, {-1, -1}}) {
    table.SetCell(row, column, "outside");
    EXPECT_EQ(table.Cell(row, column), "") << row << "," << column;
  }
  EXPECT_EQ(table.Rows(), 1);
  std::string line;
  table.AppendRowAsLine(1, line);
  EXPECT_EQ(line, ",,x" + std::string(573, ','));
}

TEST(TestPlanTable, LineFormEscapesEveryInsideComma) {
  TestPlan table;
  table.Reset(1, 6);
  const std::vector<std::string> cells = {",", "x", "a,,b", "", ",", "end,"};
  for (int c = 1; c <= 6; ++c) table.SetCell(1, c, cells[c - 1]);
  std::string line;
  table.AppendRowAsLine(1, line);
  EXPECT_EQ(line, kPound + ",x,a" + kPound + kPound + "b,," + kPound + ",end" + kPound);

  TestPlan back;
  back.Reset(1, 6);
  back.SetRowFromLine(1, line);
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(back.Cell(1, c), cells[c - 1]) << "column " << c;
}

// Rows of random short cells, with inside commas and stray "£" lead bytes
// at every position, come back from their line form unchanged.
TEST(TestPlanTable, LineFormRoundTripsAnyCellsWithoutAPoundSign) {
  std::mt19937 random(20231105);
  const std::string alphabet = "ab1.-,\xC2";
  for (int trial = 0; trial < 300; ++trial) {
    const int columns = 1 + static_cast<int>(random() % 40);
    TestPlan table;
    table.Reset(1, columns);
    std::vector<std::string> cells(static_cast<std::size_t>(columns));
    for (std::string& cell : cells) {
      const std::size_t length = random() % 20;
      for (std::size_t i = 0; i < length; ++i) cell += alphabet[random() % alphabet.size()];
    }
    for (int c = 1; c <= columns; ++c) table.SetCell(1, c, cells[c - 1]);
    std::string line;
    table.AppendRowAsLine(1, line);
    ASSERT_EQ(CountOf(line, ','), static_cast<std::size_t>(columns - 1)) << "trial " << trial;

    TestPlan back;
    back.Reset(1, columns);
    back.SetRowFromLine(1, line);
    for (int c = 1; c <= columns; ++c) {
      ASSERT_EQ(back.Cell(1, c), cells[c - 1]) << "trial " << trial << " column " << c;
    }
  }
}

struct ExtraCellsCase {
  const char* name;
  const char* line;
  const char* cells[3];
};

class SetRowFromLineExtra : public ::testing::TestWithParam<ExtraCellsCase> {};

TEST_P(SetRowFromLineExtra, DropsCellsPastTheLastColumn) {
  TestPlan table;
  table.Reset(2, 3);
  table.SetRowFromLine(1, GetParam().line);
  for (int c = 1; c <= 3; ++c)
    EXPECT_EQ(table.Cell(1, c), GetParam().cells[c - 1]) << "column " << c;
  EXPECT_EQ(table.Cell(2, 1), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetRowFromLineExtra,
    ::testing::Values(ExtraCellsCase{"Plain", "a,b,c,d,e", {"a", "b", "c"}},
                      ExtraCellsCase{"LongCells",
                                     "0.1234567891,-0.0001234567,IC17\xC2\xA3 Pin 3,x,y",
                                     {"0.1234567891", "-0.0001234567", "IC17, Pin 3"}},
                      ExtraCellsCase{"PoundAcrossEightBytes",
                                     "abcdefg\xC2\xA3hijklmnop\xC2",
                                     {"abcdefg,hijklmnop\xC2", "", ""}},
                      ExtraCellsCase{"WithPound", "a,b\xC2\xA3x,c,d\xC2\xA3", {"a", "b,x", "c"}},
                      ExtraCellsCase{"ShortLine", "a", {"a", "", ""}},
                      ExtraCellsCase{"TrailingSeparator", "a,b,", {"a", "b", ""}}),
    [](const ::testing::TestParamInfo<ExtraCellsCase>& info) { return info.param.name; });

TEST(TestPlanTable, GrowingAndShrinkingACellKeepsItsNeighbours) {
  TestPlan table;
  table.SetCell(1, 1, "first");
  table.SetCell(1, 2, "b");
  table.SetCell(1, 3, "third");
  table.SetCell(1, 2, "a much longer middle cell");
  EXPECT_EQ(table.Cell(1, 1), "first");
  EXPECT_EQ(table.Cell(1, 2), "a much longer middle cell");
  EXPECT_EQ(table.Cell(1, 3), "third");
  table.SetCell(1, 2, "");
  table.SetCell(1, 1, "1");
  EXPECT_EQ(table.Cell(1, 1), "1");
  EXPECT_EQ(table.Cell(1, 2), "");
  EXPECT_EQ(table.Cell(1, 3), "third");
  EXPECT_EQ(table.Cell(1, 576), "");
}

// Row operations. Rows are labelled by their number in column 1, so a
// label shows where each old row went and an empty label an inserted row.
TestPlanState NumberedPlan(int rows, int currentRecord) {
  TestPlanState plan;
  NewTestPlan(plan);
  plan.table.InsertEmptyRows(2, rows - 1);
  RenumberRecords(plan);
  for (int r = 1; r <= rows; ++r) plan.table.SetCell(r, 576, "end " + std::to_string(r));
  plan.currentRecord = currentRecord;
  return plan;
}

std::vector<std::string> Labels(const TestPlanState& plan) {
  std::vector<std::string> labels;
  for (int r = 1; r <= RowCount(plan); ++r) labels.push_back(plan.table.Cell(r, 1));
  return labels;
}

struct InsertCountCase {
  int requested;
  int inserted;
};

class InsertRecordsAfterCount : public ::testing::TestWithParam<InsertCountCase> {};

TEST_P(InsertRecordsAfterCount, InsertsClampedEmptyRowsAfterTheCurrentOne) {
  TestPlanState plan = NumberedPlan(4, 2);
  InsertRecordsAfter(plan, GetParam().requested);
  const int n = GetParam().inserted;
  ASSERT_EQ(RowCount(plan), 4 + n);
  EXPECT_EQ(plan.currentRecord, 3);
  EXPECT_EQ(plan.table.Cell(2, 1), "2");
  for (int r = 3; r < 3 + n; ++r) {
    std::string line;
    plan.table.AppendRowAsLine(r, line);
    ASSERT_EQ(line, std::string(575, ',')) << "row " << r;
  }
  EXPECT_EQ(plan.table.Cell(3 + n, 1), "3");
  EXPECT_EQ(plan.table.Cell(4 + n, 576), "end 4");
}

INSTANTIATE_TEST_SUITE_P(Counts, InsertRecordsAfterCount,
                         ::testing::Values(InsertCountCase{0, 1}, InsertCountCase{-3, 1},
                                           InsertCountCase{1, 1}, InsertCountCase{7, 7},
                                           InsertCountCase{1000, 1000},
                                           InsertCountCase{5000, 1000}));

TEST(RowOperations, InsertAfterThePlanRowMakesTheFirstRecord) {
  TestPlanState plan = NumberedPlan(3, 1);
  InsertRecordsAfter(plan, 1);
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"1", "", "2", "3"}));
  EXPECT_EQ(plan.currentRecord, 2);
}

TEST(RowOperations, InsertAfterFromPastTheLastRecordAppends) {
  TestPlanState plan = NumberedPlan(3, 4);
  InsertRecordsAfter(plan, 2);
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"1", "2", "3", "", ""}));
  EXPECT_EQ(plan.currentRecord, 4);
}

TEST(RowOperations, InsertBeforeOnThePlanRowChangesNothing) {
  TestPlanState plan = NumberedPlan(3, 1);
  InsertRecordBefore(plan);
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(plan.currentRecord, 1);
}

TEST(RowOperations, InsertBeforeSelectsTheNewEmptyRow) {
  TestPlanState plan = NumberedPlan(4, 3);
  InsertRecordBefore(plan);
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"1", "2", "", "3", "4"}));
  EXPECT_EQ(plan.table.Cell(3, 576), "");
  EXPECT_EQ(plan.currentRecord, 3);
}

TEST(RowOperations, InsertBeforeFromPastTheLastRecordAppends) {
  TestPlanState plan = NumberedPlan(3, 4);
  InsertRecordBefore(plan);
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"1", "2", "3", ""}));
  EXPECT_EQ(plan.currentRecord, 4);
}

struct DeleteCase {
  const char* name;
  int rows;
  int current;
  int count;
  std::vector<std::string> labelsAfter;
  int rowsAfter;
  int currentAfter;
};

class DeleteRecordsCase : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteRecordsCase, RemovesRowsAndKeepsCurrentInRange) {
  const DeleteCase& c = GetParam();
  TestPlanState plan = NumberedPlan(c.rows, c.current);
  DeleteRecords(plan, c.count);
  EXPECT_EQ(RowCount(plan), c.rowsAfter);
  EXPECT_EQ(plan.currentRecord, c.currentAfter);
  EXPECT_EQ(plan.table.Cell(1, 1), "1");  // the plan row always stays
  EXPECT_EQ(Labels(plan), c.labelsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteRecordsCase,
    ::testing::Values(
        DeleteCase{"OneInTheMiddle", 5, 3, 1, {"1", "2", "4", "5"}, 4, 3},
        DeleteCase{"ZeroCountDeletesOne", 5, 3, 0, {"1", "2", "4", "5"}, 4, 3},
        DeleteCase{"LastRowMovesToNewLast", 5, 5, 1, {"1", "2", "3", "4"}, 4, 4},
        DeleteCase{"ARunOfRows", 6, 2, 3, {"1", "5", "6"}, 3, 2},
        DeleteCase{"CountPastTheEndStopsAtTheLastRow", 5, 4, 10, {"1", "2", "3"}, 3, 3},
        DeleteCase{"AllRecordsLeavesThePlanRow", 4, 2, 3, {"1"}, 1, 1},
        DeleteCase{"PlanRowIsNeverDeleted", 4, 1, 2, {"1", "2", "3", "4"}, 4, 1},
        DeleteCase{"PastTheLastRecordDeletesNothing", 4, 5, 1, {"1", "2", "3", "4"}, 4, 4}),
    [](const ::testing::TestParamInfo<DeleteCase>& info) { return info.param.name; });

TEST(RowOperations, DeleteCountIsClampedTo1000) {
  TestPlanState plan = NumberedPlan(1200, 2);
  DeleteRecords(plan, 5000);
  EXPECT_EQ(RowCount(plan), 200);
  EXPECT_EQ(plan.currentRecord, 2);
  EXPECT_EQ(plan.table.Cell(2, 1), "1002");
  EXPECT_EQ(plan.table.Cell(200, 576), "end 1200");
}

TEST(RowOperations, RenumberWritesEveryRowsOwnNumberAndNothingElse) {
  TestPlanState plan = NumberedPlan(3, 1);
  InsertRecordsAfter(plan, 2);  // rows 2 and 3 are new and unnumbered
  plan.table.SetCell(1, 1, "stale");
  plan.table.SetCell(2, 2, "5000");
  RenumberRecords(plan);
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(plan.table.Cell(2, 2), "5000");
  EXPECT_EQ(plan.table.Cell(5, 576), "end 3");
}

struct StepCase {
  const char* name;
  int current;
  bool forward;
  int after;
};

class StepRecord : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepRecord, StaysWithinThePlan) {
  TestPlanState plan = NumberedPlan(4, GetParam().current);
  if (GetParam().forward) {
    NextRecord(plan);
  } else {
    PreviousRecord(plan);
  }
  EXPECT_EQ(plan.currentRecord, GetParam().after);
  EXPECT_EQ(RowCount(plan), 4);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepRecord,
                         ::testing::Values(StepCase{"NextFromPlanRow", 1, true, 2},
                                           StepCase{"NextInTheMiddle", 2, true, 3},
                                           StepCase{"NextOnLastRowStays", 4, true, 4},
                                           StepCase{"PreviousOntoPlanRow", 2, false, 1},
                                           StepCase{"PreviousOnPlanRowStays", 1, false, 1},
                                           StepCase{"PreviousFromPastTheEnd", 5, false, 4}),
                         [](const ::testing::TestParamInfo<StepCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace vanto
