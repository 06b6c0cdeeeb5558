#pragma once
// The About dialog: the program, its supplier and the supplier's web page.
#include "controller_editor/forms/product_banner.h"
#include "platform/ui/form.h"

namespace ui {
class Button;
class Label;
}  // namespace ui

class TAboutForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TAboutForm(ui::Component *owner);
  ~TAboutForm() override;

  // Hands the link's address to the desktop's handler for web pages.
  void lblUrlClick();

  ProductBanner banner;
  ui::Label *lblCompanyCn = nullptr;
  ui::Label *lblCompanyEn = nullptr;
  ui::Label *lblUrl = nullptr;
  ui::Button *BtnOK = nullptr;
};
