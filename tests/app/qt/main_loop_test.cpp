// The main loop's own wake: with no window event at all, the loop still
// passes about a thousand times a second, so frames and run modes move on
// while the user does nothing.
#include "app/qt/main_loop.h"

#include <gtest/gtest.h>

#include <QTimer>

#include "app/app_state.h"

namespace vanto {
namespace {

class CountingDispatcher final : public PassDispatcher {
 public:
  CountingDispatcher(AppState& state, int quitAfter) : state_(state), quitAfter_(quitAfter) {}
  void DispatchPass() override {
    if (++passes == quitAfter_) state_.quitRequested = true;
  }
  int passes = 0;

 private:
  AppState& state_;
  int quitAfter_;
};

TEST(MainLoopTest, PassesOnItsOwnWithoutAnyEvent) {
  AppState state;
  CountingDispatcher dispatcher(state, 50);
  // Only if the loop's own wake is missing does this fire: it ends the loop
  // instead of leaving it waiting for an event that never comes.
  bool guardFired = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    guardFired = true;
    state.quitRequested = true;
  });
  guard.start(5000);
  RunMainLoop(state, dispatcher);
  EXPECT_FALSE(guardFired) << "passes before the guard: " << dispatcher.passes;
  EXPECT_EQ(dispatcher.passes, 50);
}

}  // namespace
}  // namespace vanto
