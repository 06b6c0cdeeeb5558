// Where the combo box draws the arrow on its button.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/combo_logic.h"

namespace kwo {
namespace {

TEST(ComboArrowTest, CentredOnTheButtonAtHalfItsHeightWithoutItsTop) {
  struct Case {
    Rect button;
    Point arrow;
  };
  const Case cases[] = {
      {{100, 2, 117, 19}, {105, 8}},  // 17 x 17 at (100, 2)
      {{100, 40, 117, 57}, {105, 8}},  // a lower button: y stays
      {{0, 0, 16, 18}, {5, 9}},
      {{0, 0, 1, 1}, {-3, 0}},
      {{10, 0, 10, 0}, {7, 0}},  // empty
  };
  for (const Case &c : cases) {
    EXPECT_EQ(ComboArrow(c.button), c.arrow) << c.button.left << "," << c.button.top;
  }
}

}  // namespace
}  // namespace kwo
