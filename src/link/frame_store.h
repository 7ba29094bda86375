// The hand-over of verified data frames from the thread that reads them to
// the main thread that converts them. A frame is decoded into a private
// buffer, checked, and only then copied in here with FrameReady raised, all
// under one lock, so the main thread never sees a frame half written or one
// with a bad checksum.
#pragma once

#include <atomic>
#include <mutex>

#include "link/data_frame.h"

namespace vanto {

struct FrameStore {
  std::mutex lock;         // guards published
  DecodedFrame published;  // the last good frame; written by the reading thread
  // FrameReady: 1 while a published frame waits for conversion. Raised and
  // cleared under lock by the reading thread (acquisition thread, or the
  // calibration window on the main thread); taken by the main thread.
  std::atomic<bool> frameReady{false};
};

// Reading thread: publishes a frame whose checksum was good.
void PublishFrame(FrameStore& store, const DecodedFrame& frame);
// Reading thread: a bad frame drops a good one not yet converted.
void DropReadyFrame(FrameStore& store);
// Main thread: if a frame is ready, copies it out, clears FrameReady and
// returns true.
bool TakeReadyFrame(FrameStore& store, DecodedFrame& frame);
// Any thread: a copy of the last good frame, ready or not (the calibration
// window reads the raw sums this way).
DecodedFrame CopyPublishedFrame(FrameStore& store);

}  // namespace vanto
