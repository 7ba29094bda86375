// The editor's commands on single records and on the current component.
#include "editor/record_operations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/component_range.h"
#include "editor/editor_cells.h"
#include "editor/editor_fixture.h"

namespace vanto {
namespace {

using testing::EditorFixture;

TEST(ManualInsert, AddsOneEmptyCurrentRowBeforeOrAfter) {
  struct Case {
    const char* name;
    bool before;
    int currentRecord;
    int expectedCurrent;
    int expectedRows;
  };
  const Case cases[] = {
      {"before a record", true, 3, 3, 5},
      {"before the plan row does nothing", true, 1, 1, 4},
      {"after a record", false, 3, 4, 5},
      {"after the plan row", false, 1, 2, 5},
      {"after, past the last record", false, 9, 5, 5},
  };
  for (const Case& c : cases) {
    EditorFixture f;
    f.AddComponent("IC1", 3);  // rows 2..4
    f.plan.currentRecord = c.currentRecord;
    f.editor.working.view = {11, 12, 2.0f};
    if (c.before) {
      ManualInsertBefore(f.plan, f.editor, f.refresh);
    } else {
      ManualInsertAfter(f.plan, f.editor, f.refresh);
    }
    EXPECT_EQ(f.plan.currentRecord, c.expectedCurrent) << c.name;
    EXPECT_EQ(RowCount(f.plan), c.expectedRows) << c.name;
    if (c.expectedRows == 5) {
      EXPECT_EQ(f.Cell(c.expectedCurrent, cell::kComponent), "") << c.name;
      EXPECT_EQ(f.Cell(c.expectedCurrent, cell::kRecord), "") << c.name;
    }
    EXPECT_EQ(f.editor.working.view, (PcbViewCentre{11, 12, 2.0f})) << c.name;
    EXPECT_EQ(f.refresh.refreshes.size(), 1u) << c.name;
  }
}

TEST(DeletePinRecord, LeavesTheFollowingNumbersOneTooHigh) {
  EditorFixture f;
  f.AddComponent("IC1", 4);  // rows 2..5
  f.plan.currentRecord = 3;
  DeletePinRecord(f.plan, f.editor, f.refresh);
  ASSERT_EQ(RowCount(f.plan), 4);
  EXPECT_EQ(f.Cell(3, cell::kPin), "3");
  EXPECT_EQ(f.Cell(3, cell::kRecord), "4");
  EXPECT_EQ(f.Cell(4, cell::kRecord), "5");
  EXPECT_EQ(f.plan.currentRecord, 3);
  EXPECT_EQ(f.refresh.refreshes.size(), 1u);
}

TEST(DeletePinRecord, DoesNothingOnThePlanRowAndKeepsToTheTable) {
  EditorFixture f;
  f.AddComponent("IC1", 2);
  f.plan.currentRecord = 1;
  DeletePinRecord(f.plan, f.editor, f.refresh);
  EXPECT_EQ(RowCount(f.plan), 3);
  EXPECT_TRUE(f.refresh.refreshes.empty());
  // Past the last record the last record goes.
  f.plan.currentRecord = 4;
  DeletePinRecord(f.plan, f.editor, f.refresh);
  EXPECT_EQ(RowCount(f.plan), 2);
  EXPECT_EQ(f.Cell(2, cell::kPin), "1");
  EXPECT_EQ(f.plan.currentRecord, 2);
}

EntryRow TypedEntryRow() {
  EntryRow entry;
  entry.status = "NoTest";
  entry.description = "Clock, Pin 1";
  entry.component = "X1";
  entry.pin = "1";
  entry.userText = "near the edge";
  entry.imageX = "120";
  entry.imageY = "340";
  entry.imageZoom = "3.5";
  entry.testX = "125";
  entry.testY = "337";
  entry.scanSig = "4";
  entry.scanCom = "40";
  entry.signature = "Yes";
  return entry;
}

TEST(WriteEntryRow, CopiesEveryEntryFieldAsTyped) {
  EditorFixture f;
  f.AddComponent("IC1", 2);
  f.plan.currentRecord = 3;
  f.editor.entry = TypedEntryRow();
  WriteEntryRow(f.plan, f.editor, f.refresh);
  const std::pair<int, const char*> cells[] = {
      {8, "Clock, Pin 1"}, {9, "NoTest"}, {10, "X1"},  {11, "1"},  {12, "near the edge"},
      {14, "120"},         {15, "340"},   {16, "3.5"}, {17, "125"}, {18, "337"},
      {27, "4"},           {28, "40"},    {30, "Yes"},
  };
  for (const auto& [column, text] : cells) EXPECT_EQ(f.Cell(3, column), text) << column;
  EXPECT_EQ(f.Cell(3, cell::kRecord), "3");
  EXPECT_EQ(f.Cell(2, cell::kComponent), "IC1");
  // The working values are reloaded from the record.
  EXPECT_EQ(f.editor.working.view, (PcbViewCentre{120, 340, 3.5f}));
  EXPECT_EQ(f.editor.working.pinX, 125);
  EXPECT_EQ(f.editor.working.pinY, 337);
  EXPECT_EQ(f.refresh.refreshes.size(), 1u);
}

TEST(WriteEntryRow, OnThePlanRowSetsTheWholeBoardView) {
  EditorFixture f;
  f.AddComponent("IC1", 2);
  f.plan.table.SetCell(1, cell::kImageFile, "images/board.jpg");
  f.plan.currentRecord = 1;
  f.editor.entry.imageX = "800";
  f.editor.entry.imageY = "600";
  f.editor.entry.imageZoom = "1.0";
  WriteEntryRow(f.plan, f.editor, f.refresh);
  EXPECT_EQ(f.Cell(1, cell::kViewX), "800");
  EXPECT_EQ(f.Cell(1, cell::kViewY), "600");
  EXPECT_EQ(f.Cell(1, cell::kZoom), "1.0");
  EXPECT_EQ(f.Cell(1, cell::kImageFile), "images/board.jpg");
  EXPECT_EQ(f.editor.working.view, (PcbViewCentre{800, 600, 1.0f}));
  EXPECT_EQ(f.editor.working.pcbImageFile, "images/board.jpg");
  EXPECT_EQ(RowCount(f.plan), 3);
}

TEST(WriteEntryRow, PastTheLastRecordWritesTheLastRecord) {
  EditorFixture f;
  f.AddComponent("IC1", 2);
  f.plan.currentRecord = 4;
  f.editor.entry = TypedEntryRow();
  WriteEntryRow(f.plan, f.editor, f.refresh);
  EXPECT_EQ(RowCount(f.plan), 3);
  EXPECT_EQ(f.plan.currentRecord, 3);
  EXPECT_EQ(f.Cell(3, cell::kComponent), "X1");
  EXPECT_EQ(f.Cell(2, cell::kComponent), "IC1");
}

// A plan of IC1 (rows 2, 3), IC2 (rows 4..6) and IC3 (row 7), on IC2.
struct ThreeComponents : EditorFixture {
  ThreeComponents() {
    AddComponent("IC1", 2);
    AddComponent("IC2", 3);
    AddComponent("IC3", 1);
    plan.currentRecord = 5;
  }
  void ExpectNeighboursUntouched() {
    EXPECT_EQ(Cell(3, cell::kComponent), "IC1");
    EXPECT_EQ(Cell(3, cell::kDescription), "IC1, Pin 2");
    EXPECT_EQ(Cell(3, cell::kViewX), "");
    EXPECT_EQ(Cell(7, cell::kComponent), "IC3");
    EXPECT_EQ(Cell(7, cell::kDescription), "IC3, Pin 1");
    EXPECT_EQ(Cell(7, cell::kZoom), "");
  }
};

TEST(FindComponentRange, IsTheRunOfTheCurrentComponent) {
  ThreeComponents f;
  struct Case {
    int currentRecord;
    ComponentRange expected;
  };
  const Case cases[] = {{2, {2, 3}}, {5, {4, 6}}, {4, {4, 6}}, {7, {7, 7}}, {8, {7, 7}}};
  for (const Case& c : cases) {
    f.plan.currentRecord = c.currentRecord;
    EXPECT_EQ(FindComponentRange(f.plan), c.expected) << c.currentRecord;
  }
}

TEST(RenameComponent, RenamesEveryPinAndRebuildsTheirDescriptions) {
  ThreeComponents f;
  f.editor.entry.component = "U7";
  RenameComponent(f.plan, f.editor);
  for (int r = 4; r <= 6; ++r) {
    EXPECT_EQ(f.Cell(r, cell::kComponent), "U7") << r;
    EXPECT_EQ(f.Cell(r, cell::kDescription), "U7, Pin " + std::to_string(r - 3)) << r;
  }
  f.ExpectNeighboursUntouched();
  EXPECT_TRUE(f.refresh.refreshes.empty());
}

TEST(SetComponentDescription, GivesEveryPinTheSameDescription) {
  ThreeComponents f;
  f.editor.entry.description = "Op-amp";
  SetComponentDescription(f.plan, f.editor);
  for (int r = 4; r <= 6; ++r) EXPECT_EQ(f.Cell(r, cell::kDescription), "Op-amp") << r;
  EXPECT_EQ(f.Cell(4, cell::kComponent), "IC2");
  f.ExpectNeighboursUntouched();
}

TEST(SetComponentView, StoresTheViewTextsAsShown) {
  // The entry field shows the zoom with one decimal: 3.714 as 3.7, 16 as 16.0.
  for (const char* zoom : {"3.7", "16.0"}) {
    ThreeComponents f;
    f.editor.entry.imageX = "812";
    f.editor.entry.imageY = "433";
    f.editor.entry.imageZoom = zoom;
    SetComponentView(f.plan, f.editor);
    for (int r = 4; r <= 6; ++r) {
      EXPECT_EQ(f.Cell(r, cell::kViewX), "812") << r;
      EXPECT_EQ(f.Cell(r, cell::kViewY), "433") << r;
      EXPECT_EQ(f.Cell(r, cell::kZoom), zoom) << r;
    }
    f.ExpectNeighboursUntouched();
  }
}

TEST(MovePin, TheNextClickBecomesThePinsPosition) {
  ThreeComponents f;
  f.editor.working.pinX = 50;
  f.editor.working.pinY = 60;
  StartMovePin(f.plan, f.editor);
  EXPECT_EQ(f.editor.placement.editorPrompt, "Move Pin: Click on new location for Pin 2");
  EXPECT_EQ(f.editor.working.pinX, 0);
  EXPECT_EQ(f.editor.working.pinY, 0);
  EXPECT_EQ(f.editor.working.movePinStep, 1);
  MovePinClick(f.plan, f.editor, {321, 654});
  EXPECT_EQ(f.Cell(5, cell::kTestX), "321");
  EXPECT_EQ(f.Cell(5, cell::kTestY), "654");
  EXPECT_EQ(f.editor.working.pinX, 321);
  EXPECT_EQ(f.editor.working.pinY, 654);
  EXPECT_EQ(f.editor.placement.editorPrompt, "");
  EXPECT_EQ(f.editor.working.movePinStep, 0);
  // A later click is no move.
  MovePinClick(f.plan, f.editor, {1, 1});
  EXPECT_EQ(f.Cell(5, cell::kTestX), "321");
}

TEST(MovePin, NeverMovesThePlanRow) {
  ThreeComponents f;
  f.plan.currentRecord = 1;
  StartMovePin(f.plan, f.editor);
  EXPECT_EQ(f.editor.working.movePinStep, 0);
  EXPECT_EQ(f.editor.placement.editorPrompt, "");
  // Started on a record, then stepped onto the plan row.
  f.plan.currentRecord = 4;
  StartMovePin(f.plan, f.editor);
  f.plan.currentRecord = 1;
  MovePinClick(f.plan, f.editor, {9, 9});
  EXPECT_EQ(f.Cell(1, cell::kTestX), "");
  EXPECT_EQ(f.editor.working.movePinStep, 0);
  EXPECT_EQ(f.editor.placement.editorPrompt, "");
}

TEST(QuickSave, WritesThePlanToItsFile) {
  ThreeComponents f;
  ASSERT_TRUE(QuickSave(f.plan, "board.ept", f.messages));
  TestPlanState loaded;
  ASSERT_TRUE(LoadTestPlan(loaded, "board.ept", f.messages));
  EXPECT_EQ(RowCount(loaded), 7);
  EXPECT_EQ(loaded.table.Cell(5, cell::kDescription), "IC2, Pin 2");
  EXPECT_TRUE(f.boxes.shown.empty());
}

TEST(QuickSave, AFailureIsReported) {
  ThreeComponents f;
  EXPECT_FALSE(QuickSave(f.plan, "no such folder/board.ept", f.messages));
  ASSERT_EQ(f.boxes.shown.size(), 1u);
  EXPECT_EQ(f.boxes.shown[0].title, "Error #0064");
  EXPECT_EQ(f.boxes.shown[0].body, "File cannot be created");
  EXPECT_FALSE(std::filesystem::exists("no such folder"));
}

}  // namespace
}  // namespace vanto
