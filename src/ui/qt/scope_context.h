// Everything the scope passes read and write, gathered by reference, and
// the images they keep between passes. The main window builds one, sets
// the sizes, runs the passes and shows the output images; tests build one over plain state and read
// the images back. Main thread only.
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <array>
#include <functional>
#include <string>

#include "foundation/settings.h"
#include "link/generator_settings.h"
#include "testplan/test_plan.h"
#include "ui/display_layout.h"
#include "ui/display_requests.h"
#include "ui/qt/scope_badges.h"
#include "ui/qt/scope_text.h"
#include "ui/scope_labels.h"

namespace vanto {

// Pane sizes from the layout. A main scope below 10 x 10 is drawn at
// 10 x 10; a pane with no size yet gets a one-pixel image.
struct ScopeSizes {
  QSize mainScope;
  std::array<QSize, kMiniScopeCount> miniScopes;  // mini-scope k at k - 1
  QSize boardView;
};

// The off-screen images. The last two members are what the controls
// show; a control whose pane the view hides is simply not updated, but its
// image is drawn all the same. QImage::cacheKey() tells a window whether
// an image changed since it last showed it.
struct ScopeImages {
  QImage scopeBackground;       // static layer of the main scope
  QImage scopeComposite;        // scratch: a background plus traces
  QImage miniScopeImage;        // scratch: one mini-scope
  QImage centreMiniBackground;  // static layer of mini-scope 5
  QImage blankImage;            // all black, for the capture flash
  QImage mainScope;
  std::array<QImage, kMiniScopeCount> miniScopes;  // mini-scope k at k - 1
  QImage boardView;                                // stored by the renderPcbView hook
};

// Renders the board view for the current record (its row and the pane
// size) and stores it in ScopeImages::boardView, e.g.
//   [&](int record, QSize size) { images.boardView = board.Render(record, size); }
// Provided by the board view; none means no board view is drawn.
using RenderPcbViewHook = std::function<void(int record, QSize size)>;

struct ScopeContext {
  ScopeContext(const Settings& settingsIn, const TestPlanState& planIn,
               const GeneratorSettings& generatorIn, DisplayRequests& displayIn,
               const std::string& currentPlanFileIn, const ScopeBadges& badgesIn)
      : settings(settingsIn),
        plan(planIn),
        generator(generatorIn),
        display(displayIn),
        currentPlanFile(currentPlanFileIn),
        badges(badgesIn) {}

  const Settings& settings;            // colours, scope modes, "ORX_Mode"
  const TestPlanState& plan;           // rows shown by the refresh
  const GeneratorSettings& generator;  // applied values: labels
  DisplayRequests& display;            // the refresh's flag and its redraw request
  const std::string& currentPlanFile;
  const ScopeBadges& badges;

  ScopeSizes sizes;
  QFont font = ScopeFont();
  RenderPcbViewHook renderPcbView;

  ScopeLabels labels;  // composed on each display refresh
  ScopeImages images;
};

}  // namespace vanto
