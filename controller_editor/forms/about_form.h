#pragma once
// The About dialog: program and supplier.
#include "form.h"

class TAboutForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TAboutForm(ui::Component *owner);
  ~TAboutForm() override;
};
