// The main window's menus, built from the menu data (MenuBar()): labels as
// written, separators, submenus and entries that can carry a check mark.
// A chosen entry is reported by its MenuCommand; the check marks follow only
// what the program sets (the interface refresh, the link), never the click
// itself. Main thread only; the QActions belong to the menu bar.
#pragma once

#include <QAction>
#include <QMenuBar>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/menu_model.h"
#include "app/interface_refresh.h"

namespace vanto {

class MenuBarWidgets {
 public:
  using CommandSink = std::function<void(MenuCommand command)>;

  // Adds every menu of MenuBar() to `bar`, which must outlive this object.
  // The top-level titles get their first letter as keyboard mnemonic
  // (Alt+F opens "File"); every other label shows exactly as written.
  MenuBarWidgets(QMenuBar* bar, CommandSink sink);

  // Sets each mark in the order given, without reporting anything.
  void ApplyMarks(const std::vector<MenuMark>& marks);
  void SetChecked(MenuCommand command, bool checked);
  // Relabels "Open Recent" item `index` (0..7); other indices are ignored.
  void SetRecentLabel(int index, const std::string& label);

  // The action of an entry, or nullptr for None or an unknown command.
  QAction* Action(MenuCommand command) const;
  // The top-level menu with this title ("File"), or nullptr.
  QMenu* Menu(const std::string& title) const;

 private:
  void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries);

  CommandSink sink_;
  std::map<MenuCommand, QAction*> actions_;
  std::map<std::string, QMenu*> menus_;
};

// A label as Qt must be given it to show it as written: "&" doubled.
QString VerbatimMenuLabel(const std::string& label);

}  // namespace vanto
