// Tree panels: caption, tree control, and applying a model refresh to the
// control item by item.
#include "testplan/qt/tree_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cstdint>
#include <utility>

namespace vanto {
namespace {

constexpr int kPanelX = 2;
constexpr int kPanelY = 2;
constexpr int kPanelWidth = 144;
constexpr int kPanelHeight = 100;
constexpr int kCaptionHeight = 23;
constexpr int kTreeTop = 26;
constexpr int kTreeHeight = 250;
constexpr int kIconSide = 23;

// Up to this many new items are put in place one by one; more, or any
// change of level, and the control's items are regrouped in one pass.
constexpr std::size_t kInPlaceLimit = 64;

// The item's row, for whoever reads the control directly.
constexpr int kRowRole = Qt::UserRole;

// Settings keep colours as $00BBGGRR, red in the low byte.
QColor SettingColour(std::int32_t bbggrr) {
  const auto value = static_cast<std::uint32_t>(bbggrr);
  return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                static_cast<int>((value >> 16) & 0xFFu));
}

}  // namespace

TreePanelStyle TreePanelStyleFrom(const Settings& settings, const QFont& headerFont) {
  return TreePanelStyle{SettingColour(settings.colourPanel), SettingColour(settings.colourHeader),
                        SettingColour(settings.colourHeaderText), headerFont};
}

const QIcon& TreeIcons::For(TreeIcon icon) const {
  static const QIcon kNone;
  switch (icon) {
    case TreeIcon::Good: return good;
    case TreeIcon::Bad: return bad;
    case TreeIcon::Untested: return untested;
    case TreeIcon::NoTest: return noTest;
    case TreeIcon::NoSig: return noSignature;
    case TreeIcon::Block: return block;
    case TreeIcon::None: return kNone;
  }
  return kNone;
}

TreeIcons TreeIconsFrom(const std::function<QPixmap(PictureId)>& picture) {
  TreeIcons icons;
  icons.good = QIcon(picture(PictureId::GoodSmall));
  icons.bad = QIcon(picture(PictureId::BadSmall));
  icons.untested = QIcon(picture(PictureId::QuestionMarkSmall));
  icons.noTest = QIcon(picture(PictureId::NoTestSmall));
  icons.noSignature = QIcon(picture(PictureId::NoSigSmall));
  icons.block = QIcon(picture(PictureId::BlockSmall));
  return icons;
}

TreePanel::TreePanel(const QString& caption, TreeIcons icons, QWidget* parent)
    : QWidget(parent),
      icons_(std::move(icons)),
      caption_(new QLabel(caption, this)),
      tree_(new QTreeWidget(this)) {
  setAutoFillBackground(true);
  setGeometry(kPanelX, kPanelY, kPanelWidth, kPanelHeight);
  caption_->setGeometry(0, 0, kPanelWidth, kCaptionHeight);
  caption_->setAlignment(Qt::AlignCenter);
  caption_->setAutoFillBackground(true);
  tree_->setGeometry(0, kTreeTop, kPanelWidth, kTreeHeight);
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(true);
  tree_->setItemsExpandable(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setUniformRowHeights(true);  // keeps layout cheap for plans of many records
  tree_->setIconSize(QSize(kIconSide, kIconSide));
  // Entries such as "U1, Pin 4  74HC14, net PB3" are longer than a narrow
  // panel: the column is as wide as its longest entry and the tree scrolls
  // sideways instead of cutting the text short.
  tree_->setTextElideMode(Qt::ElideNone);
  tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  tree_->header()->setStretchLastSection(false);
  tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  ApplyTreeColours();
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelectionChanged(); });
}

void TreePanel::SetStyle(const TreePanelStyle& style) {
  QPalette panel = palette();
  panel.setColor(QPalette::Window, style.panel);
  setPalette(panel);
  QPalette header = caption_->palette();
  header.setColor(QPalette::Window, style.header);
  header.setColor(QPalette::WindowText, style.headerText);
  caption_->setPalette(header);
  caption_->setFont(style.headerFont);
  ApplyTreeColours();  // the tree keeps its own colours whatever the panel's
}

// White on black; the selection looks the same with or without the focus,
// so it stays visible while the user works elsewhere.
void TreePanel::ApplyTreeColours() {
  QPalette colours = tree_->palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    colours.setColor(group, QPalette::Base, Qt::black);
    colours.setColor(group, QPalette::Window, Qt::black);
    colours.setColor(group, QPalette::Text, Qt::white);
    colours.setColor(group, QPalette::WindowText, Qt::white);
  }
  colours.setColor(QPalette::Inactive, QPalette::Highlight,
                   colours.color(QPalette::Active, QPalette::Highlight));
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   colours.color(QPalette::Active, QPalette::HighlightedText));
  if (colours != tree_->palette()) tree_->setPalette(colours);
}

QTreeWidgetItem* TreePanel::ItemAt(int position) const {
  if (position < 0 || position >= static_cast<int>(items_.size())) return nullptr;
  return items_[static_cast<std::size_t>(position)];
}

QTreeWidgetItem* TreePanel::MakeItem(const TreeItem& item) const {
  const QString text = QString::fromStdString(item.text);
  auto* made = new QTreeWidgetItem(QStringList(text));
  made->setToolTip(0, text);  // the whole entry, however narrow the panel
  made->setData(0, kRowRole, item.row);
  if (item.icon != TreeIcon::None) made->setIcon(0, icons_.For(item.icon));
  return made;
}

void TreePanel::Apply(const TreeUpdate& update) {
  const QSignalBlocker blocker(tree_);
  ApplyTreeColours();
  const std::vector<TreeItem>& items = model_.Items();

  // Surplus items from the end, so children go before their node.
  const auto count = static_cast<std::size_t>(update.count);
  while (items_.size() > count) {
    delete items_.back();
    items_.pop_back();
  }
  if (!update.replaced.empty() && !ReplaceInPlace(update)) Rebuild(update);
  for (const int p : update.rowChanged) {
    items_[static_cast<std::size_t>(p)]->setData(0, kRowRole,
                                                 items[static_cast<std::size_t>(p)].row);
  }
  for (const int p : update.iconChanged) {
    items_[static_cast<std::size_t>(p)]->setIcon(
        0, icons_.For(items[static_cast<std::size_t>(p)].icon));
  }
  SyncSelection(update.select.has_value());
}

// New items that keep the level of the ones they replace (or come after
// all others) go straight to their place; a replaced node hands its
// children to the new one, which starts collapsed.
bool TreePanel::ReplaceInPlace(const TreeUpdate& update) {
  const std::vector<TreeItem>& items = model_.Items();
  const int existing = static_cast<int>(items_.size());
  if (update.replaced.size() > kInPlaceLimit) return false;
  for (const int p : update.replaced) {
    if (p >= existing) continue;
    const int shownLevel = items_[static_cast<std::size_t>(p)]->parent() != nullptr ? 1 : 0;
    if (shownLevel != items[static_cast<std::size_t>(p)].level) return false;
  }

  for (const int p : update.replaced) {
    const TreeItem& item = items[static_cast<std::size_t>(p)];
    QTreeWidgetItem* fresh = MakeItem(item);
    if (p < existing) {
      QTreeWidgetItem* stale = items_[static_cast<std::size_t>(p)];
      if (QTreeWidgetItem* parent = stale->parent()) {
        parent->insertChild(parent->indexOfChild(stale), fresh);
      } else {
        fresh->addChildren(stale->takeChildren());
        tree_->insertTopLevelItem(tree_->indexOfTopLevelItem(stale), fresh);
      }
      delete stale;
      items_[static_cast<std::size_t>(p)] = fresh;
      continue;
    }
    // After every existing item: a pin joins the last node above it.
    QTreeWidgetItem* node = nullptr;
    if (item.level == 1) {
      for (auto above = items_.rbegin(); above != items_.rend(); ++above) {
        if ((*above)->parent() == nullptr) {
          node = *above;
          break;
        }
      }
    }
    if (node != nullptr) {
      node->addChild(fresh);
    } else {
      tree_->addTopLevelItem(fresh);
    }
    items_.push_back(fresh);
  }
  return true;
}

// Takes every item out, swaps in the new ones and regroups them under
// their nodes in one pass; kept nodes get their expansion back.
void TreePanel::Rebuild(const TreeUpdate& update) {
  const std::vector<TreeItem>& items = model_.Items();
  const std::size_t existing = items_.size();
  std::vector<bool> replaced(items.size(), false);
  for (const int p : update.replaced) replaced[static_cast<std::size_t>(p)] = true;

  std::vector<QTreeWidgetItem*> expanded;
  for (std::size_t p = 0; p < existing; ++p) {
    if (!replaced[p] && items_[p]->isExpanded()) expanded.push_back(items_[p]);
  }

  for (QTreeWidgetItem* node : tree_->invisibleRootItem()->takeChildren()) {
    node->takeChildren();
  }
  items_.resize(items.size(), nullptr);
  for (const int p : update.replaced) {
    const auto at = static_cast<std::size_t>(p);
    if (at < existing) delete items_[at];
    items_[at] = MakeItem(items[at]);
  }

  QList<QTreeWidgetItem*> roots;
  QTreeWidgetItem* node = nullptr;
  QList<QTreeWidgetItem*> children;
  const auto closeNode = [&] {
    if (node != nullptr && !children.isEmpty()) node->addChildren(children);
    children.clear();
  };
  for (std::size_t p = 0; p < items.size(); ++p) {
    if (items[p].level == 0 || node == nullptr) {
      closeNode();
      roots.append(items_[p]);
      if (items[p].level == 0) node = items_[p];
    } else {
      children.append(items_[p]);
    }
  }
  closeNode();
  tree_->addTopLevelItems(roots);
  for (QTreeWidgetItem* item : expanded) item->setExpanded(true);
}

// Shows the model's selection; a selection the refresh moved is also
// scrolled into view, which opens its node.
void TreePanel::SyncSelection(bool scrollTo) {
  const std::optional<int> wanted = model_.Selected();
  QTreeWidgetItem* target = wanted ? ItemAt(*wanted) : nullptr;
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (target == nullptr) {
    if (!selected.isEmpty()) tree_->clearSelection();
    return;
  }
  if (selected.size() != 1 || selected.front() != target) tree_->setCurrentItem(target);
  if (scrollTo) tree_->scrollToItem(target);
}

void TreePanel::OnSelectionChanged() {
  std::optional<int> position;
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (!selected.isEmpty()) {
    const auto found = std::find(items_.begin(), items_.end(), selected.front());
    if (found != items_.end()) position = static_cast<int>(found - items_.begin());
  }
  model_.SelectByUser(position);
  if (sink_) sink_(model_.SelectedRow());
}

void TreePanel::Clear() {
  const QSignalBlocker blocker(tree_);
  tree_->clear();
  items_.clear();
  model_.Clear();
}

void TreePanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int width = event->size().width();
  caption_->setGeometry(0, 0, width, kCaptionHeight);
  tree_->setGeometry(0, kTreeTop, width, std::max(event->size().height() - kTreeTop, 0));
}

TreePanel* CreateTestTreePanel(QWidget* parent, const TreeIcons& icons) {
  return new TreePanel(QString::fromLatin1(kTestTreeCaption), icons, parent);
}

TreePanel* CreateBadTreePanel(QWidget* parent, const TreeIcons& icons) {
  return new TreePanel(QString::fromLatin1(kBadTreeCaption), icons, parent);
}

void RefreshTestTree(TreePanel& panel, const TestPlanState& plan, std::string_view title) {
  panel.Apply(RefreshTestTree(panel.Model(), plan, title));
}

void RefreshBadTree(TreePanel& panel, const TestPlanState& plan, std::string_view title) {
  panel.Apply(RefreshBadTree(panel.Model(), plan, title));
}

void RefreshTestTreeRecord(TreePanel& panel, const TestPlanState& plan, int row) {
  const TreeUpdate update = RefreshTestTreeRecord(panel.Model(), plan.table, row);
  if (update.ChangesItems()) panel.Apply(update);
}

void ClearTrees(TreePanel* testTree, TreePanel* badTree) {
  if (testTree != nullptr) testTree->Clear();
  if (badTree != nullptr) badTree->Clear();
}

}  // namespace vanto
