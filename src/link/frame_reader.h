// Reading data frames from the driver's receive queue.
#pragma once

#include "link/link_state.h"

namespace vanto {

// Acquisition thread, and the calibration window's loop on the main thread;
// one lock (readLock) covers the whole operation. Reads every complete
// 520-byte frame queued when it starts, decodes each into a private buffer
// and publishes it (FrameReady) only when its checksum is good, which also
// renews lastGoodFrameMs. A bad frame drops a frame not yet converted and
// posts "USB error: $XXXX" as the status text. No resynchronisation: a
// broken alignment leaves only bad frames, and the watchdog closes.
void ReadDataFrames(InstrumentLink& link);

}  // namespace vanto
