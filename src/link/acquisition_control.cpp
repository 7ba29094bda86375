// The pause handshake between the main thread and the acquisition thread.
#include "link/acquisition_control.h"

namespace vanto {

namespace {

thread_local bool onAcquisitionThread = false;

}  // namespace

void MarkAcquisitionThread() {
  onAcquisitionThread = true;
}

bool OnAcquisitionThread() {
  return onAcquisitionThread;
}

bool PauseAcquisition(AcquisitionControl& control) {
  if (OnAcquisitionThread()) return false;
  std::unique_lock<std::mutex> lock(control.pauseLock);
  if (!control.running.load()) return false;
  ++control.pauseRequests;
  control.pauseChanged.notify_all();
  control.pauseChanged.wait(lock, [&] { return control.parked || !control.running.load(); });
  return true;
}

void ResumeAcquisition(AcquisitionControl& control) {
  std::lock_guard<std::mutex> lock(control.pauseLock);
  if (control.pauseRequests > 0) --control.pauseRequests;
  if (control.pauseRequests == 0) control.pauseChanged.notify_all();
}

bool AcquisitionCheckpoint(AcquisitionControl& control) {
  std::unique_lock<std::mutex> lock(control.pauseLock);
  if (control.pauseRequests > 0 && !control.stopRequested.load()) {
    control.parked = true;
    control.pauseChanged.notify_all();
    control.pauseChanged.wait(
        lock, [&] { return control.pauseRequests == 0 || control.stopRequested.load(); });
    control.parked = false;
  }
  return !control.stopRequested.load();
}

}  // namespace vanto
