#include "testplan/signature_record.h"

#include <cmath>
#include <string>

#include "foundation/number_text.h"

namespace vanto {
namespace {

// Column before the slot's first column, or -1 for no such slot.
int SlotBase(int slot) {
  if (slot == 0) return 0;
  if (slot == 1) return kSlotColumns;
  return -1;
}

// Nearest integer, halves to even, as decimal text.
std::string RoundedText(float value) {
  const float rounded = std::nearbyint(value) + 0.0f;  // + 0 turns -0 into 0
  return FormatFixed(rounded, 0);
}

}  // namespace

void StoreLiveSignature(TestPlan& table, int row, int slot, const Signature& live,
                        const GeneratorSettings& generator) {
  const int base = SlotBase(slot);
  if (base < 0) return;
  table.SetCell(row, base + 1, std::to_string(row));
  table.SetCell(row, base + 2, RoundedText(generator.appliedMv));
  table.SetCell(row, base + 3, "mVpk");
  table.SetCell(row, base + 4, RoundedText(generator.appliedOhms));
  table.SetCell(row, base + 5, "ohms");
  table.SetCell(row, base + 6, RoundedText(generator.appliedHz));
  table.SetCell(row, base + 7, "Hz");
  const int n = UsablePoints(live.pointCount);
  table.SetCell(row, base + 31, std::to_string(n));
  for (int i = 1; i <= n; ++i) {
    const int column = base + 32 + 2 * (i - 1);
    table.SetCell(row, column, FormatFloat(live.voltage[i]));
    table.SetCell(row, column + 1, FormatFloat(live.current[i]));
  }
}

Signature ReadSlotSignature(const TestPlan& table, int row, int slot) {
  Signature signature;
  const int base = SlotBase(slot);
  if (base < 0) return signature;
  signature.pointCount = UsablePoints(ParseInt(table.CellView(row, base + 31)));
  for (int i = 1; i <= signature.pointCount; ++i) {
    const int column = base + 32 + 2 * (i - 1);
    signature.voltage[i] = static_cast<float>(ParseFloat(table.CellView(row, column)));
    signature.current[i] = static_cast<float>(ParseFloat(table.CellView(row, column + 1)));
  }
  return signature;
}

}  // namespace vanto
