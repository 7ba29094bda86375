// The one USB connection with the instrument and its Closed/Open state.
//
// Threads: the main thread opens, configures, identifies and writes
// commands; the acquisition thread requests and reads frames and, through
// the watchdog, may close. No two device calls are ever in progress at
// once: every main-thread call on an open device is made with the
// acquisition thread parked at the top of its pass (register writes, the
// discard at connection start, the EEPROM passes, a frame read from the
// calibration window), and the configuration before the open is published
// happens while the thread leaves the device alone. The locks order the
// rest: readLock covers every read from the device and rxBuffer, txLock
// covers txBuffer and every FT_Write; CloseDevice takes both, so a close on
// either thread never cuts into another call.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "link/d2xx_api.h"

namespace vanto {

inline constexpr std::size_t kUsbBufferBytes = 16384;
inline constexpr int kDescriptorWordCount = 129;  // EEPROM words 0..128

enum class UsbLinkState : std::int32_t { Closed = 0, Open = 1 };

struct UsbLink {
  // The D2XX library and the open device. Written by OpenDevice (main
  // thread) only while connected is 0; read by either thread only after it
  // has seen connected = 1.
  std::shared_ptr<D2xxApi> library;
  FT_HANDLE handle = nullptr;

  // The connection flag, 0 or 1. Written by OpenDevice (main thread) and
  // CloseDevice (either thread, holding both locks); read by both threads
  // without a lock, once at the top of each operation.
  std::atomic<std::int32_t> connected{0};

  // Monotonic ms of the open and of every frame with a good checksum.
  // Written by OpenDevice (main) and ReadDataFrames (either thread, under
  // readLock); read by the watchdog on the acquisition thread.
  std::atomic<std::int64_t> lastGoodFrameMs{0};

  std::mutex readLock;  // rxBuffer, rxFill and every device read (see above)
  std::array<std::uint8_t, kUsbBufferBytes> rxBuffer{};
  // Bytes of a frame begun by a short read, kept at the start of rxBuffer
  // until the rest arrives; 0 at every open and after the start-up discard.
  std::size_t rxFill = 0;

  std::mutex txLock;  // txBuffer, lastRequestMs and every FT_Write
  std::array<std::uint8_t, kUsbBufferBytes> txBuffer{};
  std::int64_t lastRequestMs = 0;  // time of the last frame request
  // Send times of the last frame requests, newest at requestCount - 1
  // (mod the size): a request older than the answer limit that is still
  // counted as outstanding was lost. Under txLock.
  std::array<std::int64_t, 16> requestTimes{};
  std::uint32_t requestCount = 0;

  // Frames requested and not read yet, and how many of the next frames were
  // requested before the last register write. Those were acquired with the
  // old settings (another voltage, another scanner channel), so they are
  // read but not published: a test must never judge a node by them.
  // Counted by the writing and reading threads, reset at every open.
  std::atomic<std::int32_t> framesOutstanding{0};
  std::atomic<std::int32_t> staleFrames{0};

  // EEPROM words 0..128 as read at the last start. Main thread.
  std::array<std::int16_t, kDescriptorWordCount> descriptorWords{};

  // The connected value the window shows; 99 (neither) until the first
  // refresh draws the indicator. Main thread.
  std::int32_t shownConnected = 99;

  // Why the library failed to load the last time, for diagnosis. Main thread.
  std::string libraryError;
};

inline UsbLinkState LinkStateOf(const UsbLink& usb) {
  return usb.connected.load() == 1 ? UsbLinkState::Open : UsbLinkState::Closed;
}

}  // namespace vanto
