#include "demo_plan.h"

#include <algorithm>
#include <string>

namespace vanto::demo {

std::vector<DemoRecord> DemoRecords(const DemoBoard& board) {
  std::vector<DemoRecord> records;
  int row = 2;
  for (const DemoComponent& component : board.components) {
    for (const DemoPin& pin : component.pins) records.push_back({row++, &component, &pin});
  }
  return records;
}

int ComponentZoom(const DemoBoard& board, const DemoComponent& component) {
  const PixelRect& f = component.footprint;
  const int extent = std::max({f.right - f.left, f.bottom - f.top, 1});
  // About a third of the view for the part itself, within 2..8.
  return std::clamp(board.width / (3 * extent), 2, 8);
}

void LayOutDemoPlan(TestPlanState& plan, const DemoBoard& board) {
  const std::vector<DemoRecord> records = DemoRecords(board);
  TestPlan& table = plan.table;
  table.Reset(static_cast<int>(records.size()) + 1, kPlanColumns);
  table.SetCell(1, column::kImageFile, kDemoPhotographFile);
  table.SetCell(1, column::kViewX, std::to_string(board.width / 2));
  table.SetCell(1, column::kViewY, std::to_string(board.height / 2));
  table.SetCell(1, column::kZoom, "1");
  for (const DemoRecord& record : records) {
    const DemoComponent& part = *record.component;
    const DemoPin& pin = *record.pin;
    const int row = record.row;
    table.SetCell(row, column::kDescription, part.name + ", Pin " + std::to_string(pin.number));
    table.SetCell(row, column::kStatus, pin.tested ? "Untested" : "NoTest");
    table.SetCell(row, column::kComponent, part.name);
    table.SetCell(row, column::kPin, std::to_string(pin.number));
    table.SetCell(row, column::kUserText, NetUserText(part, pin));
    table.SetCell(row, column::kViewX, std::to_string(part.footprint.CentreX()));
    table.SetCell(row, column::kViewY, std::to_string(part.footprint.CentreY()));
    table.SetCell(row, column::kZoom, std::to_string(ComponentZoom(board, part)));
    table.SetCell(row, column::kTestX, std::to_string(pin.x));
    table.SetCell(row, column::kTestY, std::to_string(pin.y));
    table.SetCell(row, column::kSignature, "No");
  }
  RenumberRecords(plan);
  plan.currentRecord = 1;
}

}  // namespace vanto::demo
