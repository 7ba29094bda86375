#include "editor/qt/editor_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QShortcut>
#include <utility>
#include <vector>

#include "editor/auto_increment_name.h"
#include "editor/board_image.h"
#include "editor/component_range.h"
#include "editor/component_templates.h"
#include "editor/count_fields.h"
#include "editor/delete_component.h"
#include "editor/editor_captions.h"
#include "editor/editor_click.h"
#include "editor/editor_messages.h"
#include "editor/editor_navigation.h"
#include "editor/pin_placement.h"
#include "editor/qt/photograph_view.h"
#include "editor/qt/wrapping_button.h"
#include "editor/record_operations.h"
#include "editor/working_values.h"
#include "testplan/qt/board_view.h"

namespace vanto {

namespace {

namespace t = editor_text;

// The steps stand in 60-pixel columns from x 670, rows 25 pixels apart.
constexpr int kStepsX = 670;
constexpr int kRow = 25;
constexpr int kButtonHeight = 23;
constexpr int kGridTop = 660;

constexpr int RowY(int row) { return 10 + row * kRow; }

// The keys of the navigation and zoom buttons, shown in their tool tips.
struct ButtonKeys {
  EditorButton button;
  std::vector<QKeySequence> keys;
};

std::vector<ButtonKeys> KeyTable() {
  return {
      {EditorButton::Previous, {QKeySequence(Qt::Key_PageUp)}},
      {EditorButton::Next, {QKeySequence(Qt::Key_PageDown)}},
      {EditorButton::PreviousComponent, {QKeySequence(Qt::CTRL | Qt::Key_PageUp)}},
      {EditorButton::NextComponent, {QKeySequence(Qt::CTRL | Qt::Key_PageDown)}},
      {EditorButton::First, {QKeySequence(Qt::CTRL | Qt::Key_Home)}},
      {EditorButton::Last, {QKeySequence(Qt::CTRL | Qt::Key_End)}},
      {EditorButton::ZoomIn, {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
      {EditorButton::ZoomOut, {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
      {EditorButton::ZoomAll, {QKeySequence(Qt::CTRL | Qt::Key_0)}},
      {EditorButton::SelectZoomWindow, {QKeySequence(Qt::CTRL | Qt::Key_R)}},
      {EditorButton::Up, {QKeySequence(Qt::ALT | Qt::Key_Up)}},
      {EditorButton::Down, {QKeySequence(Qt::ALT | Qt::Key_Down)}},
      {EditorButton::Left, {QKeySequence(Qt::ALT | Qt::Key_Left)}},
      {EditorButton::Right, {QKeySequence(Qt::ALT | Qt::Key_Right)}},
      {EditorButton::Centre, {QKeySequence(Qt::ALT | Qt::Key_C)}},
  };
}

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

}  // namespace

EditorWindow::EditorWindow(EditorWindowContext context, std::function<void()> onClosed,
                           QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      context_(context),
      onClosed_(std::move(onClosed)),
      sizes_(context.photographs) {
  setWindowTitle(t::kWindowTitle);
  resize(kWidth, kHeight);
  photograph_ = new PhotographView(
      [this](Qt::MouseButton button, QPoint position) {
        PhotographClick(button, position + photograph_->pos());
      },
      this);
  photograph_->setGeometry(kEditorPhotograph.x, kEditorPhotograph.y, kEditorPhotograph.width,
                           kEditorPhotograph.height);
  BuildSteps();
  grid_ = new EditorGrid(this);
  grid_->setGeometry(10, kGridTop, EditorGrid::kWidth, kHeight - kGridTop);
  connect(grid_->Button(GridButton::WriteEntryRow), &QPushButton::clicked, this, [this] {
    Command([this] { WriteEntryRow(context_.plan, context_.editor, *this); });
  });
  connect(grid_->Button(GridButton::UpdateDescription), &QPushButton::clicked, this, [this] {
    Command([this] { SetComponentDescription(context_.plan, context_.editor); });
  });
  connect(grid_->Button(GridButton::UpdateComponent), &QPushButton::clicked, this, [this] {
    Command([this] { RenameComponent(context_.plan, context_.editor); });
  });
  connect(grid_->Button(GridButton::UpdateView), &QPushButton::clicked, this, [this] {
    Command([this] { SetComponentView(context_.plan, context_.editor); });
  });
  BuildShortcuts();

  // Opening: the working values from CurrentRecord, the controls reset
  // (the component name and a running placement carry on), then one
  // refresh.
  ClampCurrentRecord(context_.plan);
  LoadWorkingValues(context_.plan, context_.editor.working);
  EditorControls& controls = context_.editor.controls;
  controls.selectedTemplate = std::string(ComponentTemplates().front().entry);
  controls.autoIncrement = true;
  controls.countFields.fill(kCountFieldStart);
  previousPlacementStep_ = context_.editor.placement.placementStep;
  ShowControls();
  RefreshEditor(context_.plan, context_.editor);
}

EditorWindow::~EditorWindow() = default;

QLabel* EditorWindow::AddLabel(const char* text, QPoint at) {
  auto* label = new QLabel(text, this);
  label->move(at);
  label->adjustSize();
  label->resize(label->width(), kButtonHeight);
  return label;
}

QPushButton* EditorWindow::AddButton(EditorButton id, const char* caption, const char* tip,
                                     QRect rect) {
  // Only the tall "SELECT ZOOM WINDOW" needs more than one line.
  QPushButton* button = rect.height() > kButtonHeight ? new WrappingButton(caption, this)
                                                      : new QPushButton(caption, this);
  button->setGeometry(rect);
  if (tip != nullptr) button->setToolTip(tip);
  buttons_[static_cast<std::size_t>(id)] = button;
  connect(button, &QPushButton::clicked, this, [this, id] { OnButton(id); });
  return button;
}

void EditorWindow::BuildSteps() {
  const int x = kStepsX;
  using B = EditorButton;
  AddLabel(t::kStep1, {x, RowY(0)});
  AddButton(B::SelectImage, t::kSelectImage, nullptr, QRect(x, RowY(1), 110, kButtonHeight));
  imageField_ = new QLineEdit(t::kImageFieldStart, this);
  imageField_->setReadOnly(true);
  imageField_->setGeometry(x + 120, RowY(1), 1270 - (x + 120), kButtonHeight);

  AddLabel(t::kStep2, {x, RowY(2)});
  AddLabel(t::kStep2a, {x + 240, RowY(2)});
  AddButton(B::Previous, t::kPrevious, t::kPreviousTip, QRect(x, RowY(3), 55, kButtonHeight));
  AddButton(B::Next, t::kNext, t::kNextTip, QRect(x + 60, RowY(3), 55, kButtonHeight));
  AddButton(B::PreviousComponent, t::kPreviousComponent, t::kPreviousComponentTip,
            QRect(x, RowY(4), 55, kButtonHeight));
  AddButton(B::NextComponent, t::kNextComponent, t::kNextComponentTip,
            QRect(x + 60, RowY(4), 55, kButtonHeight));
  AddButton(B::First, t::kFirst, t::kFirstTip, QRect(x, RowY(5), 55, kButtonHeight));
  AddButton(B::Last, t::kLast, t::kLastTip, QRect(x + 60, RowY(5), 55, kButtonHeight));
  AddButton(B::InsertBefore, t::kInsertBefore, t::kInsertBeforeTip,
            QRect(x + 240, RowY(3), 170, kButtonHeight));
  AddButton(B::InsertAfter, t::kInsertAfter, t::kInsertAfterTip,
            QRect(x + 420, RowY(3), 170, kButtonHeight));
  AddButton(B::DeleteComponent, t::kDeleteComponent, t::kDeleteComponentTip,
            QRect(x + 240, RowY(4), 170, kButtonHeight));
  AddButton(B::DeletePin, t::kDeletePin, t::kDeletePinTip,
            QRect(x + 240, RowY(5), 170, kButtonHeight));

  AddLabel(t::kStep3, {x, RowY(6)});
  AddButton(B::ZoomIn, t::kZoomIn, nullptr, QRect(x, RowY(7), 110, kButtonHeight));
  AddButton(B::ZoomOut, t::kZoomOut, nullptr, QRect(x, RowY(8), 110, kButtonHeight));
  AddButton(B::ZoomAll, t::kZoomAll, nullptr, QRect(x, RowY(9), 110, kButtonHeight));
  AddButton(B::SelectZoomWindow, t::kSelectZoomWindow, nullptr, QRect(x + 120, RowY(7), 90, 70));
  AddButton(B::Up, t::kUp, nullptr, QRect(x + 320, RowY(7), 70, kButtonHeight));
  AddButton(B::Left, t::kLeft, nullptr, QRect(x + 240, RowY(8), 70, kButtonHeight));
  AddButton(B::Centre, t::kCentre, nullptr, QRect(x + 320, RowY(8), 70, kButtonHeight));
  AddButton(B::Right, t::kRight, nullptr, QRect(x + 400, RowY(8), 70, kButtonHeight));
  AddButton(B::Down, t::kDown, nullptr, QRect(x + 320, RowY(9), 70, kButtonHeight));

  AddLabel(t::kStep4, {x, RowY(10) + 5});
  componentName_ = new QLineEdit(this);
  componentName_->setGeometry(x, RowY(11) + 5, 170, kButtonHeight);
  autoIncrement_ = new QCheckBox(t::kAutoIncrement, this);
  autoIncrement_->setGeometry(x + 180, RowY(11) + 5, 300, kButtonHeight);

  AddLabel(t::kStep5, {x, RowY(12) + 10});
  templates_ = new QComboBox(this);
  for (const ComponentTemplate& entry : ComponentTemplates()) templates_->addItem(Q(entry.entry));
  templates_->setGeometry(x, RowY(13) + 10, 230, kButtonHeight);
  templates_->setMaxVisibleItems(20);
  connect(templates_, &QComboBox::currentIndexChanged, this, [this] {
    context_.editor.controls.selectedTemplate = templates_->currentText().toStdString();
    ShowCountFields();
  });
  auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
  for (int i = 0; i < kCountFields; ++i) {
    const int fx = x + 240 + i * 90;
    auto* label = new QLabel(this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(fx, RowY(13) + 10, 48, kButtonHeight);
    auto* field = new QLineEdit(kCountFieldStart, this);
    field->setValidator(digits);
    field->setGeometry(fx + 50, RowY(13) + 10, 38, kButtonHeight);
    countLabels_[static_cast<std::size_t>(i)] = label;
    countFields_[static_cast<std::size_t>(i)] = field;
  }

  AddLabel(t::kStep6, {x, RowY(14) + 20});
  AddButton(B::CreateComponent, t::kCreateComponent, nullptr,
            QRect(x, RowY(15) + 20, 170, kButtonHeight));
  AddLabel(t::kStep6a, {x, RowY(16) + 25});
  AddButton(B::MovePin, t::kMovePin, nullptr, QRect(x, RowY(17) + 25, 170, kButtonHeight));

  AddLabel(t::kStep7, {x, RowY(18) + 35});
  AddLabel(t::kStep7b, {x, RowY(19) + 35});
  AddLabel(t::kStep7c, {x, RowY(20) + 35});
  AddButton(B::QuickSave, t::kQuickSave, nullptr, QRect(x, RowY(21) + 35, 170, kButtonHeight));
}

void EditorWindow::BuildShortcuts() {
  for (const ButtonKeys& entry : KeyTable()) {
    QPushButton* button = Button(entry.button);
    QStringList names;
    for (const QKeySequence& key : entry.keys) {
      auto* shortcut = new QShortcut(key, this);
      shortcut->setContext(Qt::WindowShortcut);
      connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isVisible() && button->isEnabled()) button->click();
      });
      names << key.toString(QKeySequence::NativeText);
    }
    const QString tip = button->toolTip();
    const QString keys = "Key: " + names.join(" or ");
    button->setToolTip(tip.isEmpty() ? keys : tip + " (" + keys + ")");
  }
  // Escape gives up a zoom-window selection or a pin move; a placement
  // goes on until its last pin.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] {
    Command([this] { AbandonClickMode(context_.plan, context_.editor, *this); });
  });
}

QPushButton* EditorWindow::Button(EditorButton button) const {
  return buttons_[static_cast<std::size_t>(button)];
}

void EditorWindow::ShowCountFields() {
  const CountFieldLayout layout = SelectTemplate(templates_->currentText().toStdString());
  for (int i = 0; i < kCountFields; ++i) {
    const auto k = static_cast<std::size_t>(i);
    countLabels_[k]->setText(Q(layout.labels[k]));
    countLabels_[k]->setVisible(layout.shown[k]);
    countFields_[k]->setVisible(layout.shown[k]);
  }
}

void EditorWindow::ShowControls() {
  const EditorControls& controls = context_.editor.controls;
  componentName_->setText(Q(controls.componentName));
  autoIncrement_->setChecked(controls.autoIncrement);
  const int index = templates_->findText(Q(controls.selectedTemplate), Qt::MatchExactly);
  {
    const QSignalBlocker block(templates_);
    templates_->setCurrentIndex(index < 0 ? 0 : index);
  }
  for (int i = 0; i < kCountFields; ++i) {
    countFields_[static_cast<std::size_t>(i)]->setText(
        Q(controls.countFields[static_cast<std::size_t>(i)]));
  }
  ShowCountFields();
}

void EditorWindow::ReadControls() {
  EditorControls& controls = context_.editor.controls;
  controls.componentName = componentName_->text().toStdString();
  controls.autoIncrement = autoIncrement_->isChecked();
  controls.selectedTemplate = templates_->currentText().toStdString();
  for (int i = 0; i < kCountFields; ++i) {
    controls.countFields[static_cast<std::size_t>(i)] =
        countFields_[static_cast<std::size_t>(i)]->text().toStdString();
  }
  context_.editor.entry = grid_->ReadEntry();
}

void EditorWindow::Command(const std::function<void()>& command) {
  ReadControls();
  command();
  ClampCurrentRecord(context_.plan);
  // The loop's check after every pass: a placement that has just ended
  // names the next component.
  AutoIncrementName(context_.editor, previousPlacementStep_);
  previousPlacementStep_ = context_.editor.placement.placementStep;
  componentName_->setText(Q(context_.editor.controls.componentName));
}

QSize EditorWindow::PhotographSize() {
  return context_.photographs.Size(context_.editor.working.pcbImageFile);
}

void EditorWindow::OnButton(EditorButton id) {
  TestPlanState& plan = context_.plan;
  EditorState& editor = context_.editor;
  PcbViewCentre& view = editor.working.view;
  Command([&] {
    using B = EditorButton;
    switch (id) {
      case B::SelectImage:
        SelectBoardImage(plan, editor, context_.requester, sizes_, *this);
        return;
      case B::Previous: EditorPrevious(plan, editor, *this); return;
      case B::Next: EditorNext(plan, editor, *this); return;
      case B::PreviousComponent: EditorPreviousComponent(plan, editor, *this); return;
      case B::NextComponent: EditorNextComponent(plan, editor, *this); return;
      case B::First: EditorFirst(plan, editor, *this); return;
      case B::Last: EditorLast(plan, editor, *this); return;
      case B::InsertBefore: ManualInsertBefore(plan, editor, *this); return;
      case B::InsertAfter: ManualInsertAfter(plan, editor, *this); return;
      case B::DeleteComponent: DeleteComponent(plan, editor, *this); return;
      case B::DeletePin: DeletePinRecord(plan, editor, *this); return;
      case B::SelectZoomWindow: StartZoomWindow(editor, *this, plan); return;
      case B::CreateComponent: CreateNewComponent(plan, editor, context_.messages, *this); return;
      case B::MovePin: StartMovePin(plan, editor); return;
      case B::QuickSave: QuickSave(plan, context_.currentPlanFile, context_.messages); return;
      case B::ZoomIn: ZoomIn(view); break;
      case B::ZoomOut: ZoomOut(view); break;
      case B::ZoomAll: ZoomAll(view); break;
      case B::Up: PanUp(view, PhotographSize().height()); break;
      case B::Down: PanDown(view, PhotographSize().height()); break;
      case B::Left: PanLeft(view, PhotographSize().width()); break;
      case B::Right: PanRight(view, PhotographSize().width()); break;
      case B::Centre: {
        const QSize size = PhotographSize();
        CentreView(view, size.width(), size.height());
        break;
      }
    }
    // The zoom and pan buttons change only the working values.
    RefreshEditor(plan, editor);
  });
}

void EditorWindow::PhotographClick(Qt::MouseButton button, QPoint windowPosition) {
  TestPlanState& plan = context_.plan;
  EditorState& editor = context_.editor;
  Command([&] {
    if (button == Qt::RightButton) {
      CreateNewComponent(plan, editor, context_.messages, *this);
    } else {
      EditorClick(plan, editor, viewState_, kEditorPhotograph, windowPosition.x(),
                  windowPosition.y(), *this);
    }
  });
}

void EditorWindow::RefreshEditor(const TestPlanState& plan, const EditorState& editor) {
  ++refreshCount_;
  const EditorWorkingValues& working = editor.working;
  grid_->Show(plan, working);
  imageField_->setText(Q(" " + working.pcbImageFile));
  const PcbViewRequest request{kEditorPhotograph.width,
                               kEditorPhotograph.height,
                               working.view.centreX,
                               working.view.centreY,
                               working.view.zoom,
                               working.pinX,
                               working.pinY,
                               working.pcbImageFile};
  RenderPcbView(viewImage_, viewState_, plan.table, request,
                CrosshairFromSetting(context_.settings.pcbCrosshairType), context_.photographs);
  if (!editor.placement.editorPrompt.empty()) {
    DrawPrompt(viewImage_, Q(editor.placement.editorPrompt));
  }
  photograph_->SetImage(viewImage_);
  // Long commands (deleting a large component) show their progress.
  if (photograph_->isVisible()) photograph_->repaint();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  ReadControls();
  event->accept();
  if (onClosed_) {
    auto onClosed = std::move(onClosed_);
    onClosed_ = nullptr;
    onClosed();
  }
}

EditorWindow* OpenEditor(EditorWindowContext context, std::function<void()> onClosed,
                         QWidget* parent) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    context.messages.ShowMessage(text::kEditorWontStart);
    return nullptr;
  }
  auto* window = new EditorWindow(context, std::move(onClosed), parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  // The main window takes no input meanwhile, but its loop runs on.
  window->setWindowModality(Qt::ApplicationModal);
  window->move(screen->availableGeometry().topLeft());
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace vanto
