#pragma once
// What the skinned frames of a form and of an MDI frame share about the form
// they work for: reaching it while it goes away, giving it its platform
// frame back, and the menu bar's colour from a skin.
#include <QPointer>

#include "platform/ui/color.h"
#include "platform/ui/form.h"

namespace kwo {

class ThemeSource;

// The form a frame works for. The frame dies inside the form's destructor,
// when the form is no Form any more, so it is reached through its
// Component part then.
class FrameFormRef {
 public:
  void set(ui::Form *form) {
    form_ = form;
    component_ = form;
    object_ = form;
  }
  // Null once the form has begun to go away.
  ui::Form *get() const {
    if (object_.isNull() || component_->isDestroying()) return nullptr;
    return form_;
  }

 private:
  ui::Form *form_ = nullptr;
  ui::Component *component_ = nullptr;
  QPointer<QObject> object_;
};

// The form's events, ring painting, ring and shape go back to the form's own.
void ReleaseFrameForm(ui::Form &form, ui::FormEventHook *hook, const void *painterOwner);

// A skin file that imitates WinXP or DeepBlue colours the menu bar as those
// do; anything else keeps the given colour.
platform::TColor SkinMenuBarColor(const ThemeSource &source, platform::TColor otherwise);

}  // namespace kwo
