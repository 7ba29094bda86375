// The two scope passes of the dispatcher: the display refresh, which
// rebuilds the static layers (main scope background, legend, badges and
// all nine mini-scopes), and the scope redraw, which lays the traces over
// copies of them once per data frame. Main thread.
#pragma once

#include "ui/qt/scope_context.h"

namespace vanto {

// Composes the labels, draws the main scope background with its badge and
// legend, the nine mini-scopes (keeping mini-scope 5's static layer for the
// redraws) and runs the board view hook for a current record or the plan
// row.
void RefreshDisplay(ScopeContext& context);

// Lays the traces over the main scope background (black instead while
// CaptureFlashCount runs down) and the live trace over mini-scope 5:
// frozen golden and DUT in "Basic", the record's golden and measured in
// "Advanced", the live signature with its classification and status line
// while connected.
void RedrawScopes(ScopeContext& context);

// The dispatcher's steps: each runs its pass when its flag is set, clearing
// the flag first (a refresh also asks for a redraw). True when it ran.
bool RefreshDisplayIfPending(ScopeContext& context);
bool RedrawScopesIfPending(ScopeContext& context);

}  // namespace vanto
