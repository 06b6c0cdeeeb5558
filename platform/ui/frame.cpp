#include "platform/ui/frame.h"

namespace ui {

Frame::Frame(Component *owner) : Control(owner) {}

}  // namespace ui
