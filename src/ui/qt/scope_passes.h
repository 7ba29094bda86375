// The two scope passes of the dispatcher: the display refresh, which
// rebuilds the static layers (main scope background, legend, badges and
// all nine mini-scopes), and the scope redraw, which lays the traces over
// copies of them once per data frame. Main thread.
#pragma once

#include "ui/qt/scope_context.h"
#include "ui/scope_redraw.h"

namespace vanto {

// Composes the labels, draws the main scope background with its badge and
// legend, the nine mini-scopes (keeping mini-scope 5's static layer for the
// redraws) and runs the board view hook for a current record or the plan
// row.
void RefreshDisplay(ScopeContext& context);

// Paints a redraw decided by DecideScopeRedraw: its traces in their order
// and its status line over the main scope background (black instead for
// the capture flash), and its centre trace over mini-scope 5's static
// layer. Reads no state of the test run and changes none.
void RedrawScopes(ScopeContext& context, const ScopeRedraw& redraw);

// The dispatcher's step: runs the refresh when its flag is set, clearing
// the flag first and asking for a redraw. True when it ran.
bool RefreshDisplayIfPending(ScopeContext& context);

}  // namespace vanto
