// The input-window rectangle's handles, hot zones and the setter calls a
// finished drag makes.
#include "display_app/model/input_window_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace morvit {
namespace {

using F = ImageField;

TEST(InputWindowGeometry, HandlesSitAtCornersAndEdgeCentres) {
  const HandleRects r = handleRects(132, 100);
  const PlanePoint expect[kHandleCount] = {{0, 0},   {64, 0},  {127, 0},  {0, 48},
                                           {127, 48}, {0, 95}, {64, 95}, {127, 95}};
  for (int i = 0; i < kHandleCount; ++i) {
    EXPECT_EQ((PlanePoint{r[i].left, r[i].top}), expect[i]) << "handle " << i + 1;
    EXPECT_EQ(r[i].right - r[i].left, kHandleSize);
    EXPECT_EQ(r[i].bottom - r[i].top, kHandleSize);
  }
  // Odd sizes: the centres truncate (131 / 2 - 2 = 63).
  EXPECT_EQ(handleRects(131, 99)[1].left, 63);
  EXPECT_EQ(handleRects(131, 99)[3].top, 47);
}

TEST(InputWindowGeometry, HotZoneIsTheFirstHandleContainingThePoint) {
  const HandleRects r = handleRects(132, 100);
  struct Case {
    PlanePoint p;
    HotZone expect;
  } cases[] = {
      {{129, 97}, {hzBottomRight, ZoneCursor::SizeNWSE}},
      {{131, 99}, {hzBottomRight, ZoneCursor::SizeNWSE}},
      {{132, 100}, {}},  // right and bottom edges lie outside
      {{0, 0}, {hzTopLeft, ZoneCursor::SizeNWSE}},
      {{66, 2}, {hzTop, ZoneCursor::SizeNS}},
      {{130, 1}, {hzTopRight, ZoneCursor::SizeNESW}},
      {{1, 50}, {hzLeft, ZoneCursor::SizeWE}},
      {{128, 52}, {hzRight, ZoneCursor::SizeWE}},
      {{4, 99}, {hzBottomLeft, ZoneCursor::SizeNESW}},
      {{68, 96}, {hzBottom, ZoneCursor::SizeNS}},
      {{60, 50}, {}},
      {{-1, 0}, {}},
  };
  for (const Case &c : cases) EXPECT_EQ(hotZoneAt(r, c.p), c.expect) << c.p.x << "," << c.p.y;

  // Handles overlap on a tiny control: the first in order wins.
  EXPECT_EQ(hotZoneAt(handleRects(4, 4), {1, 1}).zone, hzTopLeft);
}

// Applies the calls to X, Y, W, H the way the rectangle's setters do.
struct Fields {
  int x, y, w, h;
  bool operator==(const Fields &) const = default;
};

Fields applied(Fields f, const std::vector<FieldSet> &calls) {
  for (const FieldSet &c : calls) {
    switch (c.field) {
      case F::X: f.x = c.value; break;
      case F::Y: f.y = c.value; break;
      case F::Width: f.w = c.value; break;
      case F::Height: f.h = c.value; break;
    }
  }
  return f;
}

TEST(InputWindowGeometry, DragsSetTheFieldsInOrderAndSwapCrossedSides) {
  // L, T, R, B = 16, 16, 144, 112.
  const Fields start{16, 16, 128, 96};
  struct Case {
    uint16_t zone;
    int dx, dy;
    Fields expect;
    std::vector<F> order;
  } cases[] = {
      {hzNone, 0, 0, {16, 16, 128, 96}, {F::X, F::Y}},
      {hzNone, -20, 30, {-4, 46, 128, 96}, {F::X, F::Y}},
      {hzRight, -300, 0, {-156, 16, 172, 96}, {F::X, F::Width}},
      {hzBottom, 0, -96, {16, 16, 128, 0}, {F::Y, F::Height}},
      {hzBottomRight, 8, 4, {16, 16, 136, 100}, {F::X, F::Width, F::Y, F::Height}},
      {hzTopLeft, 200, 150, {144, 112, 72, 54}, {F::X, F::Width, F::Y, F::Height}},
      {hzTopRight, 4, -4, {16, 12, 132, 100}, {F::X, F::Width, F::Y, F::Height}},
      {hzTop, 50, -6, {16, 10, 128, 102}, {F::Y, F::Height}},
      {hzLeft, 10, 50, {26, 16, 118, 96}, {F::X, F::Width}},
      {hzBottomLeft, -6, 4, {10, 16, 134, 100}, {F::X, F::Width, F::Y, F::Height}},
  };
  for (const Case &c : cases) {
    const std::vector<FieldSet> calls = applyZone(c.zone, 16, 16, 144, 112, c.dx, c.dy);
    std::vector<F> order;
    for (const FieldSet &s : calls) order.push_back(s.field);
    EXPECT_EQ(order, c.order) << "zone " << c.zone;
    EXPECT_EQ(applied(start, calls), c.expect) << "zone " << c.zone;
  }
  EXPECT_TRUE(applyZone(9, 16, 16, 144, 112, 5, 5).empty());
}

TEST(InputWindowGeometry, BandCornersFollowOnlyTheDraggedEdges) {
  using Corners = std::array<PlanePoint, 2>;
  EXPECT_EQ(zoneCorners(hzNone, 16, 16, 144, 112, 3, 4), (Corners{{{19, 20}, {147, 116}}}));
  EXPECT_EQ(zoneCorners(hzTopRight, 16, 16, 144, 112, 3, 4), (Corners{{{16, 20}, {147, 112}}}));
  EXPECT_EQ(zoneCorners(hzBottomLeft, 16, 16, 144, 112, 3, 4), (Corners{{{19, 16}, {144, 116}}}));
  EXPECT_EQ(zoneCorners(200, 16, 16, 144, 112, 3, 4), (Corners{{{16, 16}, {144, 112}}}));
}

TEST(InputWindowGeometry, ExtremeDeltasStayInRange) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const Fields f = applied({0, 0, 0, 0}, applyZone(hzBottomRight, kMin, kMin, kMax, kMax, kMax, kMax));
  EXPECT_EQ(f, (Fields{kMin, kMin, kMax, kMax}));
  const Fields g = applied({0, 0, 0, 0}, applyZone(hzNone, kMax, kMin, kMax, kMin, kMax, kMin));
  EXPECT_EQ(g.x, kMax);
  EXPECT_EQ(g.y, kMin);
}

}  // namespace
}  // namespace morvit
