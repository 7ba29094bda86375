#include "ui/mini_scope_text.h"

#include "foundation/number_text.h"
#include "ui/label_text.h"

namespace vanto {
namespace {

constexpr int kAmplitudeColumn = 2;
constexpr int kResistanceColumn = 4;
constexpr int kFrequencyColumn = 6;
constexpr int kDescriptionColumn = 8;

bool IsRecord(const TestPlanState& plan, int row) {
  return row >= 2 && row <= RowCount(plan);
}

}  // namespace

std::string MiniScopePositionText(const TestPlanState& plan, int row,
                                  std::string_view currentPlanFile) {
  const int rows = RowCount(plan);
  if (IsRecord(plan, row)) return std::to_string(row) + "/" + std::to_string(rows);
  if (row == rows + 1) return "END";
  if (row == 1) return std::string(FileNamePart(currentPlanFile));
  return "";
}

std::string MiniScopeGeneratorText(const TestPlanState& plan, int row) {
  if (!IsRecord(plan, row)) return "";
  const std::int32_t amp = ParseInt(plan.table.CellView(row, kAmplitudeColumn));
  const std::int32_t res = ParseInt(plan.table.CellView(row, kResistanceColumn));
  const std::int32_t freq = ParseInt(plan.table.CellView(row, kFrequencyColumn));
  std::string text;
  if (amp < 1000) {
    text += "Vpk=" + std::to_string(amp) + "mV, ";
  } else {
    text += "Vpk=" + std::to_string(WholeThousands(amp)) + "V, ";
  }
  if (res < 1000) {
    text += "Z=" + std::to_string(res) + "ohms, ";
  } else {
    text += "Z=" + std::to_string(WholeThousands(res)) + "kohms, ";
  }
  if (freq < 1000) {
    text += "f=" + std::to_string(freq) + "Hz";
  } else {
    text += "f=" + std::to_string(WholeThousands(freq)) + "kHz";
  }
  return text;
}

std::string MiniScopeDescriptionText(const TestPlanState& plan, int row) {
  if (!IsRecord(plan, row)) return "";
  return PoundsAsCommas(plan.table.CellView(row, kDescriptionColumn));
}

}  // namespace vanto
