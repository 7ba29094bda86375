// Frames out of the receive queue.
#include "link/frame_reader.h"

#include <algorithm>
#include <mutex>

#include "link/acquisition_control.h"
#include "link/connection.h"
#include "foundation/message_texts.h"

namespace vanto {

namespace {

// Requests older than this that the count still holds were lost: a frame
// follows its request well within the watchdog time or the link closes.
constexpr std::int64_t kRequestAnswerLimitMs = kWatchdogMs;

// With nothing left in the receive queue, only requests younger than the
// answer limit can still be on their way; the count is brought down to them
// so that a lost request does not make a later register write drop fresh
// frames. Caller holds readLock.
void ForgetLostRequests(InstrumentLink& link) {
  UsbLink& usb = link.state.usb;
  std::lock_guard<std::mutex> guard(usb.txLock);
  const std::int64_t now = link.clock.MonotonicMs();
  std::int32_t young = 0;
  const std::uint32_t kept = std::min<std::uint32_t>(
      usb.requestCount, static_cast<std::uint32_t>(usb.requestTimes.size()));
  for (std::uint32_t i = 0; i < kept; ++i) {
    const std::int64_t sent = usb.requestTimes[(usb.requestCount - 1 - i) % usb.requestTimes.size()];
    if (now - sent > kRequestAnswerLimitMs) break;
    ++young;
  }
  if (usb.framesOutstanding.load() > young) usb.framesOutstanding.store(young);
  if (usb.staleFrames.load() > young) usb.staleFrames.store(young);
}

void TakeFrame(InstrumentLink& link, DecodedFrame& frame) {
  LinkState& state = link.state;
  UsbLink& usb = state.usb;
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

}  // namespace

namespace {

// What the driver says when the instrument has been unplugged.
bool DeviceGone(FT_STATUS status) {
  return status == kFtDeviceNotFound || status == kFtIoError;
}

// The reading proper, under readLock; false when the device is gone.
bool ReadQueuedFrames(InstrumentLink& link) {
  UsbLink& usb = link.state.usb;
  DWORD queued = 0;
  DWORD transmitQueued = 0;
  DWORD events = 0;
  // A failed call says nothing about the queue: nothing is read.
  const FT_STATUS status = usb.library->FT_GetStatus(usb.handle, &queued, &transmitQueued, &events);
  if (status != FT_OK) return !DeviceGone(status);
  if (queued == 0 && usb.rxFill == 0) {
    ForgetLostRequests(link);
    return true;
  }
  // The count is taken once: frames arriving meanwhile wait for the next pass.
  std::int64_t remaining = queued;
  DecodedFrame frame;
  while (static_cast<std::int64_t>(usb.rxFill) + remaining >=
         static_cast<std::int64_t>(kDataFrameBytes)) {
    const auto wanted = static_cast<DWORD>(kDataFrameBytes - usb.rxFill);
    DWORD got = 0;
    const FT_STATUS read =
        usb.library->FT_Read(usb.handle, usb.rxBuffer.data() + usb.rxFill, wanted, &got);
    // Only the bytes the driver says it gave count; a failed read gave none.
    if (read != FT_OK) return !DeviceGone(read);
    got = std::min(got, wanted);
    usb.rxFill += got;
    remaining -= got;
    if (usb.rxFill < kDataFrameBytes) return true;  // a short read: the rest comes later
    usb.rxFill = 0;
    TakeFrame(link, frame);
  }
  return true;
}

}  // namespace

void ReadDataFrames(InstrumentLink& link) {
  LinkState& state = link.state;
  UsbLink& usb = state.usb;
  if (usb.connected.load() != 1) return;
  // From the main thread the acquisition thread is parked first, so its
  // frame requests never meet this read; on the thread itself no pause.
  AcquisitionPause pause(state.acquisition);
  {
    std::lock_guard<std::mutex> guard(usb.readLock);
    if (usb.connected.load() != 1) return;
    if (ReadQueuedFrames(link)) return;
  }
  // Unplugged: the link is closed at once and the user told, rather than
  // waiting for the watchdog; connecting again works as ever.
  ShowLinkMessage(link, text::kInstrumentLost);
  ORX_StopConnection(link);
}

}  // namespace vanto
