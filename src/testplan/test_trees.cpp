// Building the trees' items from the plan and the incremental refresh.
#include "testplan/test_trees.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"

namespace vanto {
namespace {

constexpr int kTitleRow = 2;  // selecting a title goes to the first record
constexpr const char* kUserTextGap = "  ";
constexpr const char* kPinSeparator = ", Pin ";

TreeItem Title(std::string_view title) {
  return TreeItem{std::string(title), 0, kTitleRow, TreeIcon::Block};
}

void AppendUserText(std::string& text, std::string_view userText) {
  if (userText.empty()) return;
  text += kUserTextGap;
  text += userText;
}

// The pin results under one component node, for its icon.
struct PinCounts {
  int noSignature = 0;
  int untested = 0;
  int bad = 0;
  int good = 0;

  void Count(TreeIcon icon) {
    switch (icon) {
      case TreeIcon::NoSig: ++noSignature; break;
      case TreeIcon::Untested: ++untested; break;
      case TreeIcon::Bad: ++bad; break;
      case TreeIcon::Good: ++good; break;
      default: break;
    }
  }

  TreeIcon ComponentIcon() const {
    if (noSignature > 0) return TreeIcon::NoSig;
    if (untested > 0) return TreeIcon::Untested;
    if (bad > 0) return TreeIcon::Bad;
    return TreeIcon::Good;  // also for NoTest pins and pins without an icon
  }
};

}  // namespace

std::string TreeTitle(std::string_view planFile, std::string_view workingDirectory) {
  std::string title(planFile);
  if (workingDirectory.empty()) return title;
  const std::size_t at = title.find(workingDirectory);
  if (at != std::string::npos) title.erase(at, workingDirectory.size());
  return title;
}

TreeIcon PinIcon(const TestPlan& table, int row) {
  if (table.CellView(row, cell::kSignature) != cell::kYes) return TreeIcon::NoSig;
  const std::string_view status = table.CellView(row, cell::kStatus);
  if (status == cell::kGood) return TreeIcon::Good;
  if (status == cell::kBad) return TreeIcon::Bad;
  if (status == cell::kUntested) return TreeIcon::Untested;
  if (status == cell::kNoTest) return TreeIcon::NoTest;
  return TreeIcon::None;
}

std::vector<TreeItem> TestTreeItems(const TestPlan& table, std::string_view title) {
  const int rows = table.Rows();
  std::vector<TreeItem> items;
  items.reserve(static_cast<std::size_t>(rows) + static_cast<std::size_t>(rows / 2) + 1);
  items.push_back(Title(title));

  std::string_view previousComponent;  // "" before the first record
  std::optional<std::size_t> node;     // the component node being counted
  PinCounts counts;
  const auto closeNode = [&] {
    if (node) items[*node].icon = counts.ComponentIcon();
  };
  for (int row = 2; row <= rows; ++row) {
    const std::string_view component = table.CellView(row, cell::kComponent);
    if (component != previousComponent) {
      closeNode();
      node = items.size();
      counts = PinCounts{};
      items.push_back(TreeItem{std::string(component), 0, row, TreeIcon::None});
      previousComponent = component;
    }
    TreeItem pin{std::string(table.CellView(row, cell::kPin)), 1, row, PinIcon(table, row)};
    AppendUserText(pin.text, table.CellView(row, cell::kUserText));
    counts.Count(pin.icon);
    items.push_back(std::move(pin));
  }
  closeNode();
  return items;
}

std::vector<TreeItem> BadTreeItems(const TestPlan& table, std::string_view title) {
  std::vector<TreeItem> items;
  items.push_back(Title(title));
  for (int row = 2; row <= table.Rows(); ++row) {
    if (table.CellView(row, cell::kStatus) != cell::kBad) continue;
    std::string text(table.CellView(row, cell::kComponent));
    text += kPinSeparator;
    text += table.CellView(row, cell::kPin);
    AppendUserText(text, table.CellView(row, cell::kUserText));
    items.push_back(TreeItem{std::move(text), 0, row, TreeIcon::Bad});
  }
  return items;
}

int TreeModel::SelectedRow() const {
  return selected_ ? items_[static_cast<std::size_t>(*selected_)].row : 0;
}

void TreeModel::SelectByUser(std::optional<int> position) {
  if (position && (*position < 0 || *position >= Count())) position.reset();
  selected_ = position;
}

void TreeModel::Clear() {
  items_.clear();
  selected_.reset();
}

TreeUpdate TreeModel::Refresh(std::vector<TreeItem> wanted, std::optional<int> selectRow) {
  TreeUpdate update;
  update.count = static_cast<int>(wanted.size());
  const std::size_t kept = std::min(items_.size(), wanted.size());
  for (std::size_t p = 0; p < wanted.size(); ++p) {
    const int position = static_cast<int>(p);
    TreeItem& want = wanted[p];
    if (p < kept && items_[p].text == want.text && items_[p].level == want.level) {
      // The row is rewritten too: equal texts at a position do not mean the
      // same record once rows were inserted or deleted above it.
      if (items_[p].row != want.row) update.rowChanged.push_back(position);
      if (items_[p].icon != want.icon) update.iconChanged.push_back(position);
      continue;
    }
    update.replaced.push_back(position);
    if (selected_ == position) selected_.reset();  // a new item is not selected
  }
  if (selected_ && *selected_ >= update.count) selected_.reset();
  items_ = std::move(wanted);

  if (selectRow && SelectedRow() != *selectRow) {
    for (int p = Count() - 1; p >= 1; --p) {
      if (items_[static_cast<std::size_t>(p)].row == *selectRow) {
        selected_ = p;
        update.select = p;
        break;
      }
    }
  }
  return update;
}

TreeUpdate RefreshTestTree(TreeModel& tree, const TestPlanState& plan, std::string_view title) {
  return tree.Refresh(TestTreeItems(plan.table, title), plan.currentRecord);
}

void TreeModel::ChangeIcon(int position, TreeIcon icon, TreeUpdate& update) {
  TreeItem& item = items_[static_cast<std::size_t>(position)];
  if (item.icon == icon) return;
  item.icon = icon;
  update.iconChanged.push_back(position);
}

TreeUpdate RefreshTestTreeRecord(TreeModel& tree, const TestPlan& table, int row) {
  TreeUpdate update;
  update.count = tree.Count();
  const std::vector<TreeItem>& items = tree.Items();
  if (items.size() < 2 || row < 2 || row > table.Rows()) return update;
  // After the title the rows never decrease: a node carries the row of its
  // first pin, so the pin is the level-1 item among those of its row.
  const auto first = std::lower_bound(items.begin() + 1, items.end(), row,
                                      [](const TreeItem& item, int r) { return item.row < r; });
  auto pin = first;
  while (pin != items.end() && pin->row == row && pin->level != 1) ++pin;
  if (pin == items.end() || pin->row != row) return update;
  tree.ChangeIcon(static_cast<int>(pin - items.begin()), PinIcon(table, row), update);
  // Its component node, unless the pin comes before any (records without
  // a component at the top of the plan).
  auto node = pin;
  while (node->level != 0) --node;
  if (node == items.begin()) return update;
  PinCounts counts;
  for (auto at = node + 1; at != items.end() && at->level == 1; ++at) {
    counts.Count(PinIcon(table, at->row));
  }
  tree.ChangeIcon(static_cast<int>(node - items.begin()), counts.ComponentIcon(), update);
  std::sort(update.iconChanged.begin(), update.iconChanged.end());
  return update;
}

TreeUpdate RefreshBadTree(TreeModel& tree, const TestPlanState& plan, std::string_view title) {
  return tree.Refresh(BadTreeItems(plan.table, title), std::nullopt);
}

}  // namespace vanto
