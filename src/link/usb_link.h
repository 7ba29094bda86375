// The one USB connection with the instrument and its Closed/Open state.
//
// Threads: the main thread opens, configures, identifies and writes
// commands; the acquisition thread requests and reads frames and, through
// the watchdog, may close. Two locks keep them out of the device at the
// same time: readLock covers every read from the device (all of
// ReadDataFrames, the discard at connection start, the EEPROM passes) and
// txLock covers txBuffer and every FT_Write. CloseDevice takes both, so a
// close never cuts into another call.
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

  std::mutex readLock;  // rxBuffer and every device read (see above)
  std::array<std::uint8_t, kUsbBufferBytes> rxBuffer{};

  std::mutex txLock;  // txBuffer, lastRequestMs and every FT_Write
  std::array<std::uint8_t, kUsbBufferBytes> txBuffer{};
  std::int64_t lastRequestMs = 0;  // time of the last frame request

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
