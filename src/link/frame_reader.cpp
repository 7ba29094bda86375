// Frames out of the receive queue.
#include "link/frame_reader.h"

#include <mutex>

namespace vanto {

void ReadDataFrames(InstrumentLink& link) {
  LinkState& state = link.state;
  UsbLink& usb = state.usb;
  if (usb.connected.load() != 1) return;
  std::lock_guard<std::mutex> guard(usb.readLock);
  if (usb.connected.load() != 1) return;

  DWORD queued = 0;
  DWORD transmitQueued = 0;
  DWORD events = 0;
  usb.library->FT_GetStatus(usb.handle, &queued, &transmitQueued, &events);
  // The count is taken once: frames arriving meanwhile wait for the next pass.
  std::int64_t remaining = queued;
  DecodedFrame frame;
  while (remaining >= static_cast<std::int64_t>(kDataFrameBytes)) {
    DWORD got = 0;
    usb.library->FT_Read(usb.handle, usb.rxBuffer.data(), static_cast<DWORD>(kDataFrameBytes),
                         &got);
    remaining -= static_cast<std::int64_t>(kDataFrameBytes);
    if (usb.framesOutstanding.load() > 0) usb.framesOutstanding.fetch_sub(1);
    if (DecodeDataFrame(usb.rxBuffer.data(), frame)) {
      usb.lastGoodFrameMs.store(link.clock.MonotonicMs());
      if (usb.staleFrames.load() > 0) {
        usb.staleFrames.fetch_sub(1);  // taken with the settings before the last write
      } else {
        PublishFrame(state.frames, frame);
      }
    } else {
      if (usb.staleFrames.load() > 0) usb.staleFrames.fetch_sub(1);
      DropReadyFrame(state.frames);
      PostStatusText(state.outbox, UsbErrorText(frame.checksum));
    }
  }
}

}  // namespace vanto
