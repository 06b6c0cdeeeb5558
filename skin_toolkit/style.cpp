#include "style.h"

#include "form.h"
#include "kwo_form.h"

namespace kwo {

TkwoUIStyle GetOwnerFormUIStyle(const ui::Component *owner) {
  const auto *form = dynamic_cast<const ui::Form *>(owner);
  if (form == nullptr) return TkwoUIStyle::DeepBlue;
  for (ui::Control *c : form->controls()) {
    if (auto *frame = qobject_cast<TkwoForm *>(c)) return frame->uiStyle();
  }
  return TkwoUIStyle::DeepBlue;
}

void ApplyThemeToChildren(ui::Control &parent, TkwoUIStyle style) {
  const std::vector<ui::Control *> children = parent.controls();
  for (ui::Control *c : children) {
    if (auto *styled = dynamic_cast<Styled *>(c)) styled->setUIStyle(style);
  }
}

}  // namespace kwo
