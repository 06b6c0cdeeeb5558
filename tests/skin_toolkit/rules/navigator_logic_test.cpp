// The navigator's row layout, its enabling per data-set state and the
// keyboard mark's moves.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/navigator_logic.h"

namespace {

using kwo::NavigatorEnabling;
using kwo::NavigatorFocusMove;
using kwo::NavigatorLayout;
using kwo::NavigatorState;

const std::vector<bool> kAllVisible(10, true);

TEST(NavigatorLayoutTest, UnalignedRowShrinksToEqualButtons) {
  const kwo::NavigatorGeometry g = NavigatorLayout(205, 30, false, kAllVisible);
  EXPECT_EQ(g.width, 200);
  EXPECT_EQ(g.height, 30);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(g.buttons[i], (kwo::NavigatorButtonPlace{i * 20, 20, true})) << i;
  }
}

TEST(NavigatorLayoutTest, AlignedRowSpreadsTheRemainder) {
  const kwo::NavigatorGeometry g = NavigatorLayout(205, 30, true, kAllVisible);
  EXPECT_EQ(g.width, 205);
  int x = 0;
  for (int i = 0; i < 10; ++i) {
    const int want = i % 2 == 1 ? 21 : 20;  // buttons 2, 4, 6, 8, 10
    EXPECT_EQ(g.buttons[i], (kwo::NavigatorButtonPlace{x, want, true})) << i;
    x += want;
  }
  EXPECT_EQ(x, 205);
}

TEST(NavigatorLayoutTest, MinimumSizeAndHiddenButtons) {
  struct Case {
    int width, height;
    bool aligned;
    std::vector<bool> visible;
    int wantWidth, wantHeight;
  };
  const std::vector<bool> none(10, false);
  std::vector<bool> three(10, false);
  three[0] = three[4] = three[9] = true;
  const Case cases[] = {
      {0, 0, false, none, 20, 18},      // none visible still counts one
      {5, 5, true, none, 20, 18},
      {100, 10, false, kAllVisible, 200, 18},
      {100, 40, false, three, 99, 40},  // cut to a multiple of three
      {100, 40, true, three, 100, 40},
      {-50, -1, false, kAllVisible, 200, 18},
  };
  for (const Case &c : cases) {
    const kwo::NavigatorGeometry g = NavigatorLayout(c.width, c.height, c.aligned, c.visible);
    EXPECT_EQ(g.width, c.wantWidth) << c.width << "x" << c.height;
    EXPECT_EQ(g.height, c.wantHeight) << c.width << "x" << c.height;
    int right = 0;
    for (size_t i = 0; i < c.visible.size(); ++i) {
      if (c.visible[i]) {
        EXPECT_EQ(g.buttons[i].left, right);
        right += g.buttons[i].width;
      } else {
        EXPECT_GT(g.buttons[i].left, g.width) << "hidden button " << i << " lies outside";
      }
    }
    if (std::count(c.visible.begin(), c.visible.end(), true) > 0) {
      EXPECT_EQ(right, g.width);
    }
  }
  EXPECT_TRUE(NavigatorLayout(100, 20, false, {}).buttons.empty());
}

TEST(NavigatorEnablingTest, FollowsTheDataSetState) {
  using E = std::array<bool, 10>;
  // first prior next last insert delete edit post cancel refresh
  struct Case {
    const char *what;
    NavigatorState state;
    E want;
  };
  const E allOff{};
  const Case cases[] = {
      {"closed", {true, false, true, true, true, false}, allOff},
      {"empty", {true, true, true, true, true, false}, {0, 0, 0, 0, 1, 0, 1, 0, 0, 1}},
      {"open on the first of five", {true, true, true, false, true, false}, {0, 0, 1, 1, 1, 1, 1, 0, 0, 1}},
      {"the last reached by Next", {true, true, false, false, true, false}, {1, 1, 1, 1, 1, 1, 1, 0, 0, 1}},
      {"one more Next", {true, true, false, true, true, false}, {1, 1, 0, 0, 1, 1, 1, 0, 0, 1}},
      {"read-only", {true, true, false, false, false, false}, {1, 1, 1, 1, 0, 0, 0, 0, 0, 0}},
      {"editing", {true, true, false, false, true, true}, {1, 1, 1, 1, 1, 1, 0, 1, 1, 1}},
      {"navigator disabled", {false, true, false, false, true, false}, allOff},
      {"source disabled: link inactive", {true, false, false, false, true, false}, allOff},
  };
  for (const Case &c : cases) EXPECT_EQ(NavigatorEnabling(c.state), c.want) << c.what;
}

TEST(NavigatorFocusMoveTest, SkipsHiddenButtons) {
  std::vector<bool> visible(10, true);
  visible[0] = visible[3] = visible[4] = visible[9] = false;
  struct Case {
    int from;
    bool forward;
    int want;
  };
  const Case cases[] = {
      {2, true, 5}, {5, false, 2}, {8, true, 8},  // nothing visible after 8
      {1, false, 0},                              // back stops at the first, hidden or not
      {0, true, 1}, {9, false, 8}, {42, false, 8}, {-3, true, 1},
  };
  for (const Case &c : cases) EXPECT_EQ(NavigatorFocusMove(c.from, c.forward, visible), c.want) << c.from;
  EXPECT_EQ(NavigatorFocusMove(3, true, {}), 0);
}

}  // namespace
