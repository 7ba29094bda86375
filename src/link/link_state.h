// All state of the instrument link, in one plain struct that the
// application context owns, and the bundle of it with the application
// parts the link operations work with.
//
// Who touches what:
// - main thread: everything except where a member says otherwise;
// - acquisition thread: usb (under its locks), frames, outbox, acquisition,
//   scopeRedrawRequested, through PaceFrameRequest, LinkWatchdog and
//   ReadDataFrames only.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "foundation/messages.h"
#include "foundation/platform.h"
#include "link/acquisition_control.h"
#include "link/button_indicators.h"
#include "link/command_records.h"
#include "link/d2xx_api.h"
#include "link/frame_store.h"
#include "link/generator_settings.h"
#include "link/link_outbox.h"
#include "link/live_signature.h"
#include "link/rail_display.h"
#include "link/usb_link.h"
#include "signature/signature.h"

namespace vanto {

struct LinkState {
  LinkState() = default;
  // Stops and joins the acquisition thread and closes the device, so the
  // program never ends with the thread running or the device open.
  ~LinkState();
  LinkState(const LinkState&) = delete;
  LinkState& operator=(const LinkState&) = delete;

  UsbLink usb;
  RegisterImage registers;      // main thread only
  GeneratorSettings generator;  // main thread only
  AdcCalibration adc;           // main thread only
  FrameStore frames;            // written by the reading thread, taken by the main thread
  DecodedFrame lastFrame;       // main thread: the frame last converted
  RailDisplay rail;             // main thread only
  ButtonIndicators buttons;     // main thread only
  AcquisitionControl acquisition;
  LinkOutbox outbox;  // written by both threads, taken by the main thread

  // Redraw requests for the window side. Scope redraw: set by the frame
  // processing (main) and by every stop of the connection (either thread);
  // read and cleared by the main thread. Display refresh: main thread only.
  std::atomic<bool> scopeRedrawRequested{false};
  bool displayRefreshRequested = false;

  // The D2XX library to load (--d2xx); empty: ORX_D2XX_LIBRARY, else
  // libftd2xx.so. Set once at start-up.
  std::string d2xxPath;
  // Replaces the library loading (tests hand in a fake device); a null
  // result counts as a library that failed to load. Set before any connect.
  std::function<std::shared_ptr<D2xxApi>()> openLibrary;
};

// What the link operations work with: the link's own state and the parts of
// the application they read or write. Cheap to copy (references). The
// acquisition thread keeps a copy and uses state, messages (the log) and
// clock only.
struct InstrumentLink {
  LinkState& state;
  Messages& messages;
  Clock& clock;
  Signature& liveSignature;        // main thread only
  const std::string& activeModel;  // fixed from start-up to exit
  // RefreshInterface of the window, called by the generator step after a
  // change; may be empty. Main thread only.
  std::function<void()> refreshInterface;
};

}  // namespace vanto
