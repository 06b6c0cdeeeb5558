// The groups' rules: the group frame and the item layout, also at huge
// column counts and margins.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "skin_toolkit/rules/group_logic.h"

namespace kwo {
namespace {

TEST(GroupLogic, FrameLeavesTheTopOpenForTheCaption) {
  EXPECT_EQ(GroupFrameTopEnd(0, 50, true), 56);
  EXPECT_EQ(GroupFrameTopEnd(0, 0, false), 0);
  EXPECT_EQ(GroupFrameLineY(11, 0), 6);
  EXPECT_EQ(FontPixelHeight(8, 0), 11);
  EXPECT_EQ(FontPixelHeight(8, -13), 13);
  EXPECT_EQ(FontPixelHeight(8, 12), 12);
}

TEST(GroupLogic, ItemsFillColumnsTopToBottom) {
  // Seven items in two columns: four rows of 20 in an area 80 high.
  const Rect area{3, 20, 183, 100};
  const std::vector<Point> seven = GroupItemPositions(7, 2, 185, area);
  const std::vector<Point> expectSeven = {{8, 20},  {8, 40},  {8, 60},  {8, 80},
                                          {95, 20}, {95, 40}, {95, 60}};
  EXPECT_EQ(seven, expectSeven);

  // Five in one column in an area 62 high: rows of 12, the first 1 lower.
  const std::vector<Point> five = GroupItemPositions(5, 1, 185, Rect{3, 10, 183, 72});
  const std::vector<Point> expectFive = {{8, 11}, {8, 23}, {8, 35}, {8, 47}, {8, 59}};
  EXPECT_EQ(five, expectFive);

  // No columns lays out as one; no items as nothing.
  EXPECT_EQ(GroupItemPositions(5, 0, 185, Rect{3, 10, 183, 72}), expectFive);
  EXPECT_TRUE(GroupItemPositions(0, 2, 185, area).empty());

  // The area: 3 in from the left, the font height and the margin down.
  EXPECT_EQ(GroupItemArea(Rect{0, 0, 185, 105}, 11, 8), (Rect{3, 19, 183, 103}));
}

TEST(GroupLogic, HugeColumnCountsAndMarginsStayInRange) {
  // A 185 x 105 group whose items take an 11-pixel font.
  const Rect client{0, 0, 185, 105};
  constexpr int kFar = kGroupCoordinateLimit;
  struct Case {
    const char *what;
    int fontHeight, topMargin, count, columns;
    Rect area;
    std::vector<Point> at;  // empty: only checked to lie in range
  } cases[] = {
      {"INT_MAX columns", 11, 8, 3, INT_MAX, {3, 19, 183, 103}, {{8, 19}, {8, 19}, {8, 19}}},
      {"INT_MAX - 1 columns", 11, 8, 2, INT_MAX - 1, {3, 19, 183, 103}, {{8, 19}, {8, 19}}},
      {"INT_MAX margin", 11, INT_MAX, 3, 1, {3, kFar, 183, 103}, {}},
      {"INT_MAX margin and font height", INT_MAX, INT_MAX, 2, INT_MAX, {3, kFar, 183, 103}, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    const Rect area = GroupItemArea(client, c.fontHeight, c.topMargin);
    EXPECT_EQ(area, c.area);
    const std::vector<Point> at = GroupItemPositions(c.count, c.columns, 185, area);
    ASSERT_EQ(at.size(), static_cast<size_t>(c.count));
    if (!c.at.empty()) {
      EXPECT_EQ(at, c.at);
    }
    for (const Point &p : at) {
      EXPECT_LE(std::abs(p.x), kFar);
      EXPECT_LE(std::abs(p.y), kFar);
    }
  }
}

}  // namespace
}  // namespace kwo
