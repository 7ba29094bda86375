#include "ui/run_outcome.h"

#include <algorithm>
#include <string_view>

#include "testplan/record_cells.h"

namespace vanto {
namespace {

int WithinRecords(const TestPlanState& plan) {
  return std::min(plan.currentRecord, RowCount(plan));
}

}  // namespace

std::string RunCompleteText(const TestPlanState& plan) {
  int good = 0;
  int bad = 0;
  int noTest = 0;
  for (int row = 2; row <= RowCount(plan); ++row) {
    const std::string_view status = plan.table.CellView(row, cell::kStatus);
    if (status == cell::kGood) ++good;
    if (status == cell::kBad) ++bad;
    if (status == cell::kNoTest) ++noTest;
  }
  return "Run complete: " + std::to_string(good) + " Good, " + std::to_string(bad) + " Bad, " +
         std::to_string(noTest) + " NoTest";
}

void NoteRunEnd(TestRunContext& context) {
  RunOutcome& outcome = context.run.outcome;
  outcome.text = outcome.recordsDone == 0 ? kNothingLeftToTest : RunCompleteText(context.plan);
  outcome.record = WithinRecords(context.plan);
  outcome.changed = true;
  context.display.scopeRedrawPending = true;
}

void ClearRunOutcome(RunOutcome& outcome, DisplayRequests& display) {
  if (!outcome.text) return;
  outcome.text.reset();
  outcome.changed = true;
  display.scopeRedrawPending = true;
}

void ClearRunOutcomeOnRecordChange(RunOutcome& outcome, const TestPlanState& plan,
                                   DisplayRequests& display) {
  if (outcome.text && WithinRecords(plan) != outcome.record) ClearRunOutcome(outcome, display);
}

void ShowRunOutcome(std::optional<std::string>& statusText, const RunOutcome* outcome) {
  if (outcome != nullptr && outcome->text) statusText = outcome->text;
}

std::optional<std::string> WindowStatusText(RunOutcome& outcome,
                                            std::optional<std::string> linkText) {
  if (linkText) outcome.linkStatusText = *linkText;
  if (outcome.changed) {
    outcome.changed = false;
    return outcome.text ? *outcome.text : outcome.linkStatusText;
  }
  if (outcome.text) return std::nullopt;
  return linkText;
}

}  // namespace vanto
