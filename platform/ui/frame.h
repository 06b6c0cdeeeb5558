#pragma once
// A part of a window built on its own and placed on a form or panel like a
// control (the program's views).
#include "platform/ui/control.h"

namespace ui {

class Frame : public Control {
  Q_OBJECT
 public:
  explicit Frame(Component *owner);
};

}  // namespace ui
