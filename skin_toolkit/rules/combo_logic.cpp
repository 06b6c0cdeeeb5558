#include "skin_toolkit/rules/combo_logic.h"

namespace kwo {

Point ComboArrow(const Rect &button) {
  return Point{button.left + button.width() / 2 - 3, button.height() / 2};
}

}  // namespace kwo
