// An automatic run that loses its instrument: when the link closes during
// the run (the watchdog, an unplugged cable, a click on the connection
// indicator or the Disconnect command), nothing more would be measured, so
// the run is ended as the automatic-run button ends it and the user is told
// where it stopped. Main thread, once per dispatcher pass.
#pragma once

#include <string>

#include "testplan/test_plan.h"
#include "ui/test_run_context.h"

namespace vanto {

// The coded message, naming the record: "Warning #0070 ... record 12
// (U3, Pin 4)".
std::string LinkLostRunStoppedText(const TestPlanState& plan, int row);

// Notes the link's state for the next pass; when it was open at the last
// pass and is closed now while an automatic run goes on, ends the run and
// shows the message. True when it ended a run.
bool EndRunOnLostLink(TestRunContext& context);

}  // namespace vanto
