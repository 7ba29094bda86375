// The ".ept" loader on any file: it loads or refuses with a message, keeps
// the earlier plan when it refuses, and a loaded table reads back in range.
#include <cstdlib>

#include "foundation/messages.h"
#include "fuzz/fuzz_support.h"
#include "support/fakes.h"
#include "testplan/test_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vanto;
  fuzz::EnterScratchFolder();
  fuzz::WriteInput("plan.ept", fuzz::AsText(data, size));
  testing::FakeClock clock;
  testing::RecordingBoxes boxes;
  Messages messages{clock, boxes};
  TestPlanState plan;
  plan.table.SetCell(1, 1, "earlier");
  if (LoadTestPlan(plan, "plan.ept", messages)) {
    if (plan.table.Rows() < 1 || plan.table.Columns() < kPlanColumns) std::abort();
    const int rows = plan.table.Rows();
    const int columns = plan.table.Columns();
    for (int row = 1; row <= rows; ++row) {
      (void)plan.table.CellView(row, columns);
      (void)plan.table.CellView(row, 1);
    }
    (void)plan.table.CellView(rows + 1, columns + 1);
    if (SaveTestPlan(plan, "saved.ept", messages)) {
      TestPlanState again;
      if (!LoadTestPlan(again, "saved.ept", messages)) std::abort();
      if (again.table.Rows() != rows) std::abort();
    }
  } else if (plan.table.Cell(1, 1) != "earlier" || boxes.shown.empty()) {
    std::abort();
  }
  return 0;
}
