// Building the menus and reporting the chosen entries.
#include "app/qt/menu_bar_widgets.h"

#include <QMenu>
#include <QSignalBlocker>
#include <utility>

namespace vanto {

namespace {

void Report(QAction* action, MenuCommand command, const MenuBarWidgets::CommandSink& sink,
            bool checked) {
  // Qt flips a checkable entry on the click; the mark is the state's to
  // decide (a failed "Connect" stays unchecked), so the flip is undone.
  if (action->isCheckable()) {
    const QSignalBlocker blocker(action);
    action->setChecked(!checked);
  }
  if (sink) sink(command);
}

}  // namespace

QString VerbatimMenuLabel(const std::string& label) {
  return QString::fromStdString(label).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

MenuBarWidgets::MenuBarWidgets(QMenuBar* bar, CommandSink sink) : sink_(std::move(sink)) {
  for (const MenuEntry& title : MenuBar()) {
    QMenu* menu = bar->addMenu(QStringLiteral("&") + VerbatimMenuLabel(title.label));
    menus_[title.label] = menu;
    AddEntries(menu, title.children);
  }
}

void MenuBarWidgets::AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& entry : entries) {
    switch (entry.kind) {
      case MenuEntryKind::Separator: menu->addSeparator(); break;
      case MenuEntryKind::Submenu:
        AddEntries(menu->addMenu(VerbatimMenuLabel(entry.label)), entry.children);
        break;
      case MenuEntryKind::Command: {
        QAction* action = menu->addAction(VerbatimMenuLabel(entry.label));
        action->setCheckable(entry.checkable);
        const MenuCommand command = entry.command;
        const CommandSink sink = sink_;
        QObject::connect(
            action, &QAction::triggered, action,
            [action, command, sink](bool checked) { Report(action, command, sink, checked); });
        actions_[command] = action;
        break;
      }
    }
  }
}

void MenuBarWidgets::ApplyMarks(const std::vector<MenuMark>& marks) {
  for (const MenuMark& mark : marks) SetChecked(mark.command, mark.checked);
}

void MenuBarWidgets::SetChecked(MenuCommand command, bool checked) {
  QAction* action = Action(command);
  if (action == nullptr || !action->isCheckable()) return;
  const QSignalBlocker blocker(action);
  action->setChecked(checked);
}

void MenuBarWidgets::SetRecentLabel(int index, const std::string& label) {
  if (index < 0 || index >= kRecentMenuItems) return;
  if (QAction* action = Action(RecentCommand(index))) action->setText(VerbatimMenuLabel(label));
}

QAction* MenuBarWidgets::Action(MenuCommand command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

QMenu* MenuBarWidgets::Menu(const std::string& title) const {
  const auto found = menus_.find(title);
  return found == menus_.end() ? nullptr : found->second;
}

}  // namespace vanto
