// The tree panels on the offscreen platform: the control shows exactly the
// model's items under their nodes, keeps the expansion of unchanged nodes,
// selects the current record without telling the sink, and reports the
// user's selections.
#include "testplan/qt/tree_panel.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPalette>
#include <QScrollBar>
#include <QPixmap>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "testplan/plan_builder.h"

namespace vanto {
namespace {

using testing::AddRecord;

const std::string kTitle = "testplans/demo1.ept";

QIcon Swatch(Qt::GlobalColor colour) {
  QPixmap pixmap(23, 23);
  pixmap.fill(colour);
  return QIcon(pixmap);
}

TreeIcons TestIcons() {
  TreeIcons icons;
  icons.good = Swatch(Qt::green);
  icons.bad = Swatch(Qt::red);
  icons.untested = Swatch(Qt::yellow);
  icons.noTest = Swatch(Qt::white);
  icons.noSignature = Swatch(Qt::magenta);
  icons.block = Swatch(Qt::black);
  return icons;
}

// One shown item in display order: text, depth, row and icon.
struct Shown {
  std::string text;
  int level;
  int row;
  qint64 icon;
  friend bool operator==(const Shown&, const Shown&) = default;
};

void PrintTo(const Shown& item, std::ostream* out) {
  *out << "{\"" << item.text << "\", level " << item.level << ", row " << item.row << ", icon "
       << item.icon << "}";
}

std::vector<Shown> ShownItems(const QTreeWidget& tree) {
  std::vector<Shown> shown;
  const auto add = [&](const QTreeWidgetItem* item, int level) {
    shown.push_back({item->text(0).toStdString(), level, item->data(0, Qt::UserRole).toInt(),
                     item->icon(0).cacheKey()});
  };
  for (int i = 0; i < tree.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* node = tree.topLevelItem(i);
    add(node, 0);
    for (int c = 0; c < node->childCount(); ++c) add(node->child(c), 1);
  }
  return shown;
}

std::vector<Shown> ModelItems(const TreeModel& model, const TreeIcons& icons) {
  std::vector<Shown> items;
  for (const TreeItem& item : model.Items()) {
    items.push_back({item.text, item.level, item.row, icons.For(item.icon).cacheKey()});
  }
  return items;
}

class TreePanelTest : public ::testing::Test {
 protected:
  TreePanelTest() {
    for (const char* pin : {"1", "2", "3"}) AddRecord(plan, "IC1", pin);
    for (const char* pin : {"1", "2"}) AddRecord(plan, "IC2", pin);
    testTree->SetSelectionSink([this](int row) { selections.push_back(row); });
    badTree->SetSelectionSink([this](int row) { selections.push_back(row); });
  }

  void Refresh() {
    RefreshTestTree(*testTree, plan, kTitle);
    RefreshBadTree(*badTree, plan, kTitle);
  }

  QTreeWidgetItem* Node(int index) const { return testTree->Tree()->topLevelItem(index); }

  void ExpectControlsMirrorModels() const {
    EXPECT_EQ(ShownItems(*testTree->Tree()), ModelItems(testTree->Model(), icons));
    EXPECT_EQ(ShownItems(*badTree->Tree()), ModelItems(badTree->Model(), icons));
  }

  TestPlanState plan;
  TreeIcons icons = TestIcons();
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  TreePanel* testTree = CreateTestTreePanel(window.get(), icons);
  TreePanel* badTree = CreateBadTreePanel(window.get(), icons);
  std::vector<int> selections;
};

TEST_F(TreePanelTest, PanelsHaveTheirCaptionsAndWhiteOnBlackTrees) {
  Refresh();
  EXPECT_EQ(testTree->Caption()->text(), "TestTree");
  EXPECT_EQ(badTree->Caption()->text(), "Bad TestTree");
  const QPalette colours = testTree->Tree()->palette();
  EXPECT_EQ(colours.color(QPalette::Active, QPalette::Base), QColor(Qt::black));
  EXPECT_EQ(colours.color(QPalette::Active, QPalette::Text), QColor(Qt::white));
  EXPECT_EQ(colours.color(QPalette::Inactive, QPalette::Highlight),
            colours.color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(testTree->geometry(), QRect(2, 2, 144, 100));
}

TEST_F(TreePanelTest, StyleColoursPanelAndCaptionButNotTheTree) {
  Settings settings;
  settings.colourPanel = 0x112233;  // $BBGGRR
  settings.colourHeader = 0x000080;
  settings.colourHeaderText = 0x00FF00;
  QFont header("Liberation Sans");
  header.setPointSize(11);
  testTree->SetStyle(TreePanelStyleFrom(settings, header));
  EXPECT_EQ(testTree->palette().color(QPalette::Window), QColor(0x33, 0x22, 0x11));
  EXPECT_EQ(testTree->Caption()->palette().color(QPalette::Window), QColor(0x80, 0, 0));
  EXPECT_EQ(testTree->Caption()->palette().color(QPalette::WindowText), QColor(0, 0xFF, 0));
  EXPECT_EQ(testTree->Caption()->font().pointSize(), 11);
  EXPECT_EQ(testTree->Tree()->palette().color(QPalette::Base), QColor(Qt::black));
}

TEST_F(TreePanelTest, LayoutStretchesCaptionAndFillsBelowWithTheTree) {
  window->show();
  testTree->setGeometry(400, 10, 230, 500);
  EXPECT_EQ(testTree->Caption()->geometry(), QRect(0, 0, 230, 23));
  EXPECT_EQ(testTree->Tree()->geometry(), QRect(0, 26, 230, 474));
}

TEST_F(TreePanelTest, ComponentsAreNodesWithTheirPinsBelow) {
  Refresh();
  QTreeWidget* tree = testTree->Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 3);
  EXPECT_EQ(Node(0)->text(0).toStdString(), kTitle);
  EXPECT_EQ(Node(1)->text(0), "IC1");
  EXPECT_EQ(Node(1)->childCount(), 3);
  EXPECT_EQ(Node(2)->text(0), "IC2");
  EXPECT_EQ(Node(2)->childCount(), 2);
  std::vector<int> rows;
  for (const Shown& item : ShownItems(*tree)) rows.push_back(item.row);
  EXPECT_EQ(rows, (std::vector<int>{2, 2, 2, 3, 4, 5, 5, 6}));
  EXPECT_EQ(Node(0)->icon(0).cacheKey(), icons.block.cacheKey());
  EXPECT_EQ(Node(1)->child(0)->icon(0).cacheKey(), icons.untested.cacheKey());
  ExpectControlsMirrorModels();
}

// Entries longer than the panel is wide: each item's tool tip is its whole
// text, and the tree scrolls sideways to the end of the longest one.
TEST_F(TreePanelTest, LongEntriesShowWholeInTheirToolTipsAndScrollSideways) {
  const std::string userText = "74HC14, net PB3_OSC_IN to the crystal";
  const int row = AddRecord(plan, "U1", "4", "Bad", true, userText);
  plan.currentRecord = row;
  window->show();
  Refresh();
  struct Entry {
    TreePanel* panel;
    std::string text;
  };
  for (const Entry& entry : {Entry{testTree, "4  " + userText},
                             Entry{badTree, "U1, Pin 4  " + userText}}) {
    QTreeWidget* tree = entry.panel->Tree();
    const QTreeWidgetItem* item = tree->currentItem();
    if (entry.panel == badTree) item = tree->topLevelItem(1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(0).toStdString(), entry.text);
    EXPECT_EQ(item->toolTip(0).toStdString(), entry.text);

    // The row is wide enough for the whole text, beyond the panel's width.
    const int textWidth = tree->fontMetrics().horizontalAdvance(item->text(0));
    ASSERT_GT(textWidth, tree->viewport()->width());
    const QRect shown = tree->visualItemRect(item);
    EXPECT_GE(tree->columnWidth(0), textWidth);
    EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);
    // The scroll bar reaches the column's end, and scrolling moves the row.
    QScrollBar* sideways = tree->horizontalScrollBar();
    EXPECT_GE(sideways->maximum() + tree->viewport()->width(), tree->columnWidth(0));
    sideways->setValue(sideways->maximum());
    EXPECT_LT(tree->visualItemRect(item).left(), shown.left());
  }
  // Titles and component nodes carry their tool tips too.
  for (int i = 0; i < testTree->Tree()->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* node = testTree->Tree()->topLevelItem(i);
    EXPECT_EQ(node->toolTip(0), node->text(0));
  }
}

TEST_F(TreePanelTest, RefreshSelectsThePinItemWithoutTellingTheSink) {
  plan.currentRecord = 5;
  Refresh();
  QTreeWidgetItem* current = testTree->Tree()->currentItem();
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(current, Node(2)->child(0));
  EXPECT_TRUE(current->isSelected());
  EXPECT_TRUE(Node(2)->isExpanded());  // the selection is brought into view
  EXPECT_TRUE(selections.empty());
}

TEST_F(TreePanelTest, UserSelectingTheTitleGoesToRecordTwo) {
  Refresh();
  testTree->Tree()->setCurrentItem(Node(0));
  EXPECT_EQ(selections, (std::vector<int>{2}));
  testTree->Tree()->setCurrentItem(Node(1)->child(2));
  EXPECT_EQ(selections, (std::vector<int>{2, 4}));
  testTree->Tree()->clearSelection();
  EXPECT_EQ(selections, (std::vector<int>{2, 4, 0}));
}

TEST_F(TreePanelTest, UserSelectionInTheBadTreeGivesTheBadRecord) {
  plan.table.SetCell(4, cell::kStatus, "Bad");
  Refresh();
  ASSERT_EQ(badTree->Tree()->topLevelItemCount(), 2);
  EXPECT_EQ(badTree->Tree()->topLevelItem(1)->text(0), "IC1, Pin 3");
  badTree->Tree()->setCurrentItem(badTree->Tree()->topLevelItem(1));
  EXPECT_EQ(selections, (std::vector<int>{4}));
}

TEST_F(TreePanelTest, BadTreeKeepsOnlyItsTitleAfterRetests) {
  for (int row : {2, 3, 6}) plan.table.SetCell(row, cell::kStatus, "Bad");
  Refresh();
  EXPECT_EQ(badTree->Tree()->topLevelItemCount(), 4);
  for (int row : {2, 3, 6}) plan.table.SetCell(row, cell::kStatus, "Good");
  Refresh();
  ASSERT_EQ(badTree->Tree()->topLevelItemCount(), 1);
  EXPECT_EQ(badTree->Tree()->topLevelItem(0)->icon(0).cacheKey(), icons.block.cacheKey());
  ExpectControlsMirrorModels();
}

TEST_F(TreePanelTest, UnchangedNodesKeepTheirExpansion) {
  plan.currentRecord = 1;  // no selection to open a node
  Refresh();
  Node(1)->setExpanded(true);
  Node(2)->setExpanded(true);
  QTreeWidgetItem* ic2 = Node(2);

  // Results, a pin's user text and navigation.
  plan.table.SetCell(3, cell::kStatus, "Bad");
  plan.table.SetCell(6, cell::kUserText, "near C4");
  Refresh();
  plan.currentRecord = 4;
  Refresh();
  EXPECT_TRUE(Node(1)->isExpanded());
  EXPECT_TRUE(Node(2)->isExpanded());
  EXPECT_EQ(Node(2), ic2);
  EXPECT_EQ(Node(2)->child(1)->text(0), "2  near C4");
  ExpectControlsMirrorModels();

  // A renamed component is a new node: collapsed, its pins still below it.
  plan.table.SetCell(5, cell::kComponent, "IC7");
  plan.table.SetCell(6, cell::kComponent, "IC7");
  Refresh();
  EXPECT_TRUE(Node(1)->isExpanded());
  EXPECT_EQ(Node(2)->text(0), "IC7");
  EXPECT_FALSE(Node(2)->isExpanded());
  EXPECT_EQ(Node(2)->childCount(), 2);
  ExpectControlsMirrorModels();
}

TEST_F(TreePanelTest, RegroupingPinsUnderOtherNodesKeepsOtherExpansions) {
  plan.currentRecord = 1;
  AddRecord(plan, "IC3", "1");
  Refresh();
  Node(1)->setExpanded(true);
  Node(3)->setExpanded(true);
  // IC2's first pin joins IC1: a node becomes a pin, everything regroups.
  plan.table.SetCell(5, cell::kComponent, "IC1");
  Refresh();
  ExpectControlsMirrorModels();
  EXPECT_EQ(Node(1)->childCount(), 4);
  EXPECT_TRUE(Node(1)->isExpanded());
  EXPECT_FALSE(Node(2)->isExpanded());  // IC2 now starts at row 6: a new node
  EXPECT_EQ(Node(3)->text(0), "IC3");
  EXPECT_TRUE(Node(3)->isExpanded());
}

TEST_F(TreePanelTest, ClearEmptiesBothTreesSilently) {
  plan.currentRecord = 3;
  plan.table.SetCell(3, cell::kStatus, "Bad");
  Refresh();
  ClearTrees(testTree, badTree);
  EXPECT_EQ(testTree->Tree()->topLevelItemCount(), 0);
  EXPECT_EQ(badTree->Tree()->topLevelItemCount(), 0);
  EXPECT_EQ(testTree->Model().Count(), 0);
  EXPECT_TRUE(selections.empty());
  Refresh();  // built again from nothing, every node collapsed but the current one's
  EXPECT_FALSE(Node(2)->isExpanded());
  ExpectControlsMirrorModels();
}

TEST_F(TreePanelTest, DeletedRecordsLeaveNoItemsInEitherTree) {
  for (int row = 2; row <= 6; ++row) plan.table.SetCell(row, cell::kStatus, "Bad");
  Refresh();
  plan.currentRecord = 3;
  DeleteRecords(plan, 4);
  Refresh();
  EXPECT_EQ(testTree->Tree()->topLevelItemCount(), 2);
  EXPECT_EQ(Node(1)->childCount(), 1);
  EXPECT_EQ(badTree->Tree()->topLevelItemCount(), 2);
  ExpectControlsMirrorModels();
}

// Many random edits of the kinds the editor and the test run make; after
// every refresh the controls must show exactly the models' items.
TEST_F(TreePanelTest, ControlsFollowTheModelsThroughRandomEdits) {
  for (int i = 0; i < 60; ++i) {
    AddRecord(plan, "U" + std::to_string(i / 4), std::to_string(i % 4 + 1));
  }
  std::mt19937 random(20240611);
  const char* statuses[] = {"Good", "Bad", "Untested", "NoTest", ""};
  const auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  Refresh();
  for (int step = 0; step < 300; ++step) {
    const int rows = RowCount(plan);
    const int row = pick(2, std::max(rows, 2));
    switch (pick(0, 7)) {
      case 0: plan.table.SetCell(row, cell::kStatus, statuses[pick(0, 4)]); break;
      case 1: plan.table.SetCell(row, cell::kComponent, "U" + std::to_string(pick(0, 20))); break;
      case 2: plan.table.SetCell(row, cell::kPin, std::to_string(pick(1, 5))); break;
      case 3: plan.table.SetCell(row, cell::kUserText, pick(0, 1) ? "probe" : ""); break;
      case 4:
        plan.currentRecord = row;
        if (rows > 3) DeleteRecords(plan, pick(1, 3));
        break;
      case 5:
        plan.currentRecord = row;
        InsertRecordsAfter(plan, pick(1, 3));
        break;
      case 6:
        for (int r = 2; r <= rows; ++r) plan.table.SetCell(r, cell::kStatus, statuses[pick(0, 1)]);
        break;
      case 7: plan.table.SetCell(row, cell::kSignature, pick(0, 1) ? "Yes" : "No"); break;
    }
    plan.currentRecord = pick(1, RowCount(plan));
    if (pick(0, 9) == 0)
      Node(pick(0, testTree->Tree()->topLevelItemCount() - 1))->setExpanded(true);
    Refresh();
    ExpectControlsMirrorModels();
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "first mismatch after step " << step;
      return;
    }
    const std::optional<int> selected = testTree->Model().Selected();
    if (selected) {
      EXPECT_EQ(testTree->Tree()->currentItem(), testTree->ItemAt(*selected));
    }
  }
  EXPECT_TRUE(selections.empty());
}

// Marks as an automatic run makes them, each followed at once by the
// marked record's refresh: the controls stay those of the models, which
// stay those a full refresh would build.
TEST_F(TreePanelTest, MarkedRecordRefreshesKeepTheControlsInLineWithAFullRefresh) {
  for (int i = 0; i < 40; ++i) AddRecord(plan, "U" + std::to_string(i / 4), "1");
  Refresh();
  Node(1)->setExpanded(true);
  std::mt19937 random(77);
  for (int row = 2; row <= RowCount(plan); ++row) {
    plan.table.SetCell(row, cell::kStatus, random() % 3 == 0 ? "Bad" : "Good");
    RefreshTestTreeRecord(*testTree, plan, row);
    RefreshBadTree(*badTree, plan, kTitle);
    ExpectControlsMirrorModels();
    ASSERT_EQ(testTree->Model().Items(), TestTreeItems(plan.table, kTitle)) << "row " << row;
  }
  EXPECT_TRUE(Node(1)->isExpanded());
  EXPECT_TRUE(selections.empty());
}

TEST(TreeIconsFrom, TakesTheSmallResultPictures) {
  std::vector<PictureId> asked;
  const TreeIcons icons = TreeIconsFrom([&](PictureId id) {
    asked.push_back(id);
    QPixmap pixmap(23, 23);
    pixmap.fill(QColor(static_cast<int>(id) * 9, 0, 0));
    return pixmap;
  });
  EXPECT_EQ(asked, (std::vector<PictureId>{PictureId::GoodSmall, PictureId::BadSmall,
                                           PictureId::QuestionMarkSmall, PictureId::NoTestSmall,
                                           PictureId::NoSigSmall, PictureId::BlockSmall}));
  EXPECT_EQ(icons.For(TreeIcon::Bad).pixmap(23, 23).toImage().pixelColor(0, 0),
            QColor(static_cast<int>(PictureId::BadSmall) * 9, 0, 0));
  EXPECT_TRUE(icons.For(TreeIcon::None).isNull());
}

}  // namespace
}  // namespace vanto
