// Register runs and frame requests.
#include "link/command_writer.h"

#include <algorithm>
#include <mutex>

#include "link/acquisition_control.h"

namespace vanto {

static_assert(kMaxCommandFrameBytes <= kUsbBufferBytes);

namespace {

// Caller holds txLock. A request the driver did not take whole is not
// waited for.
void SendRequestLocked(UsbLink& usb, int address, std::int64_t nowMs) {
  if (usb.connected.load() != 1) return;
  EncodeRequestRecord(address, usb.txBuffer.data());
  DWORD written = 0;
  const FT_STATUS status = usb.library->FT_Write(
      usb.handle, usb.txBuffer.data(), static_cast<DWORD>(kRecordBytes), &written);
  if (status != FT_OK || written != static_cast<DWORD>(kRecordBytes)) return;
  usb.requestTimes[usb.requestCount % usb.requestTimes.size()] = nowMs;
  ++usb.requestCount;
  usb.framesOutstanding.fetch_add(1);
}

}  // namespace

void WriteRegisters(InstrumentLink& link, int first, int count) {
  LinkState& state = link.state;
  AcquisitionPause pause(state.acquisition);
  if (pause.Paused()) link.clock.SleepMs(kWritePauseMs);
  if (first < 0 || count < 1 || first + count > kRegisterCount) return;
  UsbLink& usb = state.usb;
  std::lock_guard<std::mutex> guard(usb.txLock);
  if (usb.connected.load() != 1) return;
  const std::size_t bytes = EncodeCommandFrame(state.registers, first, count, usb.txBuffer.data());
  DWORD written = 0;
  usb.library->FT_Write(usb.handle, usb.txBuffer.data(), static_cast<DWORD>(bytes), &written);
  // A lost frame would otherwise leave the count high for good; more than
  // a few frames are never on their way at the request pace.
  usb.staleFrames.store(std::min(usb.framesOutstanding.load(), kMaxStaleFrames));
}

void SendFrameRequest(InstrumentLink& link, int address) {
  UsbLink& usb = link.state.usb;
  std::lock_guard<std::mutex> guard(usb.txLock);
  SendRequestLocked(usb, address, link.clock.MonotonicMs());
}

void PaceFrameRequest(InstrumentLink& link, int intervalMs) {
  UsbLink& usb = link.state.usb;
  if (usb.connected.load() != 1) return;
  std::lock_guard<std::mutex> guard(usb.txLock);
  if (usb.connected.load() != 1) return;
  const std::int64_t now = link.clock.MonotonicMs();
  if (now < usb.lastRequestMs + intervalMs) return;
  usb.lastRequestMs = now;
  SendRequestLocked(usb, 0, now);
}

}  // namespace vanto
