#include "app/menu_commands.h"

#include <optional>

#include "app/keyboard_help.h"
#include "foundation/crash_handler.h"
#include "foundation/message_texts.h"
#include "foundation/mode_and_view.h"
#include "foundation/number_text.h"
#include "foundation/settings_keys.h"

namespace vanto {
namespace {

MenuOutcome Refresh() {
  MenuOutcome outcome;
  outcome.refreshInterface = true;
  return outcome;
}

// The scope options change what the scopes and the board view draw.
bool ChangesDrawing(std::string_view name) {
  return name == key::kScope1GraticuleMode || name == key::kScope1CrosshairMode ||
         name == key::kScopeXCrosshairMode || name == key::kPcbCrosshairType;
}

MenuOutcome StoreChoice(AppContext& context, const MenuChoice& choice) {
  context.settings.*(choice.field) = choice.value;
  context.settingsStore.WriteSetting(choice.key, choice.value);
  MenuOutcome outcome = Refresh();
  outcome.displayRefresh = ChangesDrawing(choice.key);
  return outcome;
}

// 1 only from 0: a hand-edited 5 goes to 0 on the first choice.
MenuOutcome FlipToggle(AppContext& context, const MenuToggle& toggle) {
  std::int32_t& value = context.settings.*(toggle.field);
  value = value == 0 ? 1 : 0;
  context.settingsStore.WriteSetting(toggle.key, value);
  return Refresh();
}

void NewPlanIfAdvanced(AppContext& context, MenuCommandHooks& hooks) {
  const std::optional<AppMode> mode = ParseAppMode(context.settings.mode);
  if (!mode) return;  // a mode text of no known mode: nothing, not even a message
  if (IsCompactMode(*mode)) {
    context.messages.ShowMessage(text::kAdvancedOnly);
    return;
  }
  if (hooks.SettleUnsavedPlan()) hooks.NewPlan();
}

}  // namespace

void ChangeInstrument(AppContext& context, const std::string& model) {
  context.settings.dateOfLastUpdateCheck = kInstrumentChangeCheckDate;
  context.settingsStore.WriteSetting(key::kDateOfLastUpdateCheck, kInstrumentChangeCheckDate);
  context.settings.activeInstrument = model;
  context.settingsStore.WriteSetting(key::kActiveInstrument, model);
  context.app.menuModel = model;
  context.messages.Boxes().Show(BoxIcon::Information, kChangeInstrumentTitle,
                                kChangeInstrumentText);
}

MenuOutcome RunMenuCommand(AppContext& context, MenuCommand command, MenuCommandHooks& hooks) {
  if (const int recent = RecentIndex(command); recent >= 0) {
    if (hooks.SettleUnsavedPlan()) hooks.OpenRecentPlan(recent);
    return {};
  }
  if (const std::string_view model = InstrumentOfCommand(command); !model.empty()) {
    // The plan is asked about now: the new model comes with a restart.
    if (!hooks.SettleUnsavedPlan()) return {};
    ChangeInstrument(context, std::string(model));
    MenuOutcome outcome;
    outcome.instrumentMarks = true;
    return outcome;
  }
  if (const std::optional<MenuChoice> choice = ChoiceOfCommand(command)) {
    return StoreChoice(context, *choice);
  }
  if (const std::optional<MenuToggle> toggle = ToggleOfCommand(command)) {
    return FlipToggle(context, *toggle);
  }
  switch (command) {
    case MenuCommand::New: NewPlanIfAdvanced(context, hooks); break;
    case MenuCommand::Open:
      if (hooks.SettleUnsavedPlan()) hooks.OpenPlan();
      break;
    case MenuCommand::Save: hooks.SavePlan(); break;
    case MenuCommand::Connect: hooks.Connect(); break;
    case MenuCommand::Disconnect: hooks.Disconnect(); break;
    case MenuCommand::CollapseTestTree: hooks.CollapseTestTree(); break;
    case MenuCommand::DisplayColours: hooks.OpenDisplayColours(); break;
    case MenuCommand::CalibrateDacAdc: hooks.OpenCalibration(); break;
    case MenuCommand::About:
      context.messages.Boxes().Show(BoxIcon::Information, kAboutTitle, AboutText());
      break;
    case MenuCommand::KeyboardAndFootswitch:
      context.messages.Boxes().Show(BoxIcon::Information, kKeyboardHelpTitle,
                                    KeyboardHelpText(BuildRibbon(context.app.activeModel)));
      break;
    case MenuCommand::SupportInfo:
      context.messages.Boxes().Show(BoxIcon::Information, kSupportTitle, SupportText());
      break;
    default: break;
  }
  return {};
}

std::string AboutText() {
  return "VANTO V" + FormatFixed(kAppVersion, 3) +
         "\nControl program for the ORX analog signature analysers.\n\n"
         "This software is provided \"as is\", without warranty of any kind, express or "
         "implied, including but not limited to the warranties of merchantability, fitness for "
         "a particular purpose and noninfringement. In no event shall the authors be liable for "
         "any claim, damages or other liability arising from its use.\n\n"
         "FTDI and D2XX are trademarks of Future Technology Devices International Ltd.";
}

std::string SupportText() {
  return std::string("visit: ") + kSupportWebSite + " or email: " + kSupportEmail;
}

}  // namespace vanto
