#pragma once
// The login dialog shown before the main window.
#include "form.h"

class TLoginForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TLoginForm(ui::Component *owner);
  ~TLoginForm() override;
};
