// The acquisition thread's loop, start and stop.
#include "link/acquisition_thread.h"

#include <mutex>

#include "foundation/crash_handler.h"
#include "link/command_writer.h"
#include "link/connection.h"
#include "link/frame_reader.h"

namespace vanto {

void AcquisitionPass(InstrumentLink& link) {
  link.clock.SleepMs(1);
  PaceFrameRequest(link, kFrameRequestIntervalMs);
  LinkWatchdog(link);
  ReadDataFrames(link);
}

void AcquisitionLoop(InstrumentLink link) {
  while (AcquisitionCheckpoint(link.state.acquisition)) AcquisitionPass(link);
}

void StartAcquisitionThread(const InstrumentLink& link) {
  AcquisitionControl& control = link.state.acquisition;
  if (control.thread.joinable()) return;
  {
    std::lock_guard<std::mutex> guard(control.pauseLock);
    control.stopRequested.store(false);
    control.pauseRequests = 0;
    control.parked = false;
  }
  control.running.store(true);
  control.thread = std::thread([link] {
    PrepareThreadForCrashReports();
    MarkAcquisitionThread();
    AcquisitionLoop(link);
  });
}

void StopAcquisitionThread(LinkState& state) {
  AcquisitionControl& control = state.acquisition;
  if (!control.thread.joinable()) return;
  {
    std::lock_guard<std::mutex> guard(control.pauseLock);
    control.stopRequested.store(true);
  }
  control.pauseChanged.notify_all();
  control.thread.join();
  {
    std::lock_guard<std::mutex> guard(control.pauseLock);
    control.running.store(false);
  }
  control.pauseChanged.notify_all();
}

void ShutDownLink(LinkState& state) {
  StopAcquisitionThread(state);
  CloseDeviceAtExit(state);
}

}  // namespace vanto
