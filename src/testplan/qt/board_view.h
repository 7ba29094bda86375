// The board view drawn with QPainter into an off-screen image: the visible
// part of the photograph scaled with smoothing, the plan's pin markers
// coloured by result, the crosshair on the current pin, and the editor's
// prompt line. Main thread only.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <string_view>

#include "foundation/settings.h"
#include "testplan/pcb_view.h"
#include "testplan/qt/photograph_cache.h"
#include "testplan/test_plan.h"

namespace vanto {

enum class PcbCrosshair { OneLine, ThreeLine };

// "ORX_PCBCrosshairType": "3 line" gives three lines, anything else one.
PcbCrosshair CrosshairFromSetting(std::string_view crosshairType);

// Draws the view for `request` into `viewImage` (replaced, 32-bit RGB, the
// request's size, at least 1 x 1) and updates `view.window`. An empty
// image file shows "graphics/noimage.png" at zoom 1; with
// `view.wholeBoardView` the whole photograph is shown. When the photograph
// cannot be loaded the view shows the "no image" picture (plain grey when
// that is missing too) without markers, the window stays as it was and the
// result is false.
bool RenderPcbView(QImage& viewImage, PcbViewState& view, const TestPlan& table,
                   const PcbViewRequest& request, PcbCrosshair crosshair,
                   PhotographCache& photographs);

// The editor's instruction line: " text " in black on white, top at y 0,
// centred on x 320 (the middle of the editor's 640-pixel view), in the
// default font.
void DrawPrompt(QImage& viewImage, const QString& text);

// The main window's board view: renders the current record from the plan
// cells with the crosshair setting, keeps the image, the visible window
// and the whole-board flag, and handles clicks on the pane.
class BoardView {
 public:
  BoardView(TestPlanState& plan, const Settings& settings) : plan_(plan), settings_(settings) {}

  // Renders `record` (1..RowCount; the plan row shows the whole-board
  // values of row 1) at `size` and returns the view image, which stays
  // available from Image().
  QImage Render(int record, QSize size);
  const QImage& Image() const { return image_; }

  // PcbViewClick for a left click at (x, y) in the window that holds the
  // pane placed at `pane`. On WholeBoardToggled the caller sets
  // DisplayRefreshPending and ScopeRedrawPending.
  PcbClick Click(const ViewPlacement& pane, int x, int y);

  PcbViewState& State() { return state_; }
  const PcbViewState& State() const { return state_; }
  PhotographCache& Photographs() { return photographs_; }

 private:
  TestPlanState& plan_;
  const Settings& settings_;
  PcbViewState state_;
  PhotographCache photographs_;
  QImage image_;
};

}  // namespace vanto
