#pragma once
// The combo box's drawn arrow, without any drawing.
#include "skin_toolkit/rules/geometry.h"

namespace kwo {

// The top-left corner of the combo box's small arrow in a button rectangle:
// x is the button's left plus half its width less 3, y half its height
// (the button's top is not added). Divisions truncate toward zero.
Point ComboArrow(const Rect &button);

}  // namespace kwo
