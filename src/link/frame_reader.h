// Reading data frames from the driver's receive queue.
#pragma once

#include "link/link_state.h"

namespace vanto {

// Acquisition thread, and the calibration window's loop on the main thread;
// one lock (readLock) covers the whole operation. Reads every complete
// 520-byte frame queued when it starts, decodes each into a private buffer
// and publishes it (FrameReady) only when its checksum is good, which also
// renews lastGoodFrameMs. A bad frame drops a frame not yet converted and
// posts "USB error: $XXXX" as the status text. Only the bytes FT_Read
// reports count: a short read keeps its part of a frame for the next call,
// a failed read or status call reads nothing, so an old frame is never
// decoded twice. With the queue empty, requests past the answer limit are
// taken as lost. No resynchronisation: a broken alignment leaves only bad
// frames, and the watchdog closes.
void ReadDataFrames(InstrumentLink& link);

}  // namespace vanto
