// The menu bar's widgets, headless: every menu and entry in its place with
// its label as written, the command a chosen entry reports, and marks that
// only the program sets.
#include "app/qt/menu_bar_widgets.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <string>
#include <vector>

namespace vanto {
namespace {

// What Qt shows for a label: a single '&' marks a mnemonic and is not
// drawn, "&&" draws one '&'.
std::string Shown(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown.toStdString();
}

// Walks the built menus beside the data: the same entries in the same
// order, each of its kind, with its label as shown and its check mark.
void ExpectMenuMatches(const QList<QAction*>& actions, const std::vector<MenuEntry>& entries,
                       const std::string& path) {
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(entries.size())) << path;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const MenuEntry& entry = entries[i];
    QAction* action = actions[static_cast<qsizetype>(i)];
    const std::string where = path + " / " + std::to_string(i) + " " + entry.label;
    EXPECT_EQ(action->isSeparator(), entry.kind == MenuEntryKind::Separator) << where;
    EXPECT_EQ(action->menu() != nullptr, entry.kind == MenuEntryKind::Submenu) << where;
    if (entry.kind == MenuEntryKind::Separator) continue;
    EXPECT_EQ(Shown(action->text()), entry.label) << where;
    EXPECT_EQ(action->isCheckable(), entry.checkable) << where;
    if (QMenu* menu = action->menu()) ExpectMenuMatches(menu->actions(), entry.children, where);
  }
}

class MenuBarWidgetsTest : public ::testing::Test {
 protected:
  QMenuBar bar;
  std::vector<MenuCommand> chosen;
  MenuBarWidgets menus{&bar, [this](MenuCommand command) { chosen.push_back(command); }};
};

TEST_F(MenuBarWidgetsTest, EveryMenuEntrySeparatorAndSubmenuShowsAsTheDataSays) {
  ExpectMenuMatches(bar.actions(), MenuBar(), "");

  std::vector<std::string> titles;
  for (QAction* action : bar.actions()) titles.push_back(Shown(action->text()));
  EXPECT_EQ(titles, (std::vector<std::string>{"File", "Instrument", "Mode", "Test", "Scope",
                                              "Display", "Utilities", "Help"}));
  // Alt and the first letter open a menu.
  EXPECT_EQ(bar.actions().front()->text(), "&File");

  // Leading blanks and odd spacing survive.
  EXPECT_EQ(menus.Action(MenuCommand::StableDelay2)->text(), " 2 cycles");
  EXPECT_EQ(menus.Action(MenuCommand::ViewMiniScopePcbTestTreeBadTree)->text(),
            "1 mini-scope + PCB+ TestTree + BadTree");
  EXPECT_EQ(menus.Action(MenuCommand::None), nullptr);
  EXPECT_NE(menus.Menu("Help"), nullptr);
  EXPECT_EQ(menus.Menu("Edit"), nullptr);
}

TEST_F(MenuBarWidgetsTest, AChosenEntryReportsItsCommandAndLeavesItsMarkToTheProgram) {
  const std::vector<MenuCommand> commands = {
      MenuCommand::Open,          MenuCommand::OpenRecent8,     MenuCommand::Connect,
      MenuCommand::StableDelay15, MenuCommand::ViewPcb,         MenuCommand::InstrumentOrxc,
      MenuCommand::SupportInfo,   MenuCommand::OnlyLtsReleases,
  };
  for (MenuCommand command : commands) {
    QAction* action = menus.Action(command);
    ASSERT_NE(action, nullptr);
    const bool wasChecked = action->isChecked();
    action->trigger();
    EXPECT_EQ(action->isChecked(), wasChecked) << action->text().toStdString();
  }
  EXPECT_EQ(chosen, commands);

  // Every command of the data has its own action.
  std::vector<MenuCommand> all;
  for (int index = 0; index < kRecentMenuItems; ++index) all.push_back(RecentCommand(index));
  all.insert(all.end(), CheckMarkOrder().begin(), CheckMarkOrder().end());
  for (MenuCommand command : all) {
    ASSERT_NE(menus.Action(command), nullptr) << static_cast<int>(command);
    EXPECT_EQ(Shown(menus.Action(command)->text()), FindMenuEntry(command)->label);
  }
}

TEST_F(MenuBarWidgetsTest, MarksFollowTheStateWithoutReportingCommands) {
  Settings settings;
  settings.mode = "Basic";
  settings.stableSignatureDetectThreshold = "2.00%";
  const MenuCheckState checkState{settings, "ORXB", true};
  std::vector<MenuMark> marks;
  for (MenuCommand command : CheckMarkOrder()) {
    marks.push_back({command, MenuChecked(command, checkState)});
  }
  menus.ApplyMarks(marks);
  for (MenuCommand command : CheckMarkOrder()) {
    EXPECT_EQ(menus.Action(command)->isChecked(), MenuChecked(command, checkState))
        << FindMenuEntry(command)->label;
  }
  EXPECT_TRUE(menus.Action(MenuCommand::ModeCompact)->isChecked());
  EXPECT_FALSE(menus.Action(MenuCommand::ModeAdvanced)->isChecked());
  EXPECT_TRUE(menus.Action(MenuCommand::StableThreshold200)->isChecked());
  EXPECT_TRUE(menus.Action(MenuCommand::InstrumentOrxb)->isChecked());
  EXPECT_TRUE(menus.Action(MenuCommand::Connect)->isChecked());

  menus.SetChecked(MenuCommand::Connect, false);
  menus.SetChecked(MenuCommand::Disconnect, true);
  menus.SetChecked(MenuCommand::Open, true);  // no mark on a plain command
  EXPECT_FALSE(menus.Action(MenuCommand::Connect)->isChecked());
  EXPECT_TRUE(menus.Action(MenuCommand::Disconnect)->isChecked());
  EXPECT_FALSE(menus.Action(MenuCommand::Open)->isChecked());
  EXPECT_TRUE(chosen.empty());
}

TEST_F(MenuBarWidgetsTest, RecentItemsShowTheirFileNamesAsWritten) {
  for (int index = 0; index < kRecentMenuItems; ++index) {
    EXPECT_EQ(Shown(menus.Action(RecentCommand(index))->text()), RecentPlaceholderLabel(index));
  }
  menus.SetRecentLabel(0, "testplans\\R&D board.ept");
  menus.SetRecentLabel(7, "  spaced.ept");
  menus.SetRecentLabel(8, "ignored.ept");
  menus.SetRecentLabel(-1, "ignored.ept");
  EXPECT_EQ(Shown(menus.Action(MenuCommand::OpenRecent1)->text()), "testplans\\R&D board.ept");
  EXPECT_EQ(Shown(menus.Action(MenuCommand::OpenRecent8)->text()), "  spaced.ept");
  for (int index = 1; index < kRecentMenuItems - 1; ++index) {
    EXPECT_EQ(Shown(menus.Action(RecentCommand(index))->text()), RecentPlaceholderLabel(index));
  }
  menus.Action(MenuCommand::OpenRecent1)->trigger();
  EXPECT_EQ(chosen, (std::vector<MenuCommand>{MenuCommand::OpenRecent1}));
}

}  // namespace
}  // namespace vanto
