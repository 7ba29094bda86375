// Control of the acquisition thread: its stop flag and the pause handshake
// the main thread uses around its own device calls.
//
// A pause takes hold only at the top of the thread's loop pass, where the
// thread holds no lock and is inside no D2XX call: PauseAcquisition returns
// once the thread has parked there (not after a guessed sleep), and the
// thread stays parked until every pause has been resumed.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vanto {

struct AcquisitionControl {
  std::thread thread;  // started and joined by the main thread
  // Written by the main thread (start, stop), read by both threads.
  std::atomic<bool> running{false};
  // Written by the main thread under pauseLock, read by the acquisition
  // thread at the top of each pass.
  std::atomic<bool> stopRequested{false};

  std::mutex pauseLock;  // guards pauseRequests and parked
  std::condition_variable pauseChanged;
  int pauseRequests = 0;  // main thread: pauses not yet resumed
  bool parked = false;    // acquisition thread: waiting at the top of its pass
};

// Main thread. Asks the thread to park and waits until it has. False, and
// no pause, when the thread is not running or when called on the
// acquisition thread itself (which would wait for itself).
bool PauseAcquisition(AcquisitionControl& control);
// Main thread. Ends a pause that PauseAcquisition granted.
void ResumeAcquisition(AcquisitionControl& control);

// Acquisition thread, at the top of every pass: parks while a pause is
// requested. False when the thread must end.
bool AcquisitionCheckpoint(AcquisitionControl& control);

// Marks the calling thread as the acquisition thread (for its lifetime).
void MarkAcquisitionThread();
bool OnAcquisitionThread();

// Scoped pause for a main-thread device operation.
class AcquisitionPause {
 public:
  explicit AcquisitionPause(AcquisitionControl& control)
      : control_(control), paused_(PauseAcquisition(control)) {}
  ~AcquisitionPause() {
    if (paused_) ResumeAcquisition(control_);
  }
  AcquisitionPause(const AcquisitionPause&) = delete;
  AcquisitionPause& operator=(const AcquisitionPause&) = delete;

  // True when the thread was running and is now parked.
  bool Paused() const { return paused_; }

 private:
  AcquisitionControl& control_;
  bool paused_;
};

}  // namespace vanto
