// The ribbon's widgets and how the program's updates reach them.
#include "app/qt/ribbon_panel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>
#include <utility>

#include "app/qt/label_fit.h"
#include "app/qt/main_window.h"

namespace vanto {
namespace {

// Buttons, check boxes and lists: the header face, at the largest of these
// sizes at which every list entry fits its list ("Resistance: 10K ohms" in
// a full-width list, "Sqr-Hard" in a half-width one) without being cut.
constexpr double kControlPointSizes[] = {9.0, 8.5, 8.0, 7.5, 7.0};
// Lists longer than this scroll in their pop-up.
constexpr int kListVisibleItems = 20;
// Room for the pop-up's scroll bar and frame beside the longest entry.
constexpr int kListPopupMargin = 28;
// Status texts that are not centred keep this distance from their left edge.
constexpr int kTextIndent = 4;

// Button captions are shown as written: a '&' must not turn into a mnemonic.
QString Verbatim(const std::string& text) {
  return QString::fromStdString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The colour halfway between two, for disabled texts on the panel.
QColor Blend(const QColor& a, const QColor& b) {
  return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

// A picture as a button (A/B indicators, Good, Bad, automatic run) or as a
// plain picture whose clicks go to the window underneath (the connection
// indicator, which the window's hit test handles). The picture is drawn
// whole, centred, and scaled down only when it is larger than the control;
// "no picture" draws nothing and leaves the panel showing through.
class PictureWidget final : public QAbstractButton {
 public:
  PictureWidget(bool clickable, QWidget* parent) : QAbstractButton(parent), clickable_(clickable) {
    setFocusPolicy(Qt::NoFocus);
    if (clickable_) {
      setAttribute(Qt::WA_Hover);
      setCursor(Qt::PointingHandCursor);
    } else {
      setAttribute(Qt::WA_TransparentForMouseEvents);
    }
  }

  void SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF natural = picture_.deviceIndependentSize();
    QSizeF shown = natural;
    if (natural.width() > width() || natural.height() > height()) {
      shown = natural.scaled(QSizeF(size()), Qt::KeepAspectRatio);
    }
    QRectF target(QPointF(0, 0), shown);
    target.moveCenter(QRectF(rect()).center());
    const bool pressed = clickable_ && isDown();
    if (pressed) target.translate(1, 1);
    if (!isEnabled()) painter.setOpacity(0.45);
    painter.drawPixmap(target, picture_, QRectF(QPointF(0, 0), picture_.size()));
    if (pressed) {
      painter.fillRect(target, QColor(0, 0, 0, 48));
    } else if (clickable_ && isEnabled() && underMouse()) {
      painter.fillRect(target, QColor(255, 255, 255, 36));
    }
  }

 private:
  bool clickable_;
  QPixmap picture_;
};

// A push button whose caption wraps when the button is two rows high, as
// the freeze toggles are ("Freeze" over "Golden").
class CaptionButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (height() < 2 * kControlHeight) {
      QPushButton::paintEvent(event);
      return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown() || isChecked()) {
      area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                     style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    // One word a line ("Golden" over "Frozen"); the blanks that set the
    // words apart in the caption only separate the lines here.
    const QStringList words = caption.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    style()->drawItemText(&painter, area, Qt::AlignCenter | Qt::TextShowMnemonic, option.palette,
                          isEnabled(), words.join(QLatin1Char('\n')), QPalette::ButtonText);
  }
};

// The text room a drop-down list of this width leaves in the present style.
int ListTextWidth(int listWidth, QStyle* style) {
  QComboBox probe;
  probe.resize(listWidth, kControlHeight);
  QStyleOptionComboBox option;
  option.initFrom(&probe);
  option.rect = QRect(0, 0, listWidth, kControlHeight);
  return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &probe)
      .width();
}

QFont ControlFont(const Ribbon& ribbon, const QFont& face, QStyle* style) {
  std::map<int, int> roomOfWidth;  // list width -> text room
  for (const RibbonItem& item : ribbon.items) {
    if (item.kind == RibbonItemKind::List && roomOfWidth.count(item.rect.width) == 0) {
      roomOfWidth[item.rect.width] = ListTextWidth(item.rect.width, style);
    }
  }
  QFont font = face;
  for (double size : kControlPointSizes) {
    font.setPointSizeF(size);
    const QFontMetrics metrics(font);
    bool fits = true;
    for (const RibbonItem& item : ribbon.items) {
      if (item.kind != RibbonItemKind::List) continue;
      for (const std::string& text : item.items) {
        fits = fits && metrics.horizontalAdvance(QString::fromStdString(text)) <=
                           roomOfWidth[item.rect.width];
      }
    }
    if (fits) break;
  }
  return font;
}

std::optional<PictureId> PictureOfFile(const std::string& file) {
  for (std::size_t i = 0; i < kPictureCount; ++i) {
    if (file == kPicturePaths[i]) return static_cast<PictureId>(i);
  }
  return std::nullopt;
}

QRect ToQRect(const PixelRect& rect) {
  return QRect(rect.x, rect.y, rect.width, rect.height);
}

bool InSet(RibbonShownIn shownIn, RibbonShownIn set) {
  return shownIn == RibbonShownIn::AllModes || shownIn == set;
}

}  // namespace

RibbonPanel::RibbonPanel(const Ribbon& ribbon, const Settings& settings,
                         const PictureStore& pictures, const UiFonts& fonts, ControlSink sink,
                         QWidget* parent)
    : QWidget(parent), pictures_(pictures), sink_(std::move(sink)) {
  QPalette panelPalette = palette();
  const QColor panel = ColourFromSetting(settings.colourPanel);
  const QColor panelText = ColourFromSetting(settings.colourPanelText);
  panelPalette.setColor(QPalette::Window, panel);
  panelPalette.setColor(QPalette::WindowText, panelText);
  panelPalette.setColor(QPalette::Disabled, QPalette::WindowText, Blend(panel, panelText));
  setPalette(panelPalette);
  setAutoFillBackground(true);
  setFixedWidth(kRibbonWidth);

  const QFont controlFont = ControlFont(ribbon, fonts.regular11, style());
  int height = 0;
  for (const RibbonItem& item : ribbon.items) {
    Element element{item, CreateWidget(item, settings, fonts, controlFont), std::nullopt};
    element.widget->setGeometry(ToQRect(item.rect));
    if (!item.toolTip.empty()) element.widget->setToolTip(QString::fromStdString(item.toolTip));
    element.widget->setVisible(item.shownIn != RibbonShownIn::CompactModes);
    height = std::max(height, item.rect.y + item.rect.height);
    elements_.emplace(item.element, std::move(element));
    if (item.picture) ShowPicture(item.element, item.picture);
  }
  setMinimumHeight(height);
}

QWidget* RibbonPanel::CreateWidget(const RibbonItem& item, const Settings& settings,
                                   const UiFonts& fonts, const QFont& controlFont) {
  const RibbonElement element = item.element;

  switch (item.kind) {
    case RibbonItemKind::Header: {
      auto* label = new QLabel(this);
      label->setTextFormat(Qt::PlainText);
      label->setText(QString::fromStdString(item.caption));
      label->setAlignment(Qt::AlignCenter);
      label->setFont(fonts.regular11);
      QPalette headerPalette = label->palette();
      headerPalette.setColor(QPalette::Window, ColourFromSetting(settings.colourHeader));
      headerPalette.setColor(QPalette::WindowText, ColourFromSetting(settings.colourHeaderText));
      label->setPalette(headerPalette);
      label->setAutoFillBackground(true);
      return label;
    }
    case RibbonItemKind::StatusText: {
      auto* label = new QLabel(this);
      label->setTextFormat(Qt::PlainText);
      label->setText(QString::fromStdString(item.caption));
      label->setAlignment(item.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
      if (!item.centred) label->setIndent(kTextIndent);
      label->setFont(fonts.italic10First);
      statusFont_ = fonts.italic10First;
      return label;
    }
    case RibbonItemKind::Button:
    case RibbonItemKind::ToggleButton: {
      auto* button = new CaptionButton(Verbatim(item.caption), this);
      button->setFont(controlFont);
      button->setFocusPolicy(Qt::TabFocus);
      const bool toggle = item.kind == RibbonItemKind::ToggleButton;
      button->setCheckable(toggle);
      button->setChecked(toggle && item.initiallyChecked);
      connect(button, &QAbstractButton::clicked, this,
              [this, element, toggle](bool checked) { Raise(element, toggle && checked ? 1 : 0); });
      return button;
    }
    case RibbonItemKind::CheckBox: {
      auto* box = new QCheckBox(Verbatim(item.caption), this);
      box->setFont(controlFont);
      box->setFocusPolicy(Qt::TabFocus);
      box->setChecked(item.initiallyChecked);
      connect(box, &QAbstractButton::clicked, this,
              [this, element](bool checked) { Raise(element, checked ? 1 : 0); });
      return box;
    }
    case RibbonItemKind::List: {
      auto* list = new QComboBox(this);
      list->setFont(controlFont);
      list->setFocusPolicy(Qt::StrongFocus);
      list->setMaxVisibleItems(kListVisibleItems);
      int widest = 0;
      const QFontMetrics metrics(controlFont);
      for (const std::string& text : item.items) {
        const QString entry = QString::fromStdString(text);
        list->addItem(entry);
        widest = std::max(widest, metrics.horizontalAdvance(entry));
      }
      // Half-width lists are narrower than some entries: the pop-up is not.
      list->view()->setMinimumWidth(widest + kListPopupMargin);
      if (item.initialItem >= 0 && item.initialItem < list->count()) {
        list->setCurrentIndex(item.initialItem);
      }
      list->installEventFilter(this);
      connect(list, &QComboBox::currentIndexChanged, this,
              [this, element](int position) { Raise(element, position); });
      return list;
    }
    case RibbonItemKind::Image: return new PictureWidget(false, this);
    case RibbonItemKind::ImageButton: {
      auto* button = new PictureWidget(true, this);
      connect(button, &QAbstractButton::clicked, this, [this, element] { Raise(element, 0); });
      return button;
    }
  }
  return new QWidget(this);
}

void RibbonPanel::InstallShortcuts(QWidget* window) {
  for (const QPointer<QShortcut>& shortcut : shortcuts_) delete shortcut.data();
  shortcuts_.clear();
  if (window == nullptr) return;
  for (const auto& [element, entry] : elements_) {
    auto* button = qobject_cast<QAbstractButton*>(entry.widget);
    if (button == nullptr) continue;
    for (const std::string& key : entry.item.shortcuts) {
      auto* shortcut = new QShortcut(QKeySequence::fromString(QString::fromStdString(key)), window);
      shortcut->setContext(Qt::WindowShortcut);
      shortcut->setAutoRepeat(false);
      // The click goes through the control, so a key raises exactly what a
      // click would, and nothing where a click could not land.
      connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isVisible() && button->isEnabled()) button->click();
      });
      shortcuts_.push_back(shortcut);
    }
  }
}

bool RibbonPanel::eventFilter(QObject* watched, QEvent* event) {
  // Scrolling over the ribbon must not change the generator: a list takes
  // the wheel only once it has the focus.
  if (event->type() == QEvent::Wheel) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && !widget->hasFocus()) {
      event->ignore();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void RibbonPanel::Raise(RibbonElement element, int value) const {
  const std::optional<RibbonControl> control = ControlOfElement(element);
  if (control && sink_) sink_(*control, value);
}

void RibbonPanel::ApplyInterfaceState(const InterfaceState& state) {
  SetListPosition(RibbonElement::VoltageList, state.voltagePosition);
  SetListPosition(RibbonElement::ResistanceList, state.resistancePosition);
  SetListPosition(RibbonElement::FrequencyList, state.frequencyPosition);
  if (state.scanSigPosition) SetListPosition(RibbonElement::ScanSigList, *state.scanSigPosition);
  if (state.scanComPosition) SetListPosition(RibbonElement::ScanComList, *state.scanComPosition);

  if (state.testControls) {
    const TestControlState& controls = *state.testControls;
    for (auto& [element, entry] : elements_) {
      if (InNavigationGroup(element)) entry.widget->setEnabled(controls.navigationEnabled);
      if (InResultGroup(element)) entry.widget->setEnabled(controls.resultGroupEnabled);
    }
    ShowPicture(RibbonElement::Good, controls.resultButton1);
    ShowPicture(RibbonElement::Bad, controls.resultButton2);
    ShowPicture(RibbonElement::AutomaticRun, controls.automaticRunButton);
    SetEnabled(RibbonElement::EditAddRecords, controls.editAddRecordsEnabled);
  }

  ShowPassRates(state.passRates);

  if (state.layout && state.layout->controlSet) ShowControlSet(*state.layout->controlSet);
}

void RibbonPanel::ShowControlSet(RibbonShownIn set) {
  if (set == RibbonShownIn::AllModes) return;
  // Hide first: the two sets share places, and a widget briefly shown over
  // another would flicker.
  for (auto& [element, entry] : elements_) {
    if (!InSet(entry.item.shownIn, set)) entry.widget->hide();
  }
  for (auto& [element, entry] : elements_) {
    if (entry.item.shownIn == set) entry.widget->show();
  }
}

void RibbonPanel::ShowPassRates(const PassRates& rates) {
  SetText(RibbonElement::GoodRateText, rates.good);
  SetText(RibbonElement::BadRateText, rates.bad);
}

void RibbonPanel::SetStatusText(const std::string& text) {
  if (auto* label = qobject_cast<QLabel*>(Widget(RibbonElement::UsbStatusText)))
    ShowFittedText(*label, QString::fromStdString(text), statusFont_);
}

void RibbonPanel::SetElementPicture(RibbonElement element, const std::string& pictureFile) {
  ShowPicture(element, PictureOfFile(pictureFile));
}

std::optional<PictureId> RibbonPanel::ShownPicture(RibbonElement element) const {
  const auto found = elements_.find(element);
  if (found == elements_.end()) return std::nullopt;
  return found->second.picture;
}

void RibbonPanel::SetChecked(RibbonElement element, bool checked) {
  const auto found = elements_.find(element);
  if (found == elements_.end()) return;
  auto* button = qobject_cast<QAbstractButton*>(found->second.widget);
  if (button == nullptr || !button->isCheckable()) return;
  const QSignalBlocker blocker(button);
  button->setChecked(checked);
}

bool RibbonPanel::IsChecked(RibbonElement element) const {
  auto* button = qobject_cast<QAbstractButton*>(Widget(element));
  return button != nullptr && button->isChecked();
}

void RibbonPanel::SetCaption(RibbonElement element, const std::string& caption) {
  SetText(element, caption);
}

bool RibbonPanel::Has(RibbonElement element) const {
  return elements_.count(element) > 0;
}

QWidget* RibbonPanel::Widget(RibbonElement element) const {
  const auto found = elements_.find(element);
  return found == elements_.end() ? nullptr : found->second.widget;
}

QRect RibbonPanel::ElementRect(RibbonElement element) const {
  const auto found = elements_.find(element);
  return found == elements_.end() ? QRect() : ToQRect(found->second.item.rect);
}

int RibbonPanel::ContentHeight(RibbonShownIn set) const {
  int height = 0;
  for (const auto& [element, entry] : elements_) {
    if (InSet(entry.item.shownIn, set)) {
      height = std::max(height, entry.item.rect.y + entry.item.rect.height);
    }
  }
  return height;
}

void RibbonPanel::ShowPicture(RibbonElement element, std::optional<PictureId> picture) {
  const auto found = elements_.find(element);
  if (found == elements_.end()) return;
  auto* view = dynamic_cast<PictureWidget*>(found->second.widget);
  if (view == nullptr) return;
  found->second.picture = picture;
  view->SetPicture(picture ? pictures_.Picture(*picture) : QPixmap());
}

void RibbonPanel::SetListPosition(RibbonElement element, int position) {
  auto* list = qobject_cast<QComboBox*>(Widget(element));
  if (list == nullptr || position < 0 || position >= list->count()) return;
  const QSignalBlocker blocker(list);
  list->setCurrentIndex(position);
}

void RibbonPanel::SetText(RibbonElement element, const std::string& text) {
  QWidget* widget = Widget(element);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(QString::fromStdString(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(Verbatim(text));
  }
}

void RibbonPanel::SetEnabled(RibbonElement element, bool enabled) {
  if (QWidget* widget = Widget(element)) widget->setEnabled(enabled);
}

}  // namespace vanto
