#include "style.h"

#include "form.h"
#include "kwo_form.h"
#include "themes/file_theme.h"
#include "themes/theme_client.h"

namespace kwo {

TkwoUIStyle GetOwnerFormUIStyle(const ui::Component *owner) {
  const auto *form = dynamic_cast<const ui::Form *>(owner);
  if (form == nullptr) return TkwoUIStyle::DeepBlue;
  for (ui::Control *c : form->controls()) {
    if (auto *frame = qobject_cast<TkwoForm *>(c)) return frame->uiStyle();
  }
  return TkwoUIStyle::DeepBlue;
}

bool ResolveUIStyle(const TkwoFileTheme *fileTheme, TkwoUIStyle requested, TkwoUIStyle &effective) {
  if (requested != TkwoUIStyle::FromThemeFile) {
    effective = BuiltInLookOf(requested);
    return false;
  }
  if (fileTheme != nullptr && fileTheme->isLoaded()) {
    effective = TkwoUIStyle::FromThemeFile;
    return true;
  }
  effective = TkwoUIStyle::DeepBlue;
  return false;
}

void ApplyThemeToChildren(ui::Control &parent, TkwoUIStyle style, TkwoFileTheme *fileTheme) {
  const std::vector<ui::Control *> children = parent.controls();
  for (ui::Control *c : children) {
    auto *client = dynamic_cast<ThemeClient *>(c);
    if (client == nullptr) continue;
    client->setFileTheme(fileTheme);
    client->setUIStyle(style);
  }
}

}  // namespace kwo
