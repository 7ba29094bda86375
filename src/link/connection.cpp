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

// Empties the receive queue with the acquisition thread parked, so the two
// never read the device at once.
void DiscardReceived(InstrumentLink& link) {
  UsbLink& usb = link.state.usb;
  AcquisitionPause pause(link.state.acquisition);
  std::lock_guard<std::mutex> guard(usb.readLock);
  if (usb.connected.load() != 1) return;
  DWORD queued = 0;
  DWORD transmitQueued = 0;
  DWORD events = 0;
  usb.library->FT_GetStatus(usb.handle, &queued, &transmitQueued, &events);
  while (queued > 0) {
    const DWORD chunk = std::min<DWORD>(queued, static_cast<DWORD>(kUsbBufferBytes));
    DWORD got = 0;
    usb.library->FT_Read(usb.handle, usb.rxBuffer.data(), chunk, &got);
    queued -= chunk;
  }
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
