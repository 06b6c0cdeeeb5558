// Where the MDI frame's cascade and tile commands put the children.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/mdi_layout.h"

namespace {

using kwo::CascadeLayout;
using kwo::MdiLayoutInput;
using kwo::Rect;
using kwo::TileLayout;

Rect at(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

TEST(CascadeLayoutTest, FromTheLastIndexSkippingMinimised) {
  // Three children in 1000 x 600; then the same with the middle one minimised.
  const auto all = CascadeLayout({{1000, 600}, 0, {false, false, false}, false});
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[2], at(0, 0, 800, 360));
  EXPECT_EQ(all[1], at(22, 22, 800, 360));
  EXPECT_EQ(all[0], at(44, 44, 800, 360));

  const auto skipped = CascadeLayout({{1000, 600}, 0, {false, true, false}, false});
  EXPECT_EQ(skipped[2], at(0, 0, 800, 360));
  EXPECT_FALSE(skipped[1].has_value());
  EXPECT_EQ(skipped[0], at(22, 22, 800, 360));
}

TEST(CascadeLayoutTest, TruncatesAndNeverGoesNegative) {
  const auto odd = CascadeLayout({{999, 599}, 0, {false}, false});
  EXPECT_EQ(odd[0], at(0, 0, 799, 359));  // 799.2 x 359.4
  const auto negative = CascadeLayout({{-10, -10}, 0, {false, false}, false});
  EXPECT_EQ(negative[1], at(0, 0, 0, 0));
  EXPECT_EQ(negative[0], at(22, 22, 0, 0));
  EXPECT_TRUE(CascadeLayout({{1000, 600}, 0, {}, false}).empty());
}

TEST(TileLayoutTest, HorizontalWithAMinimisedChildKeepsItsRow) {
  // Aligned bars of 40 pixels; index 1 minimised.
  const int s = 40;
  const int h = (600 - s - 25) / 2 - 2;
  const auto b = TileLayout({{1000, 600}, s, {false, true, false}, false});
  ASSERT_EQ(b.size(), 3u);
  EXPECT_EQ(b[2], at(0, 0, 996, h));
  EXPECT_FALSE(b[1].has_value());
  EXPECT_EQ(b[0], at(0, h, 996, h));
}

TEST(TileLayoutTest, HorizontalAndVerticalWithoutMinimised) {
  const auto rows = TileLayout({{1000, 600}, 0, {false, false, false}, false});
  EXPECT_EQ(rows[2], at(0, 0, 996, 198));
  EXPECT_EQ(rows[1], at(0, 198, 996, 198));
  EXPECT_EQ(rows[0], at(0, 396, 996, 198));

  const auto columns = TileLayout({{1000, 600}, 50, {false, false, false}, true});
  EXPECT_EQ(columns[2], at(0, 0, 331, 546));
  EXPECT_EQ(columns[1], at(331, 0, 331, 546));
  EXPECT_EQ(columns[0], at(662, 0, 331, 546));
}

TEST(TileLayoutTest, NothingToTileAndTinyClients) {
  EXPECT_FALSE(TileLayout({{1000, 600}, 0, {true, true}, false})[0].has_value());
  EXPECT_TRUE(TileLayout({{1000, 600}, 0, {}, true}).empty());
  struct Case {
    MdiLayoutInput in;
  };
  const Case cases[] = {
      {{{10, 10}, 0, {false, false, true}, false}},
      {{{10, 10}, 0, {false, false, true}, true}},
      {{{10, 10}, 30, {false}, false}},
      {{{0, 0}, 0, {false, false, false, false}, true}},
      {{{-5, -5}, -5, {false, false}, false}},
  };
  for (const Case &c : cases) {
    for (const auto &r : TileLayout(c.in)) {
      if (!r) continue;
      EXPECT_GE(r->width(), 0);
      EXPECT_GE(r->height(), 0);
      EXPECT_GE(r->left, 0);
      EXPECT_GE(r->top, 0);
    }
  }
}

}  // namespace
