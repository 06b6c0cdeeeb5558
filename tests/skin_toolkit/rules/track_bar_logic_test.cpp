// The track bar's rules: placement, value at a point, bar steps and tick
// positions, also over the whole int range.
#include "skin_toolkit/rules/track_bar_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>

namespace kwo {
namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

TEST(TrackBarLogic, SliderOffsetTruncatesAndStaysAtTheStartForAnEmptyRange) {
  struct Case {
    int extent, slider, min, max, position, expect;
  } cases[] = {
      {110, 10, 0, 10, 0, 0},    {110, 10, 0, 10, 10, 100}, {110, 10, 0, 10, 3, 30},
      {100, 11, 0, 7, 1, 12},    // 89 / 7 = 12.7 truncates
      {100, 11, 5, 5, 5, 0},     // Min = Max
      {100, 11, -1024, 1023, 0, 44},
      {100, 120, 0, 10, 5, -10},  // a slider larger than the bar
      {1000, 11, kMin, kMax, kMax, 989},
      {1000, 11, kMin, kMax, 0, 494},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(TrackSliderOffset(c.extent, c.slider, c.min, c.max, c.position), c.expect)
        << c.extent << " " << c.min << ".." << c.max << " @" << c.position;
  }
  EXPECT_EQ(TrackCrossOffset(21, 11), 5);
  EXPECT_EQ(TrackCrossOffset(8, 21), 0);
}

TEST(TrackBarLogic, ValueAtAPointRoundsHalvesToEven) {
  struct Case {
    int point, extent, slider, min, max;
    int64_t expect;
  } cases[] = {
      {10, 110, 10, 0, 10, 0},  // 0.5 rounds to 0
      {20, 110, 10, 0, 10, 2},  // 1.5 rounds to 2
      {30, 110, 10, 0, 10, 2},  // 2.5 rounds to 2
      {105, 110, 10, 0, 10, 10},
      {500, 110, 10, 0, 10, 50},   // not clamped
      {-20, 110, 10, 0, 10, -2},   // -2.5 -> -2
      {40, 110, 110, 0, 10, 0},    // the slider fills the bar
      {1000, 1000, 11, kMin, kMax, int64_t{kMin} + 4321023719},
      {kMin, 1000, 11, kMin, kMax, int64_t{kMin} - 9325957589668482},  // far off the bar, no overflow
  };
  for (const Case &c : cases) {
    EXPECT_EQ(TrackValueAt(c.point, c.extent, c.slider, c.min, c.max), c.expect) << c.point;
  }
}

TEST(TrackBarLogic, BarStepsTowardThePressButNotPastIt) {
  struct Case {
    int position;
    int64_t step, valueAtPress;
    int press, edge, min, max, expect;
  } cases[] = {
      {0, 2, 7, 80, 5, 0, 10, 2},     // beyond: a page
      {6, 2, 7, 80, 65, 0, 10, 7},    // beyond, but the value under the press is nearer
      {6, 2, 1, 10, 65, 0, 10, 4},    // before
      {3, 2, 2, 10, 35, 0, 10, 2},    // before, the press value stops it
      {3, 2, 9, 35, 35, 0, 10, 3},    // on the edge: no change
      {kMax - 1, 48, int64_t{kMax} + 5, 90, 5, kMin, kMax, kMax},  // no overflow, clamped
      {kMin + 1, 48, int64_t{kMin} - 5, 1, 5, kMin, kMax, kMin},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(TrackStepToward(c.position, c.step, c.valueAtPress, c.press, c.edge, c.min, c.max), c.expect)
        << c.position;
  }
  EXPECT_EQ(TrackClamp(int64_t{kMax} + 100, -5, 5), 5);
  EXPECT_EQ(TrackClamp(int64_t{kMin} - 100, -5, 5), -5);
}

TEST(TrackBarLogic, TicksAtMinEveryFrequencyAndMax) {
  using V = std::vector<int>;
  struct Case {
    int min, max, frequency, extent, slider;
    V expect;
  } cases[] = {
      {0, 10, 1, 110, 10, {5, 15, 25, 35, 45, 55, 65, 75, 85, 95, 105}},
      {0, 10, 4, 110, 10, {5, 45, 85, 105}},   // Min, every 4th, and Max
      {0, 10, 0, 110, 10, {5, 105}},           // Min and Max only
      {0, 10, -3, 110, 10, {5, 105}},
      {3, 3, 1, 110, 10, {}},                  // Min = Max: none
      {0, 10, 10, 110, 10, {5, 105}},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(TrackTickPositions(c.min, c.max, c.frequency, c.extent, c.slider), c.expect) << c.frequency;
  }
}

TEST(TrackBarLogic, DenseOrHugeRangesGiveEachPixelOnceInBoundedWork) {
  // The whole int range at frequency 1 on a 200-pixel bar.
  const std::vector<int> all = TrackTickPositions(kMin, kMax, 1, 200, 11);
  ASSERT_LE(all.size(), 201u);
  EXPECT_EQ(all.front(), 5);   // Min's
  EXPECT_EQ(all.back(), 194);  // Max's: 189 + 5
  EXPECT_EQ(all.size(), 190u);
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
  EXPECT_EQ(std::set<int>(all.begin(), all.end()).size(), all.size());

  // Sparse ticks over a huge range stay bounded too.
  const std::vector<int> sparse = TrackTickPositions(kMin, kMax, 1 << 30, 200, 11);
  EXPECT_EQ(sparse, (std::vector<int>{5, 52, 99, 146, 194}));

  // Extents no widget has still compute without overflow.
  EXPECT_EQ(TrackSliderOffset(kMax, kMin, kMin, kMax, kMax), kMax);
  EXPECT_EQ(TrackSliderOffset(kMin, kMax, kMin, kMax, kMax), kMin);
  // Only the middle tick lands inside 0..extent.
  EXPECT_EQ(TrackTickPositions(kMin, kMax, kMax, kMax, kMin), (std::vector<int>{(1 << 30) - 1}));
  EXPECT_EQ(TrackTickPositions(kMin, kMax, kMax, 1 << 24, 0), (std::vector<int>{0, 8388607, 16777215, 16777216}));

  // A range wider than the bar at frequency 16, like the processor's gains.
  const std::vector<int> gains = TrackTickPositions(-1024, 1023, 16, 100, 11);
  EXPECT_LE(gains.size(), 101u);
  EXPECT_EQ(gains.front(), 5);
  EXPECT_EQ(gains.back(), 94);
}

}  // namespace
}  // namespace kwo
