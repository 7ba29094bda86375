#include "ui/dispatch_steps.h"

#include "foundation/number_text.h"
#include "testplan/record_cells.h"

namespace vanto {

bool NoticeRunModeChange(TestRunContext& context) {
  TestRunState& run = context.run;
  const auto mode = static_cast<std::int32_t>(run.runMode);
  if (mode == run.lastRunMode && run.runModeChanges == run.runModeChangesNoticed) return false;
  // An automatic mode after any change means a run was entered, also when
  // it was the mode of the previous pass too (ended and started again).
  if (IsAutomaticRun(run.runMode)) {
    context.analysis.stableCycleCount = 0;
    context.analysis.openCycleCount = 0;
  }
  run.lastRunMode = mode;
  run.runModeChangesNoticed = run.runModeChanges;
  context.hooks.RefreshInterface();
  return true;
}

std::int64_t CalendarSeconds(const CalendarTime& time) {
  // Days from the civil date (proleptic Gregorian), March-based year.
  const std::int64_t y = time.year - (time.month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t m = time.month;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + time.day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const std::int64_t days = era * 146097 + doe - 719468;
  return days * 86400 + time.hour * 3600 + time.minute * 60 + time.second;
}

bool TakeRelayoutRequest(TestRunState& run, bool& relayoutPending, std::int64_t nowSeconds) {
  if (!relayoutPending || nowSeconds < run.lastRelayoutTime + 1) return false;
  run.lastRelayoutTime = nowSeconds;
  relayoutPending = false;
  return true;
}

bool ApplyRecordChange(TestRunContext& context) {
  TestPlanState& plan = context.plan;
  TestRunState& run = context.run;
  if (plan.currentRecord == run.lastRecordSeen) return false;
  run.lastRecordSeen = plan.currentRecord;
  if (run.useRecordSettings) {
    if (plan.currentRecord > RowCount(plan)) plan.currentRecord = RowCount(plan);
    const int row = plan.currentRecord;
    const TestPlan& table = plan.table;
    const std::int32_t millivolts = ParseInt(table.CellView(row, cell::kAmplitude));
    const std::int32_t ohms = ParseInt(table.CellView(row, cell::kResistance));
    const std::int32_t hertz = ParseInt(table.CellView(row, cell::kFrequency));
    GeneratorSettings& generator = context.generator;
    generator.scanSig = ParseInt(table.CellView(row, cell::kScanSig));
    generator.scanCom = ParseInt(table.CellView(row, cell::kScanCom));
    if (millivolts != 0 && ohms != 0 && hertz != 0) {
      generator.requestedMv = static_cast<float>(millivolts);
      generator.requestedOhms = static_cast<float>(ohms);
      generator.requestedHz = static_cast<float>(hertz);
    }
  }
  context.display.displayRefreshPending = true;
  context.hooks.RefreshTrees();
  return true;
}

int MiniScopeRecordOffset(int hitResult) {
  if (hitResult < 2 || hitResult > 10) return 0;
  return hitResult - 6;
}

void MoveByMiniScope(TestRunContext& context, int offset) {
  if (offset == 0) return;
  TestPlanState& plan = context.plan;
  plan.currentRecord += offset;
  if (plan.currentRecord > RowCount(plan)) plan.currentRecord = RowCount(plan);
  if (plan.currentRecord < 2) plan.currentRecord = 2;
  context.hooks.RefreshInterface();
  context.display.displayRefreshPending = true;
}

}  // namespace vanto
