#include "app/qt/application.h"

#include "app/qt/main_loop.h"

#include <QApplication>

#include "app/message_texts.h"
#include "app/startup.h"

namespace vanto {

namespace {
constexpr int kClientWidth = 1200;
constexpr int kClientHeight = 720;
constexpr int kStartupSettleMs = 1000;
}  // namespace

Application::Application(AppContext& context, SoundOutput& sound)
    : context_(context), sound_(sound) {}

Application::~Application() = default;

void Application::OnWindowEvent(EventKind kind) {
  bool active = window_ != nullptr && window_->isActiveWindow();
  HandleWindowEvent(context_.app, kind, active);
}

void Application::Start() {
  LoadSettingsAndModel(context_);

  window_ = std::make_unique<MainWindow>([this](EventKind kind) { OnWindowEvent(kind); });
  window_->resize(500, 500);
  window_->move(0, 0);  // the frame, title bar included, starts at the corner
  window_->setWindowTitle(QString::fromStdString(MainWindowCaption(context_.app)));
  window_->show();

  if (ReleaseCheckDue(context_)) {
    // The release check itself arrives with its own feature; the date is
    // already written, so a failed check is not repeated today.
  }

  // Image decoders are linked in; nothing to register at run time.
  context_.app.soundAvailable = sound_.Available();
  InitialiseInterface();
}

void Application::InitialiseInterface() {
  AppContext& c = context_;
  window_->resize(kClientWidth, kClientHeight);
  fonts_ = LoadUiFonts();

  EnsureTestPlanFile(c);
  LoadTestPlan(c.plan, c.app.currentPlanFile, c.messages);
  c.plan.currentRecord = 1;

  LoadImages(pictures_, c.messages);
  LoadSounds(c.app.soundAvailable, sound_, c.messages);

  // Menu bar, ribbon, scope panes, tree panels and the recent list are
  // built by the main window's own features as they arrive.
  window_->SetBackgroundColour(c.settings.colourBackground);
  c.app.relayoutPending = true;

  dispatcher_ = std::make_unique<IdleDispatcher>(c.app);
  c.clock.SleepMs(kStartupSettleMs);
}

void Application::Run() {
  RunMainLoop(context_.app, *dispatcher_);
  window_->hide();
}

}  // namespace vanto
