// The plan commands of the File menu and the recent list.
#include "app/plan_file_commands.h"

#include <optional>
#include <utility>

#include "foundation/message_texts.h"
#include "foundation/mode_and_view.h"
#include "foundation/settings_keys.h"

namespace vanto {
namespace {

void SetCurrentPlanFile(AppContext& context, std::string name) {
  context.app.currentPlanFile = std::move(name);
  context.settings.testPlanFileName = context.app.currentPlanFile;
  context.settingsStore.WriteSetting(key::kTestPlanFileName, context.app.currentPlanFile);
}

}  // namespace

PlanFileOutcome OpenPlanCommand(AppContext& context, FileRequester& requester) {
  std::string chosen = requester.OpenFile(OpenPlanRequest());
  if (chosen.empty()) return {};
  return OpenTestPlan(context, std::move(chosen));
}

PlanFileOutcome OpenTestPlan(AppContext& context, std::string name) {
  // A failed load has shown its message and kept the old table; the old
  // name stays with it, so that saving it goes to the file it came from.
  if (!LoadTestPlan(context.plan, name, context.messages)) return {};
  context.plan.currentRecord = 1;
  SetCurrentPlanFile(context, std::move(name));
  PlanFileOutcome outcome = UpdateRecentList(context);
  outcome.recordChanged = true;
  outcome.clearTestTree = true;
  outcome.displayRefresh = true;
  outcome.refreshInterface = true;
  return outcome;
}

PlanFileOutcome OpenRecentPlanCommand(AppContext& context, int index) {
  if (index < 0 || index >= kRecentFileCount) return {};
  // A copy: opening reorders the list the name came from.
  return OpenTestPlan(context, context.settings.recentFiles[static_cast<std::size_t>(index)]);
}

std::string SavePlanCommand(AppContext& context, FileRequester& requester) {
  std::string chosen = requester.SaveFile(SavePlanRequest(context.app.currentPlanFile));
  if (!chosen.empty()) SaveTestPlan(context.plan, chosen, context.messages);
  return chosen;
}

PlanFileOutcome NewPlanCommand(AppContext& context, FileRequester& requester) {
  const std::optional<AppMode> mode = ParseAppMode(context.settings.mode);
  if (!mode) return {};
  if (IsCompactMode(*mode)) {
    context.messages.ShowMessage(text::kAdvancedOnly);
    return {};
  }
  NewTestPlan(context.plan);
  std::string chosen = SavePlanCommand(context, requester);
  // Reading the file back checks that it was written; when the user
  // cancelled there is no file, the load reports it and the empty plan stays.
  LoadTestPlan(context.plan, chosen, context.messages);
  context.plan.currentRecord = 1;
  SetCurrentPlanFile(context, std::move(chosen));
  PlanFileOutcome outcome = UpdateRecentList(context);
  outcome.recordChanged = true;
  outcome.editCaptureOn = true;
  outcome.clearTestTree = true;
  outcome.displayRefresh = true;
  outcome.scopeRedraw = true;
  outcome.refreshTrees = true;
  outcome.refreshInterface = true;
  return outcome;
}

bool SettleUnsavedPlan(AppContext& context, QuestionBoxes& questions, FileRequester& requester) {
  if (!context.plan.table.HasUnsavedChanges()) return true;
  const std::string& name = context.app.currentPlanFile;
  const std::string shownName = name.empty() ? kUntitledRecentPlan : name;
  switch (questions.AskYesNoCancel(text::kSaveChangesTitle, std::string(text::kSaveChangesPrefix) +
                                                               shownName +
                                                               text::kSaveChangesSuffix)) {
    case QuestionAnswer::No: return true;
    case QuestionAnswer::Cancel: return false;
    case QuestionAnswer::Yes: break;
  }
  // A failed save has shown its message; the command waits for the user.
  if (!name.empty()) return SaveTestPlan(context.plan, name, context.messages);
  return !SavePlanCommand(context, requester).empty() && !context.plan.table.HasUnsavedChanges();
}

PlanFileOutcome UpdateRecentList(AppContext& context) {
  RecentPlans& recent = context.settings.recentFiles;
  if (PlaceInRecentPlans(recent, context.app.currentPlanFile) == RecentListChange::Added) {
    for (int i = 0; i < kRecentFileCount; ++i) {
      context.settingsStore.WriteSetting(RecentFileKey(i), recent[static_cast<std::size_t>(i)]);
    }
  }
  PlanFileOutcome outcome;
  outcome.relabelRecent = true;
  return outcome;
}

const RecentPlans& RecentMenuLabels(const AppContext& context) {
  return context.settings.recentFiles;
}

}  // namespace vanto
