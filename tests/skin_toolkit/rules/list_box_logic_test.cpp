// When the list box's skinned scroll bar follows the list.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/list_box_logic.h"

namespace kwo {
namespace {

TEST(ListBoxSyncStateTest, LiveOnlyWhileTheListCanScrollAndIsShownAndEnabled) {
  const ListBoxSync off{};
  const struct {
    const char *what;
    bool shown, enabled;
    int min, max, slider;
    ListBoxSync expect;
  } cases[] = {
      {"scrolls", true, true, 0, 90, 40, {true, true, 40}},
      {"fits", true, true, 0, 0, 0, off},
      {"inverted range", true, true, 5, 3, 40, off},
      {"list disabled", true, false, 0, 90, 40, off},
      // Both hidden and unavailable: still hidden, never a live bar.
      {"disabled and fits", true, false, 0, 0, 40, off},
      {"list hidden", false, true, 0, 90, 40, off},
      {"negative slider", true, true, 0, 90, -3, {true, true, 0}},
      {"whole int range", true, true, INT32_MIN, INT32_MAX, 17, {true, true, 17}},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(ListBoxSyncState(c.shown, c.enabled, c.min, c.max, c.slider), c.expect) << c.what;
  }
}

}  // namespace
}  // namespace kwo
