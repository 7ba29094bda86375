// Window-free steps of the dispatcher pass that belong to the test run:
// noticing a run-mode change, the once-a-second relayout gate, applying a
// new current record and moving by a click on a mini-scope. Main thread.
#pragma once

#include <cstdint>

#include "foundation/platform.h"
#include "ui/test_run_context.h"

namespace vanto {

// After a run-mode change, also one undone within the same pass (a run
// that starts and ends at once): entering an automatic run restarts the
// stable count, so its first test or capture waits a full stable delay;
// then the interface is refreshed. True when the mode had changed.
bool NoticeRunModeChange(TestRunContext& context);

// Seconds since 1970-01-01 of a local calendar moment (no time zone).
std::int64_t CalendarSeconds(const CalendarTime& time);

// The relayout gate: true (and the request taken) when a relayout is
// pending and at least one calendar second has passed since the last one;
// otherwise the request stays pending. The caller then lays out and asks
// for a display refresh and a scope redraw.
bool TakeRelayoutRequest(TestRunState& run, bool& relayoutPending, std::int64_t nowSeconds);

// Once per change of the current record: with "V/R/Hz" checked, brings a
// position past the end back to the last record and applies the record's
// scanner channels and, when all three are non-zero, its peak voltage,
// resistance and frequency as the requested generator values; then asks
// for a display refresh and refreshes the trees. True when it ran.
bool ApplyRecordChange(TestRunContext& context);

// The record offset of a hit-test result: -4..+4 for mini-scopes 1..9
// (results 2..10), 0 for anything else.
int MiniScopeRecordOffset(int hitResult);

// Moves the current record by a mini-scope click, within records
// 2..RowCount, then refreshes. A zero offset does nothing.
void MoveByMiniScope(TestRunContext& context, int offset);

}  // namespace vanto
