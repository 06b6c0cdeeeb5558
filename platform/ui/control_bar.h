#pragma once
// A strip that holds tool bars and other controls in rows, as high as they
// need when AutoSize is on.
#include "platform/ui/control.h"

namespace ui {

class ControlBar : public Control {
  Q_OBJECT
 public:
  explicit ControlBar(Component *owner);

  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool value);

 protected:
  void alignControls() override;

 private:
  bool autoSize_ = false;
};

}  // namespace ui
