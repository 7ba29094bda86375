#include "app/interface_refresh.h"

#include "foundation/mode_and_view.h"
#include "foundation/number_text.h"
#include "testplan/record_cells.h"
#include "ui/selector_positions.h"

namespace vanto {
namespace {

std::string Percent(int count, int records) {
  // Without records there is nothing to divide by: show no share at all.
  const double share = records > 0 ? 100.0 * count / records : 0.0;
  return FormatFixed(share, 2) + "%";
}

std::vector<MenuMark> MenuMarks(const InterfaceInputs& inputs) {
  const MenuCheckState check{inputs.settings, inputs.menuModel, inputs.connected};
  std::vector<MenuMark> marks;
  for (MenuCommand command : CheckMarkOrder()) {
    marks.push_back({command, MenuChecked(command, check)});
  }
  return marks;
}

LayoutChange LayOut(const InterfaceInputs& inputs, InterfaceLayoutState& state) {
  LayoutChange change;
  const std::optional<AppMode> mode = ParseAppMode(inputs.settings.mode);
  if (!mode) return change;  // panes and controls stay as they are
  if (IsCompactMode(*mode)) {
    state.panes = CompactPaneVisibility();
    change.controlSet = RibbonShownIn::CompactModes;
    change.clientSize = kCompactClientSize;
  } else {
    if (const std::optional<DisplayView> view = ParseDisplayView(inputs.settings.displayView)) {
      state.panes = AdvancedPaneVisibility(*view);
    }
    change.controlSet = RibbonShownIn::AdvancedMode;
    change.clientSize = kAdvancedClientSize;
  }
  change.relayout = true;
  return change;
}

}  // namespace

std::optional<TestControlState> TestControlsFor(RunMode mode) {
  switch (mode) {
    case RunMode::TestBoard:
      return TestControlState{
          true, true, PictureId::Good, PictureId::Bad, PictureId::AutoTestYellow, false};
    case RunMode::Capture:
      return TestControlState{
          true, false, PictureId::SingleCaptureGreen, std::nullopt, PictureId::AutoCaptureYellow,
          true};
    case RunMode::AutoTest:
      return TestControlState{
          false, true, PictureId::GoodGrey, PictureId::BadGrey, PictureId::TestInProgressGreen,
          false};
    case RunMode::AutoCapture:
      return TestControlState{false,
                              false,
                              PictureId::SingleCaptureGrey,
                              std::nullopt,
                              PictureId::CaptureInProgressGreen,
                              true};
  }
  return std::nullopt;
}

PassRates ComputePassRates(const TestPlanState& plan) {
  const int rows = RowCount(plan);
  int good = 0;
  int bad = 0;
  for (int row = 2; row <= rows; ++row) {
    const std::string_view status = plan.table.CellView(row, cell::kStatus);
    if (status == cell::kGood) ++good;
    if (status == cell::kBad) ++bad;
  }
  const int records = rows - 1;
  return {Percent(good, records), Percent(bad, records)};
}

InterfaceState ComputeInterfaceState(const InterfaceInputs& inputs, InterfaceLayoutState& state,
                                     DisplayRequests& requests) {
  InterfaceState out;
  out.menuMarks = MenuMarks(inputs);

  const GeneratorSettings& generator = inputs.generator;
  out.voltagePosition = VoltagePosition(generator.appliedMv);
  out.resistancePosition = ResistancePosition(inputs.activeModel, generator.appliedOhms);
  out.frequencyPosition = FrequencyPosition(generator.appliedHz);
  out.scanSigPosition = ScannerPosition(generator.scanSig);
  out.scanComPosition = ScannerPosition(generator.scanCom);

  out.testControls = TestControlsFor(inputs.runMode);
  out.passRates = ComputePassRates(inputs.plan);

  if (inputs.settings.mode != state.laidOutMode ||
      inputs.settings.displayView != state.laidOutView) {
    state.laidOutMode = inputs.settings.mode;
    state.laidOutView = inputs.settings.displayView;
    out.layout = LayOut(inputs, state);
    requests.displayRefreshPending = true;
    requests.scopeRedrawPending = true;
  }
  out.panes = state.panes;
  return out;
}

}  // namespace vanto
