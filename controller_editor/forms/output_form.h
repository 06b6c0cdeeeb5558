#pragma once
// The editor of the project's controllers and their switched outputs.
#include "form.h"

class TOutputForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TOutputForm(ui::Component *owner);
  ~TOutputForm() override;
};
