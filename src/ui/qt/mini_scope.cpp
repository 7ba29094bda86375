#include "ui/qt/mini_scope.h"

#include <QLine>
#include <QPainter>
#include <algorithm>
#include <array>

#include "foundation/number_text.h"
#include "testplan/record_cells.h"
#include "testplan/record_result.h"
#include "testplan/signature_record.h"
#include "ui/mini_scope_text.h"
#include "ui/qt/scope_colour.h"
#include "ui/qt/scope_geometry.h"
#include "ui/qt/scope_text.h"
#include "ui/qt/scope_trace.h"

namespace vanto {
namespace {

// The row's stored full scale; a stored 0 ohms would make it infinite.
TraceScale StoredScale(const ScopeGeometry& geometry, const TestPlan& table, int row) {
  const float vFull = static_cast<float>(ParseInt(table.CellView(row, cell::kAmplitude))) / 1000.0f;
  std::int32_t ohms = ParseInt(table.CellView(row, cell::kResistance));
  if (ohms == 0) ohms = kZeroOhmsScale;
  const float iFull = vFull / static_cast<float>(ohms);
  return MakeTraceScale(geometry, vFull, iFull);
}

}  // namespace

void DrawMiniScope(QImage& miniScopeImage, int width, int height, int row,
                   const TestPlanState& plan, std::string_view currentPlanFile,
                   const Settings& settings, const QFont& font) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  miniScopeImage = QImage(width, height, QImage::Format_RGB32);
  miniScopeImage.fill(ScopeColour(settings.colourScope1Background));

  const int n = RowCount(plan);
  const bool isRecord = row >= 2 && row <= n;
  if (!isRecord && row != n + 1 && row != 1) return;

  QPainter painter(&miniScopeImage);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setFont(font);
  const QColor textColour = ScopeColour(settings.colourScope1Text);

  const QString position =
      QString::fromStdString(MiniScopePositionText(plan, row, currentPlanFile));
  const int positionWidth = TextWidth(painter, position);
  if (row == 1) {
    DrawHorizontalText(painter, (width - positionWidth) / 2, height / 2, position, textColour);
    return;
  }
  DrawHorizontalText(painter, width - positionWidth, 0, position, textColour);
  if (!isRecord) return;

  const ScopeGeometry g = MakeScopeGeometry(width, height);
  if (settings.scopeXCrosshairMode == "On") {
    const std::array<QLine, 2> crosshair = {QLine(g.left, g.cy, g.right, g.cy),
                                            QLine(g.cx, g.top, g.cx, g.bottom)};
    painter.setPen(ScopeColour(settings.colourScopeXCrosshair));
    painter.drawLines(crosshair.data(), static_cast<int>(crosshair.size()));
  }

  const TraceScale scale = StoredScale(g, plan.table, row);
  const Signature golden = ReadSlotSignature(plan.table, row, 0);
  DrawCurve(painter, g, scale, golden, golden.pointCount,
            ScopeColour(settings.colourScopeXTraceGoldenSig));
  if (IsMeasured(plan.table, row)) {
    const Signature measured = ReadSlotSignature(plan.table, row, 1);
    DrawCurve(painter, g, scale, measured, measured.pointCount,
              ScopeColour(settings.colourScopeXTraceDutSig));
  }

  const QString generator = QString::fromStdString(MiniScopeGeneratorText(plan, row));
  DrawHorizontalText(painter, width / 2 - TextWidth(painter, generator) / 2,
                     height - TextHeight(painter), generator, textColour);
  const QString description = QString::fromStdString(MiniScopeDescriptionText(plan, row));
  DrawHorizontalText(painter, width / 2 - TextWidth(painter, description) / 2, 0, description,
                     textColour);
}

}  // namespace vanto
