// The "Edit/Add Records & Images" window: the photograph view, the seven
// numbered steps and the data grid. It draws what the editor core
// decided and wires each button to its core command; the plan, the
// placement and the controls' texts live in the state it is handed.
// After every command CurrentRecord stands within 1..RowCount.
// Main thread only.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "editor/editor_refresh.h"
#include "editor/editor_state.h"
#include "editor/qt/editor_grid.h"
#include "editor/qt/photograph_sizes.h"
#include "foundation/file_requester.h"
#include "foundation/messages.h"
#include "foundation/settings.h"
#include "testplan/pcb_view.h"
#include "testplan/qt/photograph_cache.h"
#include "testplan/test_plan.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vanto {

class PhotographView;

// What the window works on; all of it outlives the window.
struct EditorWindowContext {
  TestPlanState& plan;
  EditorState& editor;
  const Settings& settings;  // the crosshair type
  Messages& messages;
  FileRequester& requester;  // "Select Image"
  const std::string& currentPlanFile;  // "Quick Save"
  // Decoded photographs; the program shares the main window's, so opening
  // the editor decodes nothing the board view already holds.
  PhotographCache& photographs;
};

enum class EditorButton {
  SelectImage,
  Previous,
  Next,
  InsertBefore,
  InsertAfter,
  PreviousComponent,
  NextComponent,
  DeleteComponent,
  First,
  Last,
  DeletePin,
  ZoomIn,
  ZoomOut,
  ZoomAll,
  SelectZoomWindow,
  Up,
  Down,
  Left,
  Right,
  Centre,
  CreateComponent,
  MovePin,
  QuickSave,
};
inline constexpr int kEditorButtons = 23;

class EditorWindow final : public QWidget, public EditorRefresh {
 public:
  static constexpr int kWidth = 1280;
  static constexpr int kHeight = 760;

  // Builds the controls and opens on CurrentRecord (brought onto a row
  // that exists): the template list on its first entry, auto increment
  // ticked, the count fields hidden. `onClosed` runs when the window
  // closes.
  EditorWindow(EditorWindowContext context, std::function<void()> onClosed,
               QWidget* parent = nullptr);
  ~EditorWindow() override;

  // EditorRefresh: the grid, the step-1 field and the photograph with the
  // prompt, from the plan and the working values.
  void RefreshEditor(const TestPlanState& plan, const EditorState& editor) override;

  // A left or right click at (x, y) in window coordinates, as the
  // photograph view reports it.
  void PhotographClick(Qt::MouseButton button, QPoint windowPosition);

  QPushButton* Button(EditorButton button) const;
  EditorGrid* Grid() const { return grid_; }
  QLineEdit* ComponentName() const { return componentName_; }
  QCheckBox* AutoIncrement() const { return autoIncrement_; }
  QComboBox* Templates() const { return templates_; }
  QLineEdit* CountField(int index) const { return countFields_[static_cast<std::size_t>(index)]; }
  QLabel* CountLabel(int index) const { return countLabels_[static_cast<std::size_t>(index)]; }
  QLineEdit* ImageField() const { return imageField_; }
  PhotographView* Photograph() const { return photograph_; }
  const QImage& ViewImage() const { return viewImage_; }
  const PcbViewState& ViewState() const { return viewState_; }
  int RefreshCount() const { return refreshCount_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildSteps();
  void BuildShortcuts();
  QPushButton* AddButton(EditorButton id, const char* caption, const char* tip, QRect rect);
  QLabel* AddLabel(const char* text, QPoint at);
  // Reads the controls into the state, runs the command, keeps
  // CurrentRecord on a row and lets the name follow a finished placement.
  void Command(const std::function<void()>& command);
  void OnButton(EditorButton id);
  void ShowCountFields();
  void ShowControls();
  void ReadControls();
  QSize PhotographSize();

  EditorWindowContext context_;
  std::function<void()> onClosed_;
  CachedPictureSizes sizes_;
  PcbViewState viewState_;
  QImage viewImage_;
  int refreshCount_ = 0;
  int previousPlacementStep_ = 0;

  PhotographView* photograph_ = nullptr;
  EditorGrid* grid_ = nullptr;
  std::array<QPushButton*, kEditorButtons> buttons_{};
  QLineEdit* imageField_ = nullptr;
  QLineEdit* componentName_ = nullptr;
  QCheckBox* autoIncrement_ = nullptr;
  QComboBox* templates_ = nullptr;
  std::array<QLineEdit*, kCountFields> countFields_{};
  std::array<QLabel*, kCountFields> countLabels_{};
};

// Opens the window at the top-left corner of the screen over `parent`,
// which takes no input while it is open; the caller's event loop goes on
// running (the main window's dispatcher passes and the acquisition
// thread). The window deletes itself when closed, after `onClosed`. When
// it cannot be shown, Error #0080 is reported and null returned.
EditorWindow* OpenEditor(EditorWindowContext context, std::function<void()> onClosed,
                         QWidget* parent);

}  // namespace vanto
