// The connection's life: open, identify, prime, close, watchdog.
#include "link/connection.h"

#include <algorithm>
#include <mutex>

#include "foundation/message_texts.h"
#include "foundation/number_text.h"
#include "link/calibration_storage.h"
#include "link/command_writer.h"
#include "link/d2xx_library.h"
#include "link/generator_apply.h"
#include "link/identity.h"

namespace vanto {

namespace {

constexpr int kSettleMs = 50;
constexpr int kPrimingMs = 250;
constexpr float kPrimingHighMv = 400.0f;
constexpr float kPrimingLowMv = 200.0f;

std::shared_ptr<D2xxApi> LoadLibrary(LinkState& state) {
  if (state.openLibrary) return state.openLibrary();
  const std::string path = ResolveD2xxLibraryPath(state.d2xxPath);
  return LoadD2xxLibrary(path, state.usb.libraryError);
}

// One data frame's time on the wire at the instrument's rate (ten bits a
// byte), rounded up: a queue that stays empty this long holds no frame
// still arriving.
constexpr std::int64_t kFrameWireMs =
    (static_cast<std::int64_t>(kDataFrameBytes) * 10 * 1000 + kInstrumentBaudRate - 1) /
    kInstrumentBaudRate;
// An instrument that never stops sending must not hold the start for ever.
constexpr std::int64_t kDiscardLimitMs = 1000;

// Empties the receive queue with the acquisition thread parked, so the two
// never read the device at once, and goes on until it has stayed empty for
// a frame's time: a frame still arriving would otherwise leave its tail
// behind and every later frame misaligned. Nothing requested before stays
// counted.
void DiscardReceived(InstrumentLink& link) {
  UsbLink& usb = link.state.usb;
  AcquisitionPause pause(link.state.acquisition);
  std::lock_guard<std::mutex> guard(usb.readLock);
  if (usb.connected.load() != 1) return;
  const std::int64_t start = link.clock.MonotonicMs();
  std::int64_t lastBytesMs = start;
  while (true) {
    const std::int64_t now = link.clock.MonotonicMs();
    if (now - lastBytesMs >= kFrameWireMs || now - start >= kDiscardLimitMs) break;
    DWORD queued = 0;
    DWORD transmitQueued = 0;
    DWORD events = 0;
    if (usb.library->FT_GetStatus(usb.handle, &queued, &transmitQueued, &events) != FT_OK) break;
    if (queued == 0) {
      link.clock.SleepMs(1);
      continue;
    }
    const DWORD chunk = std::min<DWORD>(queued, static_cast<DWORD>(kUsbBufferBytes));
    DWORD got = 0;
    if (usb.library->FT_Read(usb.handle, usb.rxBuffer.data(), chunk, &got) != FT_OK) break;
    lastBytesMs = link.clock.MonotonicMs();
    link.clock.SleepMs(1);  // let the next bytes come rather than spin
  }
  usb.rxFill = 0;
  usb.framesOutstanding.store(0);
  usb.staleFrames.store(0);
  std::lock_guard<std::mutex> txGuard(usb.txLock);
  usb.requestCount = 0;
}

}  // namespace

void ShowLinkMessage(InstrumentLink& link, std::string_view text) {
  if (OnAcquisitionThread()) {
    PostMessage(link.state.outbox, std::string(text));
  } else {
    link.messages.ShowMessage(text);
  }
}

void OpenDevice(InstrumentLink& link, ULONG baudRate) {
  UsbLink& usb = link.state.usb;
  if (usb.connected.load() == 1) return;
  std::shared_ptr<D2xxApi> library = LoadLibrary(link.state);
  if (library == nullptr) {
    ShowLinkMessage(link, text::kD2xxFailed);
    usb.connected.store(0);
    return;
  }
  // connected is 0, so the acquisition thread does not look at these.
  usb.library = library;

  DWORD deviceCount = 0;
  library->FT_CreateDeviceInfoList(&deviceCount);
  library->FT_SetVIDPID(static_cast<DWORD>(ParseInt(kVendorIdText)),
                        static_cast<DWORD>(ParseInt(kProductIdText)));
  library->FT_CreateDeviceInfoList(&deviceCount);
  DWORD flags = 0;
  DWORD type = 0;
  DWORD id = 0;
  DWORD location = 0;
  char serialNumber[64] = {};
  char description[64] = {};
  FT_HANDLE listedHandle = nullptr;
  library->FT_GetDeviceInfoDetail(0, &flags, &type, &id, &location, serialNumber, description,
                                  &listedHandle);

  FT_HANDLE handle = nullptr;
  if (library->FT_Open(0, &handle) != FT_OK) {
    ShowLinkMessage(link, text::kNoUsb);
    return;
  }
  library->FT_SetBaudRate(handle, baudRate);
  library->FT_SetDataCharacteristics(handle, 8, 0, 0);
  library->FT_SetFlowControl(handle, 0, 0, 0);
  library->FT_SetUSBParameters(handle, 32768, 32768);

  usb.handle = handle;
  usb.lastGoodFrameMs.store(link.clock.MonotonicMs());
  usb.framesOutstanding.store(0);
  usb.staleFrames.store(0);
  usb.rxFill = 0;
  usb.requestCount = 0;
  usb.connected.store(1);
}

void CloseDevice(InstrumentLink& link) {
  UsbLink& usb = link.state.usb;
  bool closed = false;
  {
    // Waits for a read or write in progress on the other thread.
    std::scoped_lock guard(usb.readLock, usb.txLock);
    if (usb.connected.load() == 1) {
      usb.library->FT_Close(usb.handle);
      usb.connected.store(0);
      closed = true;
    }
  }
  if (!closed) ShowLinkMessage(link, text::kCommsNotRunning);
}

void CloseDeviceAtExit(LinkState& state) {
  UsbLink& usb = state.usb;
  std::scoped_lock guard(usb.readLock, usb.txLock);
  if (usb.connected.load() != 1) return;
  usb.library->FT_Close(usb.handle);
  usb.connected.store(0);
}

void ReadDescriptorWords(InstrumentLink& link) {
  UsbLink& usb = link.state.usb;
  if (usb.connected.load() != 1) return;
  AcquisitionPause pause(link.state.acquisition);
  std::lock_guard<std::mutex> guard(usb.readLock);
  if (usb.connected.load() != 1) return;
  WORD cell = 0;
  for (int address = 0; address < kDescriptorWordCount; ++address) {
    usb.library->FT_ReadEE(usb.handle, static_cast<DWORD>(address), &cell);
    usb.descriptorWords[static_cast<std::size_t>(address)] = static_cast<std::int16_t>(cell);
  }
}

void ORX_StartConnection(InstrumentLink& link) {
  LinkState& state = link.state;
  if (state.usb.connected.load() == 1) return;
  link.messages.WriteLog(text::kStartConnection);
  OpenDevice(link, kInstrumentBaudRate);
  if (state.usb.connected.load() != 1) {
    ShowLinkMessage(link, text::kUsbServiceNotStarted);
    return;
  }

  ReadDescriptorWords(link);
  const std::string maker =
      DescriptorText(state.usb.descriptorWords, kMakerFirstWord, kMakerLength);
  const std::string product =
      DescriptorText(state.usb.descriptorWords, kProductFirstWord, kProductLength);
  if (!MakerIsKnown(maker)) {
    ShowLinkMessage(link, text::kDescriptorIncorrect);
    ORX_StopConnection(link);
    return;
  }
  if (!ProductFitsModel(product, link.activeModel)) {
    ShowLinkMessage(link, text::kDescriptorWrongModel);
    ORX_StopConnection(link);
    return;
  }

  state.registers[kControlRegister] |= kControlConnectBit;
  WriteRegisters(link, kControlRegister, 1);

  link.clock.SleepMs(kSettleMs);
  DiscardReceived(link);
  link.clock.SleepMs(kSettleMs);

  LoadCalibration(link);

  state.generator.appliedMv = kPrimingHighMv;
  ApplyGeneratorSettings(link);
  link.clock.SleepMs(kPrimingMs);
  state.generator.appliedMv = kPrimingLowMv;
  ApplyGeneratorSettings(link);
  link.clock.SleepMs(kPrimingMs);

  // The main loop's next pass sends the full settings, putting back the
  // peak voltage the user asked for.
  state.generator.sendSettings = 1;
}

void ORX_StopConnection(InstrumentLink& link) {
  link.messages.WriteLog(text::kStopConnection);
  if (link.state.usb.connected.load() == 1) {
    CloseDevice(link);
    link.state.scopeRedrawRequested.store(true);
  } else {
    ShowLinkMessage(link, text::kUsbServiceNotRunning);
  }
}

void LinkWatchdog(InstrumentLink& link) {
  const UsbLink& usb = link.state.usb;
  if (usb.connected.load() != 1) return;
  if (link.clock.MonotonicMs() > usb.lastGoodFrameMs.load() + kWatchdogMs) ORX_StopConnection(link);
}

}  // namespace vanto
