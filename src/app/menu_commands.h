// What the menu entries do. Entries that choose a setting change it in the
// context, write it to the settings file and say what must be redrawn;
// entries that start another feature's work (plan files, connection,
// trees, colours dialog, calibration) go through MenuCommandHooks, which
// the main window wires to those features. Main thread only.
#pragma once

#include <string>

#include "app/app_context.h"
#include "app/menu_model.h"

namespace vanto {

inline constexpr const char* kAboutTitle = "About";
inline constexpr const char* kSupportTitle = "Support";
inline constexpr const char* kSupportWebSite = "https://www.vanto-analyser.org/support";
inline constexpr const char* kChangeInstrumentTitle = "Info";
inline constexpr const char* kChangeInstrumentText =
    "Change will take effect when you restart VANTO";
// An old date, so that the release check runs at the next start and
// offers the software of the newly chosen model.
inline constexpr const char* kInstrumentChangeCheckDate = "01/01/2021";

// The other features' operations. Each runs to its end before it returns
// (requesters and dialogs are modal) and does its own refreshing.
class MenuCommandHooks {
 public:
  virtual ~MenuCommandHooks() = default;
  // "New"; called only in the "Advanced" mode.
  virtual void NewPlan() = 0;
  virtual void OpenPlan() = 0;
  virtual void SavePlan() = 0;
  // "Open Recent" item 0..7: the plan named by that recent-list entry.
  virtual void OpenRecentPlan(int index) = 0;
  virtual void Connect() = 0;
  virtual void Disconnect() = 0;
  // Empties both trees and fills them again.
  virtual void CollapseTestTree() = 0;
  virtual void OpenDisplayColours() = 0;
  virtual void OpenCalibration() = 0;
  // Asked before "New", "Open", an "Open Recent" item and Change
  // Instrument, which all drop the plan in memory: false calls the command
  // off (see SettleUnsavedPlan).
  virtual bool SettleUnsavedPlan() { return true; }
};

// What the caller must do after a command.
struct MenuOutcome {
  bool refreshInterface = false;  // run the interface refresh
  bool displayRefresh = false;    // raise DisplayRefreshPending (scopes and board view)
  bool instrumentMarks = false;   // apply the four Change Instrument marks now
};

// Runs the command of the chosen entry once.
MenuOutcome RunMenuCommand(AppContext& context, MenuCommand command, MenuCommandHooks& hooks);

// Change Instrument for one model: the settings file names it for the next
// start and the release check is made due; this run keeps its model.
void ChangeInstrument(AppContext& context, const std::string& model);

// The texts of the two help boxes.
std::string AboutText();
std::string SupportText();

}  // namespace vanto
