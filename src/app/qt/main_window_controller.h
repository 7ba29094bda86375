// The main window's parts and what the dispatcher, the test run and the
// menu commands ask of them: the menu bar, the ribbon, the scope panes,
// the layout and the interface refresh. It owns the widgets' state, reads
// the core state and calls core operations; it never talks to the
// instrument library itself. Main thread only.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include <QPointer>

#include "app/app_context.h"
#include "app/dispatcher_window.h"
#include "app/interface_refresh.h"
#include "app/menu_commands.h"
#include "app/plan_file_commands.h"
#include "app/qt/image_pane.h"
#include "app/qt/main_window.h"
#include "app/qt/menu_bar_widgets.h"
#include "app/qt/picture_store.h"
#include "app/qt/qt_colour_picker.h"
#include "app/qt/qt_file_requester.h"
#include "app/qt/qt_question_boxes.h"
#include "app/qt/ribbon_panel.h"
#include "app/qt/ui_fonts.h"
#include "app/window_events.h"
#include "editor/qt/editor_window.h"
#include "link/link_state.h"
#include "testplan/qt/board_view.h"
#include "testplan/qt/tree_panel.h"
#include "ui/display_layout.h"
#include "ui/qt/scope_badges.h"
#include "ui/qt/scope_context.h"
#include "ui/test_run_context.h"
#include "ui/test_run_hooks.h"

namespace vanto {

// The test run's state the window shows.
struct WindowRunState {
  TestRunState& run;
  FreezeState& freeze;
  SignatureAnalysis& analysis;
  DisplayRequests& display;
  InstrumentPort& instrument;
};

class MainWindowController final : public DispatcherWindow,
                                   public TestRunHooks,
                                   public MenuCommandHooks {
 public:
  MainWindowController(MainWindow& window, AppContext& app, WindowRunState run, InstrumentLink link,
                       const PictureStore& pictures, const UiFonts& fonts, WindowEvents& events);
  ~MainWindowController() override;

  // The start-up steps in their order: the menu bar, the ribbon and the
  // display panes, the tree panels, the recent list.
  void BuildMenuBar();
  void BuildRibbonAndPanes();
  void BuildTreePanels();
  void BuildRecentList();
  ScopeContext& Scopes() { return *scopes_; }
  const DisplayLayout& Layout() const { return layout_; }
  const InterfaceLayoutState& LayoutState() const { return layoutState_; }
  RibbonPanel* Ribbon() const { return ribbon_; }
  MenuBarWidgets* Menus() const { return menus_.get(); }
  ImagePane* Pane(PaneId pane) const { return panes_[PaneIndex(pane)]; }
  TreePanel* TestTree() const { return testTree_; }
  TreePanel* BadTree() const { return badTree_; }
  BoardView& Board() { return *board_; }
  // The colours window's picker; the desktop's colour dialog unless a test
  // puts its own in.
  void SetColourPicker(ColourPicker& picker) { picker_ = &picker; }
  // The save question's boxes; the desktop's unless a test puts its own in.
  void SetQuestionBoxes(QuestionBoxes& questions) { questions_ = &questions; }
  // The file requester of the plan commands and the editor's "Select
  // Image"; the desktop's unless a test puts its own in.
  void SetFileRequester(FileRequester& requester) { files_ = &requester; }
  // The plan editor's window while it is open, else null.
  EditorWindow* Editor() const { return editor_.data(); }

  // DispatcherWindow
  void Relayout() override;
  void RefreshDisplay() override;
  void RedrawScopes(const ScopeRedraw& redraw) override;
  int HitTestAt(ClickPoint point) override;
  void PcbViewClick(ClickPoint point) override;
  void ShowStatusText(const std::string& text) override;
  void ShowButtonPicture(InstrumentButton button, const std::string& pictureFile) override;
  void ShowLinkIndicator(const LinkIndicatorUpdate& update) override;
  void ApplyInstrumentMarks() override;

  // TestRunHooks
  void RefreshInterface() override;
  void ShowFreezeToggles() override;
  void RefreshTrees() override;
  void ShowMarkedRecord(int row) override;
  void ClearTestTree() override;
  void OpenRecordEditor() override;

  // MenuCommandHooks
  void NewPlan() override;
  void OpenPlan() override;
  void SavePlan() override;
  void OpenRecentPlan(int index) override;
  void Connect() override;
  void Disconnect() override;
  void CollapseTestTree() override;
  void OpenDisplayColours() override;
  void OpenCalibration() override;
  bool SettleUnsavedPlan() override;

 private:
  void OnControl(RibbonControl control, int value);
  void OnMenu(MenuCommand command);
  void RelayoutFor(int clientWidth, int clientHeight);
  void ApplyPlanOutcome(const PlanFileOutcome& outcome);
  void RelabelRecent();
  void PlacePanes();
  void ApplyPaneVisibility(const PaneVisibility& panes);
  void UpdateScopeSizes();
  void ShowScopeImages();
  bool Connected() const;
  FileRequester& Files() { return files_ != nullptr ? *files_ : *requester_; }

  MainWindow& window_;
  AppContext& app_;
  WindowRunState run_;
  InstrumentLink link_;
  const PictureStore& pictures_;
  const UiFonts& fonts_;
  WindowEvents& events_;

  ScopeBadges badges_;
  std::unique_ptr<ScopeContext> scopes_;
  std::unique_ptr<MenuBarWidgets> menus_;
  RibbonPanel* ribbon_ = nullptr;  // owned by the client area
  std::array<ImagePane*, kPaneCount> panes_{};
  QWidget* filler_ = nullptr;
  TreePanel* testTree_ = nullptr;  // owned by the client area
  TreePanel* badTree_ = nullptr;
  std::unique_ptr<BoardView> board_;
  std::unique_ptr<QtFileRequester> requester_;
  QtColourPicker desktopPicker_;
  ColourPicker* picker_ = &desktopPicker_;
  QtQuestionBoxes desktopQuestions_;
  QuestionBoxes* questions_ = &desktopQuestions_;
  FileRequester* files_ = nullptr;  // the desktop's requester_ when null
  QPointer<EditorWindow> editor_;
  DisplayLayout layout_;
  InterfaceLayoutState layoutState_;
  PaneVisibility shownPanes_ = InitialPaneVisibility();
};

}  // namespace vanto
