// Opening, identifying, priming and closing the USB connection, and the
// watchdog that closes it when the instrument falls silent.
//
// Threads: ORX_StartConnection, OpenDevice and ReadDescriptorWords run on
// the main thread. ORX_StopConnection and CloseDevice run on the main
// thread (Disconnect, failed identity check, calibration) and on the
// acquisition thread (LinkWatchdog). Messages raised on the acquisition
// thread wait in the outbox for the main thread (ShowPendingLinkMessages).
#pragma once

#include <string_view>

#include "link/d2xx_api.h"
#include "link/link_state.h"

namespace vanto {

inline constexpr ULONG kInstrumentBaudRate = 250000;
inline constexpr int kWatchdogMs = 2000;
inline constexpr const char* kVendorIdText = "$0403";
inline constexpr const char* kProductIdText = "$6015";

// Main thread. Loads the library, opens the first device and configures
// it; sets connected on success. Failures show "Error #0005 ..." (library)
// or "Info #0004 ..." (no device). Does nothing while connected.
void OpenDevice(InstrumentLink& link, ULONG baudRate);

// Either thread. FT_Close and connected = 0; "Info #0006 ..." when not
// connected. The library stays loaded.
void CloseDevice(InstrumentLink& link);

// Main thread. EEPROM words 0..128 into usb.descriptorWords.
void ReadDescriptorWords(InstrumentLink& link);

// Main thread, on the user's Connect. Opens the device, checks the maker
// and the product against the active model, sets control bit 1, discards
// what the instrument sent so far, loads the calibration, primes the
// generator at 400 mV and 200 mV and asks the main loop to send the full
// settings. Ignored while already connected (no second open).
void ORX_StartConnection(InstrumentLink& link);

// Either thread. Logs "ORX_StopConnection()" and closes; "Error #0062 ..."
// when not connected.
void ORX_StopConnection(InstrumentLink& link);

// Acquisition thread, once per pass: stops the connection when no good
// frame came for more than 2000 ms (or since the open).
void LinkWatchdog(InstrumentLink& link);

// ShowMessage on the main thread; on the acquisition thread the text waits
// in the outbox.
void ShowLinkMessage(InstrumentLink& link, std::string_view text);

// Closes the device without log or message if it is open: for the end of
// the program, after the acquisition thread has been stopped.
void CloseDeviceAtExit(LinkState& state);

}  // namespace vanto
