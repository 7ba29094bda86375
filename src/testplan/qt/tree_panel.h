// The main window's two tree panels: a caption line ("TestTree" or
// "Bad TestTree") over a tree control that shows a TreeModel. A refresh
// updates the model from the plan and applies only what changed to the
// control, so unchanged component nodes keep their expansion. Selections
// the user makes go to a sink; selections made by a refresh do not. Main
// thread only; the panel owns its caption, tree and model.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <string_view>
#include <vector>

#include "foundation/resources.h"
#include "foundation/settings.h"
#include "testplan/test_trees.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace vanto {

// The icons of the trees, from the interface pictures.
struct TreeIcons {
  QIcon good;         // "graphics/good_23x23.png"
  QIcon bad;          // "graphics/bad_23x23.png"
  QIcon untested;     // "graphics/questionmark_23x23_yellow.png"
  QIcon noTest;       // "graphics/notest_23x23.png"
  QIcon noSignature;  // "graphics/nosig_23x23_pink.png"
  QIcon block;        // "graphics/block_23x23_black.png"

  const QIcon& For(TreeIcon icon) const;
};

// Builds the icons from the loaded pictures, e.g.
// TreeIconsFrom([&](PictureId id) { return pictureStore.Picture(id); }).
TreeIcons TreeIconsFrom(const std::function<QPixmap(PictureId)>& picture);

// Panel fill ("ORX_ColourPanel"), caption colours ("ORX_ColourHeaderText"
// on "ORX_ColourHeader") and the header font.
struct TreePanelStyle {
  QColor panel;
  QColor header;
  QColor headerText;
  QFont headerFont;
};

// The style from the colour settings and the header font (Arial 11).
TreePanelStyle TreePanelStyleFrom(const Settings& settings, const QFont& headerFont);

class TreePanel final : public QWidget {
 public:
  // The row of the item the user selected; 0 when nothing is selected.
  using SelectionSink = std::function<void(int row)>;

  // Placed at (2, 2), 144 x 100 until the layout moves it; caption at
  // (0, 0) 144 x 23, tree at (0, 26).
  TreePanel(const QString& caption, TreeIcons icons, QWidget* parent = nullptr);

  void SetStyle(const TreePanelStyle& style);
  void SetSelectionSink(SelectionSink sink) { sink_ = std::move(sink); }

  // Applies what a refresh of Model() changed to the tree control.
  void Apply(const TreeUpdate& update);
  // Removes every item, from the model and the control.
  void Clear();

  TreeModel& Model() { return model_; }
  const TreeModel& Model() const { return model_; }
  QLabel* Caption() const { return caption_; }
  QTreeWidget* Tree() const { return tree_; }
  // The control's item at a model position.
  QTreeWidgetItem* ItemAt(int position) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QTreeWidgetItem* MakeItem(const TreeItem& item) const;
  bool ReplaceInPlace(const TreeUpdate& update);
  void Rebuild(const TreeUpdate& update);
  void SyncSelection(bool scrollTo);
  void ApplyTreeColours();
  void OnSelectionChanged();

  TreeIcons icons_;
  QLabel* caption_;
  QTreeWidget* tree_;
  TreeModel model_;
  std::vector<QTreeWidgetItem*> items_;  // the control's items by model position
  SelectionSink sink_;
};

// The two panels, children of `parent`, before the first refresh.
TreePanel* CreateTestTreePanel(QWidget* parent, const TreeIcons& icons);
TreePanel* CreateBadTreePanel(QWidget* parent, const TreeIcons& icons);

// The refreshes on a panel: model refresh, then the control follows.
// `title` is TreeTitle(plan file, WorkingDirectoryPrefix()).
void RefreshTestTree(TreePanel& panel, const TestPlanState& plan, std::string_view title);
void RefreshBadTree(TreePanel& panel, const TestPlanState& plan, std::string_view title);
// After a record got a new result: its pin's and its component's icons.
void RefreshTestTreeRecord(TreePanel& panel, const TestPlanState& plan, int row);
// Empties the given panels (either may be null).
void ClearTrees(TreePanel* testTree, TreePanel* badTree);

}  // namespace vanto
