#pragma once
// The editor of each controller's status items.
#include "form.h"

class TfrmPLCStatus : public ui::Form {
  Q_OBJECT
 public:
  explicit TfrmPLCStatus(ui::Component *owner);
  ~TfrmPLCStatus() override;
};
