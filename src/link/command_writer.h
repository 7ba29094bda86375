// Sending registers and frame requests to the instrument.
//
// All FT_Write calls are serialised: the main thread writes register runs
// only while the acquisition thread is parked (WriteRegisters pauses it,
// waits 25 ms, writes and resumes it), and every write also holds txLock,
// which the calibration window's own frame requests share with the thread.
#pragma once

#include <cstdint>

#include "link/link_state.h"

namespace vanto {

inline constexpr int kFrameRequestIntervalMs = 250;
inline constexpr int kWritePauseMs = 25;
// At most this many frames requested before a register write are ignored.
inline constexpr std::int32_t kMaxStaleFrames = 4;

// Main thread. Registers first .. first + count - 1 of the register image,
// ascending, as one command frame in one FT_Write. With the link Closed
// nothing is written, but the pause and its 25 ms still happen. A run
// outside registers 0..31 is not sent.
void WriteRegisters(InstrumentLink& link, int first, int count);

// Acquisition thread (and the calibration window's loop): one request
// record for `address` (always 0) in one FT_Write, if connected.
void SendFrameRequest(InstrumentLink& link, int address);

// Either thread: a frame request when connected and at least intervalMs
// have passed since the last one.
void PaceFrameRequest(InstrumentLink& link, int intervalMs);

}  // namespace vanto
