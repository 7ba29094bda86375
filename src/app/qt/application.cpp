#include "app/qt/application.h"

#include "app/qt/main_loop.h"

#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "foundation/message_texts.h"
#include "app/curl_http_download.h"
#include "app/release_check.h"
#include "app/startup.h"
#include "link/acquisition_thread.h"
#include "link/connection.h"
#include "app/main_dispatcher.h"

namespace vanto {

namespace {
constexpr int kClientWidth = 1200;
constexpr int kClientHeight = 720;
constexpr int kStartupSettleMs = 1000;
// The simulated instrument is built beside the program.
std::string SimulatorBesideProgram() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return (program.parent_path() / "liborx_sim.so").string();
}

}  // namespace

Application::Application(AppContext& context, SoundOutput& sound)
    : context_(context), sound_(sound) {}

Application::~Application() = default;

void Application::OnWindowEvent(EventKind kind) {
  bool active = window_ != nullptr && window_->isActiveWindow();
  // A close that would end the program first settles unsaved work; the
  // user's Cancel keeps the program running with its results.
  if (kind == EventKind::Close && active && controller_ && !controller_->SettleUnsavedPlan()) {
    return;
  }
  HandleWindowEvent(context_.app, kind, active);
}

InstrumentLink Application::Link() {
  InstrumentLink link{context_.link,           context_.messages, context_.clock,
                      analysis_.liveSignature, context_.app.activeModel, {}};
  // The generator step refreshes the controls after it applied a change.
  link.refreshInterface = [this] {
    if (controller_) controller_->RefreshInterface();
  };
  return link;
}

void Application::Start() {
  LoadSettingsAndModel(context_);
  if (options_.simulate) {
    context_.link.d2xxPath = SimulatorBesideProgram();
    ::setenv("ORX_SIM_MODEL", context_.app.activeModel.c_str(), 1);
  } else if (!options_.d2xxPath.empty()) {
    context_.link.d2xxPath = options_.d2xxPath;
  }

  window_ = std::make_unique<MainWindow>([this](EventKind kind) { OnWindowEvent(kind); });
  window_->resize(500, 500);
  window_->move(0, 0);  // the frame, title bar included, starts at the corner
  window_->setWindowTitle(QString::fromStdString(MainWindowCaption(context_.app)));
  window_->show();

  if (ReleaseCheckDue(context_)) {
    // The date is already written, so a failed check is not repeated today.
    CurlHttpDownloader http;
    CheckForRelease(context_, ReleaseServerAddress(std::getenv(kReleaseServerVariable)),
                    ReleaseCheckEdges{http, questions_, browser_});
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

  window_->SetBackgroundColour(c.settings.colourBackground);
  instrument_ = std::make_unique<LinkInstrumentPort>(Link());
  controller_ = std::make_unique<MainWindowController>(
      *window_, c, WindowRunState{run_, freeze_, analysis_, display_, *instrument_}, Link(),
      pictures_, fonts_, events_);
  runContext_.reset(new TestRunContext{run_, freeze_, analysis_, c.plan, c.link.generator,
                                       c.settings, display_, *instrument_, *controller_,
                                       sound_, c.messages, questions_, c.clock});
  controller_->BuildMenuBar();
  controller_->BuildRibbonAndPanes();
  controller_->BuildTreePanels();
  controller_->BuildRecentList();
  controller_->RefreshInterface();
  c.app.relayoutPending = true;

  dispatcher_ = std::make_unique<MainDispatcher>(c, *runContext_, Link(), *controller_, *controller_,
                                                 events_);
  StartAcquisitionThread(Link());
  c.clock.SleepMs(kStartupSettleMs);
  if (options_.connect) {
    InstrumentLink link = Link();
    ORX_StartConnection(link);
  }
}

void Application::Run() {
  RunMainLoop(context_.app, *dispatcher_);
  window_->hide();
  ShutDownLink(context_.link);
}

}  // namespace vanto
