// The scroll bar's layout and thumb length.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/scroll_bar_logic.h"

namespace kwo {
namespace {

TEST(ScrollBarLayoutTest, ButtonsAtTheEndsAndTheTrackBetween) {
  const struct {
    const char *what;
    bool vertical;
    Size bar, button;
    ScrollBarParts parts;
  } cases[] = {
      // BlueGlass arrows are 17 x 16 standing, 16 x 17 lying.
      {"vertical, one pixel short", true, {30, 470}, {17, 16},
       {false, {0, 0, 17, 16}, {0, 16, 17, 453}, {0, 454, 17, 470}, 17}},
      {"horizontal, filling the gap", false, {518, 40}, {16, 17},
       {false, {0, 0, 16, 17}, {16, 0, 502, 17}, {502, 0, 518, 17}, 17}},
      {"DeepBlue vertical", true, {16, 100}, {16, 16},
       {false, {0, 0, 16, 16}, {0, 16, 16, 83}, {0, 84, 16, 100}, 16}},
      {"too short for a track", true, {17, 20}, {17, 16}, {false, {0, 0, 17, 16}, {0, 16, 17, 16}, {0, 4, 17, 20}, 17}},
      {"no height", true, {17, 0}, {17, 16}, {true, {}, {}, {}, 0}},
      {"no width", false, {0, 17}, {16, 17}, {true, {}, {}, {}, 0}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ScrollBarLayout(c.vertical, c.bar, c.button, c.button), c.parts);
  }
  // The track length the LineButton check uses takes no pixel off.
  EXPECT_EQ(ScrollTrackLength(true, {17, 470}, {17, 16}, {17, 16}), 438);
  EXPECT_EQ(ScrollTrackLength(false, {518, 17}, {16, 17}, {16, 17}), 486);
  EXPECT_EQ(ScrollTrackLength(false, {INT32_MIN + 1, 17}, {16, 17}, {16, 17}), INT32_MIN);
}

TEST(ScrollThumbLengthTest, LineButtonOrPageSizePercentOfTheTrack) {
  const struct {
    int lineButton, pageSize, track;
    ScrollThumb thumb;
  } cases[] = {
      {5, 2, 200, {18, 18, true}},
      {17, 2, 200, {18, 18, true}},
      {18, 2, 200, {18, 18, true}},
      {320, 2, 0, {320, 320, true}},  // LineButton does not need the track
      {0, 50, 200, {0, 100, true}},
      {0, 5, 200, {0, 20, true}},
      {0, 150, 200, {0, 20, true}},
      {0, 10, 200, {0, 20, true}},
      {0, 100, 200, {0, 200, true}},
      {-4, 50, 200, {-4, 100, true}},
      {0, 50, 0, {0, 0, false}},
      {0, 50, -30, {0, 0, false}},
      {0, 100, INT32_MAX, {0, INT32_MAX, true}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.lineButton << " / " << c.pageSize << " / " << c.track);
    EXPECT_EQ(ScrollThumbLength(c.lineButton, c.pageSize, c.track), c.thumb);
  }
}

}  // namespace
}  // namespace kwo
