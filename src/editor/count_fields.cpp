#include "editor/count_fields.h"

#include "editor/component_templates.h"

namespace vanto {

CountFieldLayout SelectTemplate(std::string_view entry) {
  CountFieldLayout layout;
  const ComponentTemplate* found = FindTemplate(entry);
  if (found == nullptr) return layout;
  auto show = [&layout](int field, std::string_view label) {
    layout.shown[field] = true;
    layout.labels[field] = label;
  };
  static constexpr std::array<std::string_view, kCountFields> kRowLabels{"Row 1: ", "Row 2: ",
                                                                         "Row 3: ", "Row 4: "};
  switch (found->kind) {
    case TemplateKind::CustomQuantity: show(0, "Qty: "); break;
    case TemplateKind::CustomPinToPin:
      show(0, "First: ");
      show(1, "Last: ");
      break;
    case TemplateKind::CustomRows:
      for (int row = 0; row < RowsOf(found->mode); ++row) show(row, kRowLabels[row]);
      break;
    case TemplateKind::Heading:
    case TemplateKind::Fixed: break;
  }
  return layout;
}

}  // namespace vanto
