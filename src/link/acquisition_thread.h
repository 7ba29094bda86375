// The acquisition thread: while the link is open it requests a frame every
// 250 ms, closes the link when good frames stop, and reads every complete
// frame the driver has queued. It runs from start-up until the program
// ends; the main thread starts it and, at the end, stops and joins it.
#pragma once

#include "link/link_state.h"

namespace vanto {

// One pass of the loop, without the pause checkpoint: sleep 1 ms,
// PaceFrameRequest(250), LinkWatchdog, ReadDataFrames. Acquisition thread
// (tests run passes directly, with a fake clock).
void AcquisitionPass(InstrumentLink& link);

// The thread body: at the top of every pass it honours a pause or a stop,
// then runs one pass. Returns when the stop flag is set.
void AcquisitionLoop(InstrumentLink link);

// Main thread. Clears the stop flag and starts the thread (once; a second
// call while it runs does nothing). `link` is copied into the thread; the
// objects it refers to must outlive StopAcquisitionThread.
void StartAcquisitionThread(const InstrumentLink& link);

// Main thread. Sets the stop flag, wakes a parked thread and joins it.
void StopAcquisitionThread(LinkState& state);

// Main thread, at the end of the program: stops and joins the thread, then
// closes the device if it is open.
void ShutDownLink(LinkState& state);

}  // namespace vanto
