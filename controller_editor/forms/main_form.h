#pragma once
// The editor's main window: project commands and the editors' doors.
#include "form.h"

class TMainForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TMainForm(ui::Component *owner);
  ~TMainForm() override;
};
