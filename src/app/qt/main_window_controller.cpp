#include "app/qt/main_window_controller.h"

#include <QApplication>
#include <QMenuBar>
#include <QPalette>
#include <algorithm>

#include "app/plan_outcome_state.h"
#include "app/qt/display_colours_dialog.h"
#include "foundation/mode_and_view.h"
#include "link/connection.h"
#include "ui/hit_test.h"
#include "ui/qt/scope_passes.h"
#include "ui/ribbon.h"

namespace vanto {

namespace {

QRect ToQRect(const PixelRect& rect) {
  return QRect(rect.x, rect.y, rect.width, rect.height);
}

QSize SizeOf(const PixelRect& rect) {
  return QSize(rect.width, rect.height);
}

bool IsTreePanel(PaneId pane) {
  return pane == PaneId::TestTree || pane == PaneId::BadTree;
}

}  // namespace

MainWindowController::MainWindowController(MainWindow& window, AppContext& app, WindowRunState run,
                                           InstrumentLink link, const PictureStore& pictures,
                                           const UiFonts& fonts, WindowEvents& events)
    : window_(window),
      app_(app),
      run_(run),
      link_(std::move(link)),
      pictures_(pictures),
      fonts_(fonts),
      events_(events) {
  badges_ = MakeScopeBadges([this](PictureId id) { return pictures_.Picture(id).toImage(); });
  scopes_ = std::make_unique<ScopeContext>(app_.settings, app_.plan, app_.link.generator,
                                           run_.display, app_.app.currentPlanFile, badges_);
  board_ = std::make_unique<BoardView>(app_.plan, app_.settings);
  scopes_->renderPcbView = [this](int record, QSize size) {
    scopes_->images.boardView = board_->Render(record, size);
  };
  requester_ = std::make_unique<QtFileRequester>(&window_);
}

MainWindowController::~MainWindowController() = default;

bool MainWindowController::Connected() const {
  return run_.instrument.IsConnected();
}

void MainWindowController::OnControl(RibbonControl control, int value) {
  events_.controls.push_back({control, value});
  HandleWindowEvent(app_.app, EventKind::Control, window_.isActiveWindow());
}

void MainWindowController::OnMenu(MenuCommand command) {
  events_.menuCommands.push_back(command);
  HandleWindowEvent(app_.app, EventKind::Menu, window_.isActiveWindow());
}

void MainWindowController::BuildMenuBar() {
  // The menus keep the desktop's colours, not the client area's.
  // Each role is set, so none is inherited from the window.
  QPalette palette = QApplication::palette();
  for (QPalette::ColorRole role :
       {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::ButtonText,
        QPalette::Base, QPalette::Text, QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(role, palette.color(role));
  }
  window_.menuBar()->setPalette(palette);
  window_.menuBar()->setAutoFillBackground(true);
  menus_ = std::make_unique<MenuBarWidgets>(window_.menuBar(),
                                            [this](MenuCommand command) { OnMenu(command); });
  // Shown now rather than by the window's next layout pass, so the client
  // area sizes computed from here on count the menu bar.
  window_.menuBar()->show();
}

void MainWindowController::BuildRibbonAndPanes() {
  QWidget* client = window_.ClientArea();
  ribbon_ = new RibbonPanel(
      BuildRibbon(app_.app.activeModel), app_.settings, pictures_, fonts_,
      [this](RibbonControl control, int value) { OnControl(control, value); }, client);
  ribbon_->InstallShortcuts(&window_);
  ribbon_->show();  // the window is already shown, so new children are not
  link_.state.buttons.a.exists = ribbon_->Has(RibbonElement::ButtonAIndicator);
  link_.state.buttons.b.exists = ribbon_->Has(RibbonElement::ButtonBIndicator);

  for (int i = 0; i < kPaneCount; ++i) {
    const auto pane = static_cast<PaneId>(i);
    if (IsTreePanel(pane)) continue;  // the tree feature brings its own panels
    panes_[static_cast<std::size_t>(i)] = new ImagePane(client);
    panes_[static_cast<std::size_t>(i)]->hide();
  }
  filler_ = new QWidget(client);
  filler_->setAttribute(Qt::WA_TransparentForMouseEvents);
  QPalette palette = filler_->palette();
  palette.setColor(QPalette::Window, ColourFromSetting(app_.settings.colourBackground));
  filler_->setPalette(palette);
  filler_->setAutoFillBackground(true);
  filler_->show();

  window_.SetClickSink([this](EventKind kind, QPoint point) {
    const ClickPoint click{point.x(), point.y()};
    if (kind == EventKind::LeftClick) events_.leftClick = click;
    if (kind == EventKind::RightClick) events_.rightClick = click;
  });
}

void MainWindowController::BuildTreePanels() {
  const TreeIcons icons = TreeIconsFrom([this](PictureId id) { return pictures_.Picture(id); });
  const TreePanelStyle style = TreePanelStyleFrom(app_.settings, fonts_.regular11);
  QWidget* client = window_.ClientArea();
  testTree_ = CreateTestTreePanel(client, icons);
  badTree_ = CreateBadTreePanel(client, icons);
  for (TreePanel* tree : {testTree_, badTree_}) {
    tree->SetStyle(style);
    tree->hide();
  }
  testTree_->SetSelectionSink([this](int row) { OnControl(RibbonControl::TestTree, row); });
  badTree_->SetSelectionSink([this](int row) { OnControl(RibbonControl::BadTree, row); });
}

void MainWindowController::BuildRecentList() {
  ApplyPlanOutcome(UpdateRecentList(app_));
  RelabelRecent();
}

void MainWindowController::RelabelRecent() {
  if (menus_ == nullptr) return;
  const RecentPlans& labels = RecentMenuLabels(app_);
  for (int i = 0; i < kRecentMenuItems; ++i) {
    menus_->SetRecentLabel(i, labels[static_cast<std::size_t>(i)]);
  }
}

void MainWindowController::ApplyPlanOutcome(const PlanFileOutcome& outcome) {
  ApplyPlanOutcomeToRun(outcome, run_.run, run_.display);
  if (outcome.editCaptureOn && ribbon_ != nullptr &&
      ribbon_->Has(RibbonElement::EditCaptureSignature)) {
    ribbon_->SetChecked(RibbonElement::EditCaptureSignature, run_.run.editCaptureChecked);
  }
  if (outcome.clearTestTree) ClearTestTree();
  if (outcome.refreshTrees) RefreshTrees();
  if (outcome.refreshInterface) RefreshInterface();
  if (outcome.relabelRecent) RelabelRecent();
}

void MainWindowController::PlacePanes() {
  if (ribbon_ != nullptr) ribbon_->setGeometry(ToQRect(layout_.ribbon));
  for (int i = 0; i < kPaneCount; ++i) {
    ImagePane* pane = panes_[static_cast<std::size_t>(i)];
    if (pane != nullptr) pane->setGeometry(ToQRect(layout_.panes[static_cast<std::size_t>(i)]));
  }
  if (filler_ != nullptr) filler_->setGeometry(ToQRect(layout_.filler));
  if (testTree_ != nullptr) testTree_->setGeometry(ToQRect(layout_.Pane(PaneId::TestTree)));
  if (badTree_ != nullptr) badTree_->setGeometry(ToQRect(layout_.Pane(PaneId::BadTree)));
}

void MainWindowController::ApplyPaneVisibility(const PaneVisibility& panes) {
  shownPanes_ = panes;
  for (int i = 0; i < kPaneCount; ++i) {
    ImagePane* pane = panes_[static_cast<std::size_t>(i)];
    if (pane != nullptr) pane->setVisible(panes.visible[static_cast<std::size_t>(i)]);
  }
  if (testTree_ != nullptr) testTree_->setVisible(panes[PaneId::TestTree]);
  if (badTree_ != nullptr) badTree_->setVisible(panes[PaneId::BadTree]);
}

void MainWindowController::UpdateScopeSizes() {
  ScopeSizes& sizes = scopes_->sizes;
  sizes.mainScope = SizeOf(layout_.Pane(PaneId::MainScope));
  for (int k = 1; k <= kMiniScopeCount; ++k) {
    sizes.miniScopes[static_cast<std::size_t>(k - 1)] = SizeOf(layout_.Pane(MiniScope(k)));
  }
  sizes.boardView = SizeOf(layout_.Pane(PaneId::BoardView));
}

void MainWindowController::Relayout() {
  const QWidget* client = window_.ClientArea();
  RelayoutFor(client->width(), client->height());
}

void MainWindowController::RelayoutFor(int clientWidth, int clientHeight) {
  const int menuHeight = window_.MenuHeight();
  const WindowGeometry geometry{clientWidth, clientHeight + menuHeight, menuHeight};
  vanto::Relayout(layout_, ParseAppMode(app_.settings.mode),
                  ParseDisplayView(app_.settings.displayView), geometry);
  PlacePanes();
  UpdateScopeSizes();
}

void MainWindowController::ShowScopeImages() {
  const ScopeImages& images = scopes_->images;
  if (ImagePane* main = Pane(PaneId::MainScope)) main->SetImage(images.mainScope);
  for (int k = 1; k <= kMiniScopeCount; ++k) {
    ImagePane* pane = Pane(MiniScope(k));
    if (pane != nullptr) pane->SetImage(images.miniScopes[static_cast<std::size_t>(k - 1)]);
  }
  if (ImagePane* board = Pane(PaneId::BoardView); board != nullptr && !images.boardView.isNull()) {
    board->SetImage(images.boardView);
  }
}

void MainWindowController::RefreshDisplay() {
  RefreshDisplayIfPending(*scopes_);
  ShowScopeImages();
}

void MainWindowController::RedrawScopes(const ScopeRedraw& redraw) {
  vanto::RedrawScopes(*scopes_, redraw);
  ShowScopeImages();
}

int MainWindowController::HitTestAt(ClickPoint point) {
  PixelRect indicator{-1, -1, 0, 0};
  if (ribbon_ != nullptr && ribbon_->Has(RibbonElement::ConnectionIndicator)) {
    const QRect rect =
        ribbon_->ElementRect(RibbonElement::ConnectionIndicator).translated(ribbon_->pos());
    indicator = {rect.x(), rect.y(), rect.width(), rect.height()};
  }
  return HitTest(layout_, shownPanes_, indicator, point.x, point.y);
}

void MainWindowController::PcbViewClick(ClickPoint point) {
  const PixelRect& pane = layout_.Pane(PaneId::BoardView);
  const PcbClick click = board_->Click({pane.x, pane.y, pane.width, pane.height}, point.x, point.y);
  if (click == PcbClick::WholeBoardToggled) {
    run_.display.displayRefreshPending = true;
    run_.display.scopeRedrawPending = true;
  } else {
    // A pin was chosen: the record change follows in this pass's last step.
    RefreshInterface();
    run_.display.displayRefreshPending = true;
  }
}

void MainWindowController::ShowStatusText(const std::string& text) {
  if (ribbon_ != nullptr) ribbon_->SetStatusText(text);
}

void MainWindowController::ShowButtonPicture(InstrumentButton button,
                                             const std::string& pictureFile) {
  if (ribbon_ == nullptr) return;
  const RibbonElement element = button == InstrumentButton::A ? RibbonElement::ButtonAIndicator
                                                              : RibbonElement::ButtonBIndicator;
  if (ribbon_->Has(element)) ribbon_->SetElementPicture(element, pictureFile);
}

void MainWindowController::ShowLinkIndicator(const LinkIndicatorUpdate& update) {
  if (ribbon_ != nullptr) {
    if (ribbon_->Has(RibbonElement::ConnectionIndicator)) {
      ribbon_->SetElementPicture(RibbonElement::ConnectionIndicator, update.iconFile);
    }
    if (update.statusText != nullptr) ribbon_->SetStatusText(update.statusText);
  }
  if (menus_ != nullptr) {
    menus_->SetChecked(MenuCommand::Connect, update.connectChecked);
    menus_->SetChecked(MenuCommand::Disconnect, update.disconnectChecked);
  }
}

void MainWindowController::ApplyInstrumentMarks() {
  if (menus_ == nullptr) return;
  const MenuCheckState state{app_.settings, app_.app.menuModel, Connected()};
  for (MenuCommand command : {MenuCommand::InstrumentOrxa, MenuCommand::InstrumentOrxap,
                              MenuCommand::InstrumentOrxb, MenuCommand::InstrumentOrxc}) {
    menus_->SetChecked(command, MenuChecked(command, state));
  }
}

void MainWindowController::ShowFreezeToggles() {
  if (ribbon_ == nullptr) return;
  if (ribbon_->Has(RibbonElement::FreezeGolden)) {
    ribbon_->SetCaption(RibbonElement::FreezeGolden, FreezeGoldenToggleCaption(run_.freeze));
    ribbon_->SetChecked(RibbonElement::FreezeGolden, run_.freeze.goldenFrozen);
  }
  if (ribbon_->Has(RibbonElement::FreezeDut)) {
    ribbon_->SetCaption(RibbonElement::FreezeDut, FreezeDutToggleCaption(run_.freeze));
    ribbon_->SetChecked(RibbonElement::FreezeDut, run_.freeze.dutFrozen);
  }
  if (ribbon_->Has(RibbonElement::AutoFreeze)) {
    ribbon_->SetChecked(RibbonElement::AutoFreeze, run_.freeze.autoFreezeOn == 1);
  }
}

void MainWindowController::RefreshInterface() {
  const InterfaceInputs inputs{app_.settings, app_.app.activeModel, app_.app.menuModel,
                               Connected(),   app_.link.generator,  run_.run.runMode,
                               app_.plan};
  const InterfaceState state = ComputeInterfaceState(inputs, layoutState_, run_.display);
  RefreshTrees();
  if (menus_ != nullptr) menus_->ApplyMarks(state.menuMarks);
  if (ribbon_ != nullptr) ribbon_->ApplyInterfaceState(state);
  ShowFreezeToggles();
  ApplyPaneVisibility(state.panes);
  if (state.layout) {
    // The window system may apply the new size later; the layout follows
    // the size asked for, so the panes are right at once.
    const QWidget* client = window_.ClientArea();
    ClientSize size{client->width(), client->height()};
    if (state.layout->clientSize) {
      size = *state.layout->clientSize;
      // Never shorter than the ribbon: the compact size would cut off its
      // lowest controls (the freeze toggles) on every model.
      if (ribbon_ != nullptr && state.layout->controlSet) {
        size.height = std::max(
            size.height, ribbon_->ContentHeight(*state.layout->controlSet) + 2 * kWindowBorder);
      }
      window_.ResizeClientArea(size.width, size.height);
    }
    if (state.layout->relayout) RelayoutFor(size.width, size.height);
  }
}

void MainWindowController::RefreshTrees() {
  if (testTree_ == nullptr || badTree_ == nullptr) return;
  const std::string title = TreeTitle(app_.app.currentPlanFile, WorkingDirectoryPrefix());
  vanto::RefreshTestTree(*testTree_, app_.plan, title);
  vanto::RefreshBadTree(*badTree_, app_.plan, title);
}

void MainWindowController::ShowMarkedRecord(int row) {
  if (testTree_ != nullptr && badTree_ != nullptr) {
    vanto::RefreshTestTreeRecord(*testTree_, app_.plan, row);
    const std::string title = TreeTitle(app_.app.currentPlanFile, WorkingDirectoryPrefix());
    vanto::RefreshBadTree(*badTree_, app_.plan, title);
  }
  if (ribbon_ != nullptr) ribbon_->ShowPassRates(ComputePassRates(app_.plan));
}

void MainWindowController::ClearTestTree() {
  if (testTree_ != nullptr) testTree_->Clear();
}

void MainWindowController::OpenRecordEditor() {
  if (editor_ != nullptr) {
    editor_->raise();
    editor_->activateWindow();
    return;
  }
  board_->State().wholeBoardView = false;
  // The editor blocks input to this window but not its loop: the
  // dispatcher passes and the acquisition thread go on meanwhile.
  editor_ = OpenEditor({app_.plan, app_.editor, app_.settings, app_.messages, Files(),
                        app_.app.currentPlanFile, board_->Photographs()},
                       [this] {
                         RefreshTrees();
                         run_.display.displayRefreshPending = true;
                         run_.display.scopeRedrawPending = true;
                       },
                       &window_);
}

void MainWindowController::NewPlan() {
  ApplyPlanOutcome(NewPlanCommand(app_, Files()));
}

void MainWindowController::OpenPlan() {
  ApplyPlanOutcome(OpenPlanCommand(app_, Files()));
}

void MainWindowController::SavePlan() {
  SavePlanCommand(app_, Files());
}

void MainWindowController::OpenRecentPlan(int index) {
  ApplyPlanOutcome(OpenRecentPlanCommand(app_, index));
}

void MainWindowController::Connect() {
  ORX_StartConnection(link_);
}

void MainWindowController::Disconnect() {
  ORX_StopConnection(link_);
}

void MainWindowController::CollapseTestTree() {
  ClearTrees(testTree_, badTree_);
  RefreshTrees();
}

void MainWindowController::OpenDisplayColours() {
  ShowColoursDialog({app_.settings, app_.settingsStore, run_.display}, *picker_, &window_);
}

bool MainWindowController::SettleUnsavedPlan() {
  return vanto::SettleUnsavedPlan(app_, *questions_, Files());
}

void MainWindowController::OpenCalibration() {
  // The calibration window arrives with its own feature.
}

}  // namespace vanto
