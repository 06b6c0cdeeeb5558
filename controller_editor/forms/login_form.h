#pragma once
// The login dialog shown before the main window. The fixed pair closes it
// with mrOk; a wrong pair is answered with a box and another try. Escape,
// Cancel and the close box end the program.
#include "controller_editor/forms/product_banner.h"
#include "platform/ui/form.h"

namespace ui {
class Button;
class Edit;
class Label;
}  // namespace ui

class TLoginForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TLoginForm(ui::Component *owner);
  ~TLoginForm() override;

  void BtnOKClick();
  void BtnCancelClick();
  void FormKeyDown(int key, bool &handled);

  ProductBanner banner;
  ui::Label *lblUser = nullptr;
  ui::Edit *eUn = nullptr;
  ui::Label *lblPassword = nullptr;
  ui::Edit *ePw = nullptr;
  ui::Button *BtnOK = nullptr;
  ui::Button *BtnCancel = nullptr;
};
