// The test tree and the bad-record tree as plain data: which items each
// tree holds for a plan (text, level, row, icon) and the incremental
// refresh that brings a tree's items in line with the plan, changing only
// what differs so that unchanged component nodes keep their expansion.
// A tree control applies the returned TreeUpdate; nothing here touches a
// widget. Main thread only.
//
// Items form a flat list: a level-1 item is a child of the nearest level-0
// item above it. Every item carries a TestPlan row (its datum).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "testplan/plan_files.h"
#include "testplan/test_plan.h"

namespace vanto {

inline constexpr const char* kTestTreeCaption = "TestTree";
inline constexpr const char* kBadTreeCaption = "Bad TestTree";

enum class TreeIcon : std::uint8_t { None, Good, Bad, Untested, NoTest, NoSig, Block };

struct TreeItem {
  std::string text;
  int level = 0;  // 0 top level, 1 child of the nearest level-0 item above
  int row = 0;    // the TestPlan row the item stands for
  TreeIcon icon = TreeIcon::None;

  friend bool operator==(const TreeItem&, const TreeItem&) = default;
};

// The title of both trees: the plan's file name with the first occurrence
// of `workingDirectory` removed (case-sensitive); nothing is removed for an
// empty one.
std::string TreeTitle(std::string_view planFile, std::string_view workingDirectory);
// The working directory prefix comes with the plan files:
// WorkingDirectoryPrefix() in testplan/plan_files.h.

// A pin's icon from its row's "Signature" and "Status": NoSig without a
// golden signature, otherwise by result; None for any other result text.
TreeIcon PinIcon(const TestPlan& table, int row);

// The wanted items. Test tree: the title (row 2, block icon), then for each
// record a component node where the component changes (text the component,
// row of its first record) and a pin item ("Pin" and, when present, two
// spaces and the "User Text", level 1). Bad tree: the title, then one
// level-0 item per "Bad" record ("IC17, Pin 3").
std::vector<TreeItem> TestTreeItems(const TestPlan& table, std::string_view title);
std::vector<TreeItem> BadTreeItems(const TestPlan& table, std::string_view title);

// What one refresh changed, by position in the new item list. A control
// applies it as: drop every item from `count` on, then put a fresh item at
// each position of `replaced` (removing the old one there, if any; a fresh
// component node starts collapsed), give each position of `rowChanged` its
// new row and each of `iconChanged` its new icon, and last select `select`.
struct TreeUpdate {
  int count = 0;                 // items after the refresh
  std::vector<int> replaced;     // ascending; new items, texts or levels
  std::vector<int> rowChanged;   // kept items that stand for another row now
  std::vector<int> iconChanged;  // kept items with another icon
  std::optional<int> select;     // the refresh moved the selection here

  bool ChangesItems() const {
    return !replaced.empty() || !rowChanged.empty() || !iconChanged.empty();
  }
};

// The items one tree control holds, mirrored so that a refresh compares
// plain strings instead of reading the control.
class TreeModel {
 public:
  const std::vector<TreeItem>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  std::optional<int> Selected() const { return selected_; }
  // The row of the selected item; 0 when nothing is selected.
  int SelectedRow() const;

  // The user selected an item (nothing for none); positions outside the
  // list select nothing.
  void SelectByUser(std::optional<int> position);
  // Removes every item (ClearTrees).
  void Clear();

  // Brings the items in line with `wanted`: an item whose text and level
  // are unchanged stays (its row and icon are updated in place), any other
  // is replaced, surplus items go. With `selectRow`, when the selected
  // item's row differs from it, the last item after the title standing for
  // that row becomes selected (none found: the selection stays).
  TreeUpdate Refresh(std::vector<TreeItem> wanted, std::optional<int> selectRow);
  // Gives the item at `position` the icon, noting it in `update` when it
  // changed.
  void ChangeIcon(int position, TreeIcon icon, TreeUpdate& update);

 private:
  std::vector<TreeItem> items_;
  std::optional<int> selected_;
};

// The two refreshes: the test tree follows the plan and selects
// CurrentRecord; the bad tree follows the plan's "Bad" records.
TreeUpdate RefreshTestTree(TreeModel& tree, const TestPlanState& plan, std::string_view title);
// After one record got a new result: only the icons of its pin item and of
// its component node follow the plan, found by row without rebuilding the
// item list; the selection stays. A tree that holds no pin item for the
// row is left as it is (the next full refresh brings it in line).
TreeUpdate RefreshTestTreeRecord(TreeModel& tree, const TestPlan& table, int row);
TreeUpdate RefreshBadTree(TreeModel& tree, const TestPlanState& plan, std::string_view title);

}  // namespace vanto
