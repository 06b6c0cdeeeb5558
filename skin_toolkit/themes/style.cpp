#include "skin_toolkit/themes/style.h"

#include <QPointer>

#include "platform/ui/form.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/theme_client.h"

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
  // A child's setters may free a sibling, or the theme: both are checked
  // before each use.
  const QPointer<TkwoFileTheme> theme(fileTheme);
  std::vector<QPointer<ui::Control>> children;
  for (ui::Control *c : parent.controls()) children.emplace_back(c);
  for (const QPointer<ui::Control> &c : children) {
    if (c.isNull()) continue;
    auto *styled = dynamic_cast<Styled *>(c.data());
    auto *themeUser = dynamic_cast<FileThemeUser *>(c.data());
    if (styled == nullptr || themeUser == nullptr) continue;
    themeUser->setFileTheme(theme.data());
    styled->setUIStyle(style);
  }
}

}  // namespace kwo
