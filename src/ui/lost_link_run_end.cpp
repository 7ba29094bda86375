#include "ui/lost_link_run_end.h"

#include <string_view>

#include "foundation/message_texts.h"
#include "testplan/plan_cells.h"
#include "testplan/record_cells.h"
#include "ui/test_run.h"

namespace vanto {

std::string LinkLostRunStoppedText(const TestPlanState& plan, int row) {
  std::string text = text::kLinkLostRunStopped + std::to_string(row);
  if (row >= 2 && row <= RowCount(plan)) {
    text += " (";
    text += plan.table.CellView(row, cell::kComponent);
    const std::string_view pin = plan.table.CellView(row, cell::kPin);
    if (!pin.empty()) {
      text += ", Pin ";
      text += pin;
    }
    text += ")";
  }
  return text;
}

bool EndRunOnLostLink(TestRunContext& context) {
  TestRunState& run = context.run;
  const bool connected = context.instrument.IsConnected();
  const bool lost = run.linkSeenConnected && !connected;
  run.linkSeenConnected = connected;
  if (!lost || !IsAutomaticRun(run.runMode)) return false;
  const int row = context.plan.currentRecord;
  EndAutomaticRun(context);
  context.messages.ShowMessage(LinkLostRunStoppedText(context.plan, row));
  return true;
}

}  // namespace vanto
