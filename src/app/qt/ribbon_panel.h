// The control ribbon's widgets: one widget per item of the ribbon data, at
// the item's place, in the panel and header colours of the settings. User
// actions reach the sink as (control, value) with the value RunControlAction
// expects; everything the program sets here (list positions, check states,
// pictures, texts, which set of test controls shows) raises no event.
// The panel keeps no state of its own beyond what its widgets show.
// Main thread only; the panel is a child of the main window, which places
// it (Relayout) and owns it. It is 144 wide and never shorter than its
// items, so a short window clips the lowest controls instead of squeezing.
#pragma once

#include <QPointer>
#include <QRect>
#include <QShortcut>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/qt/picture_store.h"
#include "app/qt/ui_fonts.h"
#include "foundation/settings.h"
#include "app/interface_refresh.h"
#include "ui/ribbon.h"
#include "ui/ribbon_control.h"

namespace vanto {

class RibbonPanel final : public QWidget {
  Q_OBJECT

 public:
  // value: 1/0 for a check box or toggle now checked/unchecked, the list
  // position for a list, 0 for a button, a picture button or a key.
  using ControlSink = std::function<void(RibbonControl control, int value)>;

  // Builds every widget of `ribbon`. `pictures` must outlive the panel;
  // colours are read from `settings` once (they change only at restart).
  // Until the first layout the Advanced test controls show and the freeze
  // toggles, which share their places, are hidden.
  RibbonPanel(const Ribbon& ribbon, const Settings& settings, const PictureStore& pictures,
              const UiFonts& fonts, ControlSink sink, QWidget* parent = nullptr);

  // Selector positions, test-control states and pictures, pass rates and,
  // when `state.layout` names a control set, that set shown and the other
  // hidden. Elements the model lacks are skipped; a position outside its
  // list leaves the list as it is.
  void ApplyInterfaceState(const InterfaceState& state);

  // Shows one of the mode-dependent sets (AdvancedMode or CompactModes) and
  // hides the other; items shown in all modes are left alone.
  void ShowControlSet(RibbonShownIn set);

  // The instrument status text under the connection indicator ("USB rail:
  // 5.00V", " USB disconnected"); nothing on models without that row. A
  // text too long for the row (a run's outcome) is wrapped, smaller.
  void SetStatusText(const std::string& text);
  // The "Good" and "Bad" shares, as the interface refresh sets them.
  void ShowPassRates(const PassRates& rates);
  // A picture element's picture by its resource file name
  // ("graphics/buttonA_yellow.png"); an empty or unknown name shows none.
  void SetElementPicture(RibbonElement element, const std::string& pictureFile);
  // The picture an element shows; nothing for none or a non-picture element.
  std::optional<PictureId> ShownPicture(RibbonElement element) const;
  // Toggle buttons and check boxes.
  void SetChecked(RibbonElement element, bool checked);
  bool IsChecked(RibbonElement element) const;
  // A button's, toggle's or text's caption, verbatim ("Golden Frozen").
  void SetCaption(RibbonElement element, const std::string& caption);

  // Makes the ribbon's keys (its items' shortcuts: "G", "B", "Left",
  // "PgUp", ...) work anywhere in `window`, the top-level window holding
  // the panel. A key acts as a click on its control and does nothing while
  // the control is hidden or disabled. A second call moves the keys.
  void InstallShortcuts(QWidget* window);

  bool Has(RibbonElement element) const;
  // The element's widget, or nullptr when the model lacks it.
  QWidget* Widget(RibbonElement element) const;
  // The element's rectangle in panel coordinates (empty when absent).
  QRect ElementRect(RibbonElement element) const;
  // The height the items of one mode need: the bottom of the lowest item
  // shown in all modes or in `set`.
  int ContentHeight(RibbonShownIn set) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Element {
    RibbonItem item;
    QWidget* widget = nullptr;
    std::optional<PictureId> picture;  // picture elements only
  };

  QWidget* CreateWidget(const RibbonItem& item, const Settings& settings, const UiFonts& fonts,
                        const QFont& controlFont);
  void Raise(RibbonElement element, int value) const;
  void ShowPicture(RibbonElement element, std::optional<PictureId> picture);
  void SetListPosition(RibbonElement element, int position);
  void SetText(RibbonElement element, const std::string& text);
  void SetEnabled(RibbonElement element, bool enabled);

  const PictureStore& pictures_;
  ControlSink sink_;
  std::map<RibbonElement, Element> elements_;
  QFont statusFont_;  // the status texts' font, before any fitting
  std::vector<QPointer<QShortcut>> shortcuts_;  // owned by the window they work in
};

}  // namespace vanto
