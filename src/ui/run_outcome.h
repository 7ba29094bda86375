// The visible end of an automatic run. When a run ends by itself (its
// search finds nothing more, or it passes the last record) its outcome,
// "Run complete: 72 Good, 9 Bad, 1 NoTest" or "Nothing left to test" when
// it did nothing, is decided here and stands until the next menu command,
// control event or change of record. The scope redraw puts it on the
// scope's status line and the dispatcher in the window's status text,
// where it holds back the link's texts meanwhile. Main thread only.
#pragma once

#include <optional>
#include <string>

#include "testplan/test_plan.h"
#include "ui/display_requests.h"
#include "ui/run_outcome_state.h"
#include "ui/test_run_context.h"

namespace vanto {

inline constexpr const char* kNothingLeftToTest = "Nothing left to test";

// "Run complete: 72 Good, 9 Bad, 1 NoTest", counted over the plan's records.
std::string RunCompleteText(const TestPlanState& plan);

// A run that ended by itself at the plan's current record; asks for a
// scope redraw so that the status line shows it.
void NoteRunEnd(TestRunContext& context);

// The next command: the outcome goes (with a redraw to take it off the
// scope) when one stands.
void ClearRunOutcome(RunOutcome& outcome, DisplayRequests& display);
// After a record change: the outcome goes when the record is not the one
// the run ended at (a run past the last record ended at the last one).
void ClearRunOutcomeOnRecordChange(RunOutcome& outcome, const TestPlanState& plan,
                                   DisplayRequests& display);

// The scope's status line: the outcome, while one stands, in place of
// what the line showed.
void ShowRunOutcome(std::optional<std::string>& statusText, const RunOutcome* outcome);

// The window's status text for this pass, given the link's new text if
// any: the outcome when it was just decided, the link's latest text when
// it was just cleared, the link's new text while none stands; nothing when
// the text stays as it is.
std::optional<std::string> WindowStatusText(RunOutcome& outcome,
                                            std::optional<std::string> linkText);

}  // namespace vanto
