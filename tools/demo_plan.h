// The demo plan's records: which pin each row tests and every cell that
// comes from the board description (description, component, pin, user
// text, view, pin position, status). The golden signatures are captured
// separately (make_demo_plan).
#pragma once

#include <vector>

#include "demo_board.h"
#include "testplan/test_plan.h"

namespace vanto::demo {

// Plan columns the demo writes (the .ept layout).
namespace column {
inline constexpr int kRecord = 1;
inline constexpr int kAmplitude = 2;
inline constexpr int kResistance = 4;
inline constexpr int kFrequency = 6;
inline constexpr int kDescription = 8;
inline constexpr int kStatus = 9;
inline constexpr int kComponent = 10;
inline constexpr int kPin = 11;
inline constexpr int kUserText = 12;
inline constexpr int kImageFile = 13;
inline constexpr int kViewX = 14;
inline constexpr int kViewY = 15;
inline constexpr int kZoom = 16;
inline constexpr int kTestX = 17;
inline constexpr int kTestY = 18;
inline constexpr int kScanSig = 27;
inline constexpr int kScanCom = 28;
inline constexpr int kSignature = 30;
inline constexpr int kPointCount = 31;
}  // namespace column

struct DemoRecord {
  int row = 0;
  const DemoComponent* component = nullptr;
  const DemoPin* pin = nullptr;
};

// One record per pin of the tested components, rows from 2 in board order.
std::vector<DemoRecord> DemoRecords(const DemoBoard& board);

// The magnification that shows a component with its surroundings.
int ComponentZoom(const DemoBoard& board, const DemoComponent& component);

// Replaces the table with the plan row and one row per record, every cell
// from the description filled in, no signatures ("Signature" = "No").
void LayOutDemoPlan(TestPlanState& plan, const DemoBoard& board);

}  // namespace vanto::demo
