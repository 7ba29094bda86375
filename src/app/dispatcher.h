// The per-pass hand-off from the main loop to the main window's dispatcher.
// Called on the main thread once per loop pass, with or without an event.
#pragma once

namespace vanto {

class PassDispatcher {
 public:
  virtual ~PassDispatcher() = default;
  virtual void DispatchPass() = 0;
};

// Until the main window's dispatcher exists, a pass consumes the event
// flags and does nothing else.
class IdleDispatcher final : public PassDispatcher {
 public:
  explicit IdleDispatcher(struct AppState& state) : state_(state) {}
  void DispatchPass() override;

 private:
  AppState& state_;
};

}  // namespace vanto
