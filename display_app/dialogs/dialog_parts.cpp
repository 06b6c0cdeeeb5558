#include "display_app/dialogs/dialog_parts.h"

#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/frames/kwo_form.h"

namespace morvit::dialogs {

kwo::TkwoForm *makeDialogFrame(ui::Form &form, const QString &caption, int contentWidth, int contentHeight,
                               kwo::TkwoUIStyle style) {
  form.setBorderStyle(ui::BorderStyle::Dialog);
  form.setCaption(caption);
  auto *frame = new kwo::TkwoForm(&form);
  frame->setUIStyle(style);
  frame->setCaption(caption);
  form.setClientWidth(contentWidth);
  form.setClientHeight(contentHeight + contentTop(*frame));
  return frame;
}

int contentTop(const kwo::TkwoForm &frame) { return frame.titleBarHeight(); }

kwo::TImageButton *makeButton(ui::Form &form, ui::Control &parent, const QString &caption, int left, int top) {
  auto *button = new kwo::TImageButton(&form);
  button->setParentControl(&parent);
  button->setCaption(caption);
  button->setBounds(left, top, 73, 25);
  return button;
}

void place(ui::Control &control, const kwo::TkwoForm &frame, int left, int top, int width, int height) {
  control.setBounds(left, contentTop(frame) + top, width, height);
}

}  // namespace morvit::dialogs
