// The trees' items for a plan, their icons, and the incremental refresh:
// what is replaced, what is kept, where the selection goes.
#include "testplan/test_trees.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_workdir.h"
#include "testplan/plan_builder.h"

namespace vanto {
namespace {

using testing::AddRecord;

const std::string kTitle = "testplans/demo1.ept";

struct Shape {
  std::string text;
  int level;
  int row;
  friend bool operator==(const Shape&, const Shape&) = default;
};

void PrintTo(const Shape& shape, std::ostream* out) {
  *out << "{\"" << shape.text << "\", level " << shape.level << ", row " << shape.row << "}";
}

std::vector<Shape> Shapes(const std::vector<TreeItem>& items) {
  std::vector<Shape> shapes;
  for (const TreeItem& item : items) shapes.push_back({item.text, item.level, item.row});
  return shapes;
}

// IC1 pins 1..3 in rows 2..4, IC2 pins 1..2 in rows 5..6.
TestPlanState TwoComponents() {
  TestPlanState plan;
  for (const char* pin : {"1", "2", "3"}) AddRecord(plan, "IC1", pin);
  for (const char* pin : {"1", "2"}) AddRecord(plan, "IC2", pin);
  return plan;
}

TEST(TestTreeItems, GroupsPinsUnderTheirComponentWithRowsAsData) {
  const TestPlanState plan = TwoComponents();
  const std::vector<TreeItem> items = TestTreeItems(plan.table, kTitle);
  const std::vector<Shape> expected = {
      {kTitle, 0, 2}, {"IC1", 0, 2}, {"1", 1, 2}, {"2", 1, 3},
      {"3", 1, 4},    {"IC2", 0, 5}, {"1", 1, 5}, {"2", 1, 6},
  };
  EXPECT_EQ(Shapes(items), expected);
  EXPECT_EQ(items[0].icon, TreeIcon::Block);
}

TEST(TestTreeItems, UserTextFollowsThePinAfterTwoSpaces) {
  TestPlanState plan;
  AddRecord(plan, "IC17", "3", "Untested", true, "check solder");
  AddRecord(plan, "IC17", "4");
  const std::vector<TreeItem> items = TestTreeItems(plan.table, kTitle);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[2].text, "3  check solder");
  EXPECT_EQ(items[3].text, "4");
}

TEST(TestTreeItems, PlanWithoutRecordsGivesOnlyTheTitles) {
  const TestPlanState plan;
  EXPECT_EQ(Shapes(TestTreeItems(plan.table, kTitle)), (std::vector<Shape>{{kTitle, 0, 2}}));
  EXPECT_EQ(Shapes(BadTreeItems(plan.table, kTitle)), (std::vector<Shape>{{kTitle, 0, 2}}));
}

TEST(TestTreeItems, EmptyRowsInsertedAtTheEndGetAnEmptyNodeAndPin) {
  TestPlanState plan = TwoComponents();
  plan.currentRecord = RowCount(plan);
  InsertRecordsAfter(plan, 1);  // every cell empty, as the editor inserts it
  const std::vector<TreeItem> items = TestTreeItems(plan.table, kTitle);
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ((Shape{items[8].text, items[8].level, items[8].row}), (Shape{"", 0, 7}));
  EXPECT_EQ((Shape{items[9].text, items[9].level, items[9].row}), (Shape{"", 1, 7}));
  // No golden signature: pink, for the pin and its node.
  EXPECT_EQ(items[8].icon, TreeIcon::NoSig);
  EXPECT_EQ(items[9].icon, TreeIcon::NoSig);
}

TEST(PinIcon, FollowsSignatureThenStatus) {
  struct Case {
    bool golden;
    const char* status;
    TreeIcon icon;
  };
  const Case cases[] = {
      {true, "Good", TreeIcon::Good},
      {true, "Bad", TreeIcon::Bad},
      {true, "Untested", TreeIcon::Untested},
      {true, "NoTest", TreeIcon::NoTest},
      {true, "", TreeIcon::None},
      {true, "good", TreeIcon::None},
      {false, "Good", TreeIcon::NoSig},
      {false, "", TreeIcon::NoSig},
  };
  for (const Case& c : cases) {
    TestPlanState plan;
    const int row = AddRecord(plan, "R1", "1", c.status, c.golden);
    EXPECT_EQ(PinIcon(plan.table, row), c.icon)
        << "golden " << c.golden << ", status \"" << c.status << "\"";
  }
}

TEST(TestTreeItems, ComponentIconFollowsItsPins) {
  struct Pin {
    const char* status;
    bool golden;
  };
  struct Case {
    const char* name;
    std::vector<Pin> pins;
    TreeIcon icon;
  };
  const std::vector<Case> cases = {
      {"good, good, untested",
       {{"Good", true}, {"Good", true}, {"Untested", true}},
       TreeIcon::Untested},
      {"good, bad", {{"Good", true}, {"Bad", true}}, TreeIcon::Bad},
      {"bad, untested", {{"Bad", true}, {"Untested", true}}, TreeIcon::Untested},
      {"one without golden", {{"Good", true}, {"Bad", true}, {"Good", false}}, TreeIcon::NoSig},
      {"all good", {{"Good", true}, {"Good", true}}, TreeIcon::Good},
      {"only NoTest", {{"NoTest", true}, {"NoTest", true}}, TreeIcon::Good},
      {"empty status", {{"", true}}, TreeIcon::Good},
  };
  for (const Case& c : cases) {
    TestPlanState plan;
    int pin = 1;
    for (const Pin& p : c.pins) {
      AddRecord(plan, "U7", std::to_string(pin++), p.status, p.golden);
    }
    AddRecord(plan, "U8", "1", "Bad");
    const std::vector<TreeItem> items = TestTreeItems(plan.table, kTitle);
    EXPECT_EQ(items[1].icon, c.icon) << c.name;
    EXPECT_EQ(items[items.size() - 2].icon, TreeIcon::Bad) << c.name << ": the next component";
  }
}

TEST(BadTreeItems, ListsBadRecordsWithComponentAndPin) {
  TestPlanState plan;
  AddRecord(plan, "IC17", "2", "Good");
  AddRecord(plan, "IC17", "3", "Bad");
  AddRecord(plan, "C4", "1", "Bad", false, "near edge");
  const std::vector<TreeItem> items = BadTreeItems(plan.table, kTitle);
  const std::vector<Shape> expected = {
      {kTitle, 0, 2}, {"IC17, Pin 3", 0, 3}, {"C4, Pin 1  near edge", 0, 4}};
  EXPECT_EQ(Shapes(items), expected);
  EXPECT_EQ(items[1].icon, TreeIcon::Bad);
  EXPECT_EQ(items[2].icon, TreeIcon::Bad);
}

TEST(TreeTitle, RemovesTheFirstOccurrenceOfTheWorkingDirectory) {
  EXPECT_EQ(TreeTitle("/home/u/vanto/testplans/demo1.ept", "/home/u/vanto/"),
            "testplans/demo1.ept");
  EXPECT_EQ(TreeTitle("testplans\\demo1.ept", "/home/u/vanto/"), "testplans\\demo1.ept");
  EXPECT_EQ(TreeTitle("/home/U/vanto/a.ept", "/home/u/vanto/"), "/home/U/vanto/a.ept");
  EXPECT_EQ(TreeTitle("/a/x/a/x/p.ept", "/a/x/"), "a/x/p.ept");
  EXPECT_EQ(TreeTitle("p.ept", ""), "p.ept");
}

TEST(TreeTitle, WorkingDirectoryPrefixEndsWithASeparator) {
  testing::TempWorkdir workdir;
  const std::string prefix = WorkingDirectoryPrefix();
  EXPECT_EQ(prefix, workdir.Path().string() + "/");
  EXPECT_EQ(TreeTitle(prefix + "testplans/x.ept", prefix), "testplans/x.ept");
}

TEST(RefreshTestTree, SelectsThePinItemOfTheCurrentRecord) {
  TestPlanState plan = TwoComponents();
  plan.currentRecord = 5;  // first pin of IC2: node and pin item both stand for it
  TreeModel tree;
  const TreeUpdate update = RefreshTestTree(tree, plan, kTitle);
  ASSERT_TRUE(update.select.has_value());
  EXPECT_EQ(*update.select, 6);
  EXPECT_EQ(tree.Items()[6].level, 1);
  EXPECT_EQ(tree.SelectedRow(), 5);
}

TEST(RefreshTestTree, KeepsTheSelectionWhenItAlreadyShowsTheRecord) {
  TestPlanState plan = TwoComponents();
  plan.currentRecord = 5;
  TreeModel tree;
  RefreshTestTree(tree, plan, kTitle);
  tree.SelectByUser(5);  // the user picked the IC2 node
  const TreeUpdate update = RefreshTestTree(tree, plan, kTitle);
  EXPECT_FALSE(update.select.has_value());
  EXPECT_EQ(tree.Selected(), 5);
}

TEST(RefreshTestTree, LeavesTheSelectionWhenNoItemStandsForTheRecord) {
  TestPlanState plan = TwoComponents();
  plan.currentRecord = 3;
  TreeModel tree;
  RefreshTestTree(tree, plan, kTitle);
  plan.currentRecord = 1;  // the plan row: the title stands for row 2
  const TreeUpdate update = RefreshTestTree(tree, plan, kTitle);
  EXPECT_FALSE(update.select.has_value());
  EXPECT_EQ(tree.Selected(), 3);
}

TEST(RefreshTestTree, SecondRefreshOfAnUnchangedPlanChangesNothing) {
  TestPlanState plan = TwoComponents();
  TreeModel tree;
  const TreeUpdate first = RefreshTestTree(tree, plan, kTitle);
  EXPECT_EQ(first.replaced, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  plan.currentRecord = 4;
  const TreeUpdate second = RefreshTestTree(tree, plan, kTitle);
  EXPECT_FALSE(second.ChangesItems());
  EXPECT_EQ(second.count, 8);
  EXPECT_EQ(second.select, 4);
}

TEST(RefreshTestTree, ResultChangeTouchesOnlyThePinAndItsNodeIcons) {
  TestPlanState plan = TwoComponents();
  for (int row = 2; row <= 6; ++row) plan.table.SetCell(row, cell::kStatus, "Good");
  TreeModel tree;
  RefreshTestTree(tree, plan, kTitle);
  plan.table.SetCell(6, cell::kStatus, "Bad");
  const TreeUpdate update = RefreshTestTree(tree, plan, kTitle);
  EXPECT_TRUE(update.replaced.empty());
  EXPECT_EQ(update.iconChanged, (std::vector<int>{5, 7}));
  EXPECT_EQ(tree.Items()[5].icon, TreeIcon::Bad);
  EXPECT_EQ(tree.Items()[7].icon, TreeIcon::Bad);
}

// A mark refreshes only its record's items, found by row; afterwards the
// tree holds what a full refresh would have built.
struct MarkCase {
  const char* name;
  std::vector<std::string> statusBefore;  // rows 2..6
  int row;
  const char* result;
  std::vector<int> iconChanged;
};

TEST(RefreshTestTreeRecord, MarkingARecordChangesItsPinAndNodeIconsAsAFullRefreshWould) {
  const std::vector<MarkCase> cases = {
      {"first pin of IC1, others untested", {"Untested", "Untested", "Untested", "Good", "Good"},
       2, "Good", {2}},
      {"last untested pin of IC1 marked Bad", {"Good", "Good", "Untested", "Good", "Good"},
       4, "Bad", {1, 4}},
      {"last pin of the last component", {"Good", "Good", "Good", "Good", "Untested"},
       6, "Good", {5, 7}},
      {"a Bad pin retested Good", {"Bad", "Good", "Good", "Good", "Good"}, 2, "Good", {1, 2}},
      {"the same result again", {"Good", "Good", "Good", "Good", "Good"}, 3, "Good", {}},
  };
  for (const MarkCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestPlanState plan = TwoComponents();
    for (int row = 2; row <= 6; ++row) {
      plan.table.SetCell(row, cell::kStatus, c.statusBefore[static_cast<std::size_t>(row - 2)]);
    }
    plan.currentRecord = 5;
    TreeModel tree;
    RefreshTestTree(tree, plan, kTitle);
    const std::optional<int> selected = tree.Selected();

    plan.table.SetCell(c.row, cell::kStatus, c.result);
    const TreeUpdate update = RefreshTestTreeRecord(tree, plan.table, c.row);

    EXPECT_EQ(update.iconChanged, c.iconChanged);
    EXPECT_TRUE(update.replaced.empty());
    EXPECT_TRUE(update.rowChanged.empty());
    EXPECT_EQ(update.count, tree.Count());
    EXPECT_FALSE(update.select.has_value());
    EXPECT_EQ(tree.Selected(), selected);
    EXPECT_EQ(tree.Items(), TestTreeItems(plan.table, kTitle));
  }
}

TEST(RefreshTestTreeRecord, PinsBeforeAnyComponentAndRowsOutsideTheTreeAreHandled) {
  TestPlanState plan;
  AddRecord(plan, "", "1");  // no component: the pin follows the title directly
  AddRecord(plan, "R1", "1");
  TreeModel tree;
  RefreshTestTree(tree, plan, kTitle);
  plan.table.SetCell(2, cell::kStatus, "Bad");
  EXPECT_EQ(RefreshTestTreeRecord(tree, plan.table, 2).iconChanged, std::vector<int>{1});
  EXPECT_EQ(tree.Items(), TestTreeItems(plan.table, kTitle));

  AddRecord(plan, "R2", "1", "Good");  // not in the tree yet
  EXPECT_FALSE(RefreshTestTreeRecord(tree, plan.table, 4).ChangesItems());
  EXPECT_FALSE(RefreshTestTreeRecord(tree, plan.table, 99).ChangesItems());
  TreeModel empty;
  EXPECT_FALSE(RefreshTestTreeRecord(empty, plan.table, 2).ChangesItems());
}

TEST(RefreshTestTree, ReplacesOnlyItemsWhoseTextChanged) {
  TestPlanState plan = TwoComponents();
  TreeModel tree;
  RefreshTestTree(tree, plan, kTitle);
  plan.table.SetCell(3, cell::kUserText, "short to GND");
  plan.table.SetCell(5, cell::kComponent, "IC9");
  plan.table.SetCell(6, cell::kComponent, "IC9");
  const TreeUpdate update = RefreshTestTree(tree, plan, kTitle);
  EXPECT_EQ(update.replaced, (std::vector<int>{3, 5}));
  EXPECT_EQ(tree.Items()[3].text, "2  short to GND");
  EXPECT_EQ(tree.Items()[5].text, "IC9");
}

TEST(RefreshTestTree, ChangedTitleReplacesItemZero) {
  TestPlanState plan = TwoComponents();
  TreeModel tree;
  RefreshTestTree(tree, plan, kTitle);
  const TreeUpdate update = RefreshTestTree(tree, plan, "testplans/other.ept");
  EXPECT_EQ(update.replaced, (std::vector<int>{0}));
  EXPECT_EQ(tree.Items()[0].row, 2);
}

TEST(RefreshTestTree, DeletedRecordsLeaveNoItemsBehind) {
  TestPlanState plan = TwoComponents();
  TreeModel test;
  TreeModel bad;
  for (int row = 2; row <= 6; ++row) plan.table.SetCell(row, cell::kStatus, "Bad");
  RefreshTestTree(test, plan, kTitle);
  RefreshBadTree(bad, plan, kTitle);
  plan.currentRecord = 5;
  DeleteRecords(plan, 2);  // all of IC2
  const TreeUpdate update = RefreshTestTree(test, plan, kTitle);
  RefreshBadTree(bad, plan, kTitle);
  EXPECT_EQ(update.count, 5);
  EXPECT_EQ(
      Shapes(test.Items()),
      (std::vector<Shape>{{kTitle, 0, 2}, {"IC1", 0, 2}, {"1", 1, 2}, {"2", 1, 3}, {"3", 1, 4}}));
  EXPECT_EQ(bad.Count(), 4);
}

TEST(RefreshTestTree, SelectedItemThatIsReplacedLosesTheSelection) {
  TestPlanState plan = TwoComponents();
  plan.currentRecord = 6;
  TreeModel tree;
  RefreshTestTree(tree, plan, kTitle);
  ASSERT_EQ(tree.Selected(), 7);
  plan.table.SetCell(6, cell::kPin, "8");
  plan.currentRecord = 1;  // nothing to select instead
  RefreshTestTree(tree, plan, kTitle);
  EXPECT_FALSE(tree.Selected().has_value());
  EXPECT_EQ(tree.SelectedRow(), 0);
}

TEST(RefreshBadTree, EmptiesAfterTheBadRecordsAreRetestedGood) {
  TestPlanState plan = TwoComponents();
  for (int row : {2, 4, 6}) plan.table.SetCell(row, cell::kStatus, "Bad");
  TreeModel bad;
  RefreshBadTree(bad, plan, kTitle);
  ASSERT_EQ(bad.Count(), 4);
  for (int row : {2, 4, 6}) plan.table.SetCell(row, cell::kStatus, "Good");
  const TreeUpdate update = RefreshBadTree(bad, plan, kTitle);
  EXPECT_EQ(update.count, 1);
  EXPECT_EQ(Shapes(bad.Items()), (std::vector<Shape>{{kTitle, 0, 2}}));
}

TEST(RefreshBadTree, KeptItemFollowsItsRecordWhenRowsAboveAreDeleted) {
  // The same text at the same place no longer means the same row: the item
  // must lead to the record it names, not to the one now in its old row.
  TestPlanState plan = TwoComponents();
  plan.table.SetCell(6, cell::kStatus, "Bad");
  TreeModel bad;
  RefreshBadTree(bad, plan, kTitle);
  ASSERT_EQ(bad.Items()[1].row, 6);
  plan.currentRecord = 3;
  DeleteRecords(plan, 1);
  const TreeUpdate update = RefreshBadTree(bad, plan, kTitle);
  EXPECT_TRUE(update.replaced.empty());
  EXPECT_EQ(update.rowChanged, (std::vector<int>{1}));
  EXPECT_EQ(bad.Items()[1].row, 5);
  EXPECT_EQ(plan.table.Cell(5, cell::kComponent), "IC2");
}

TEST(TreeModel, ClearRemovesItemsAndSelection) {
  TestPlanState plan = TwoComponents();
  plan.currentRecord = 3;
  TreeModel tree;
  RefreshTestTree(tree, plan, kTitle);
  tree.Clear();
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_FALSE(tree.Selected().has_value());
  const TreeUpdate update = RefreshTestTree(tree, plan, kTitle);
  EXPECT_EQ(update.replaced.size(), 8u);
}

TEST(TreeModel, UserSelectionOutsideTheItemsSelectsNothing) {
  TestPlanState plan = TwoComponents();
  TreeModel tree;
  RefreshTestTree(tree, plan, kTitle);
  tree.SelectByUser(0);
  EXPECT_EQ(tree.SelectedRow(), 2);  // the title leads to the first record
  tree.SelectByUser(8);
  EXPECT_FALSE(tree.Selected().has_value());
  tree.SelectByUser(-1);
  EXPECT_EQ(tree.SelectedRow(), 0);
}

}  // namespace
}  // namespace vanto
