#pragma once
// Asks which link a logic-list download goes over.
#include "form.h"

class TConnForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TConnForm(ui::Component *owner);
  ~TConnForm() override;
};
