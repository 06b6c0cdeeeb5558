// The detection animation's run: how many ticks a strip takes, which frames
// it shows, and that every run ends, whatever the strip holds.
#include <gtest/gtest.h>

#include <vector>

#include "display_app/model/detection_animation.h"

namespace morvit {
namespace {

struct RunCase {
  int frames;
  int ticks;                // ticks until the run ends
  std::vector<int> shown;   // frames shown by the ticks before the last
};

// A strip without frames plays like one blank frame.
const RunCase kRuns[] = {
    {0, 1, {}},
    {1, 1, {}},
    {2, 1, {}},
    {3, 2, {1}},
    {8, 7, {1, 2, 3, 4, 5, 6}},
};

TEST(DetectionAnimation, EveryRunEndsAfterFrameCountLessOneTicksAndShowsFrameZero) {
  for (const RunCase &c : kRuns) {
    SCOPED_TRACE(c.frames);
    DetectionAnimation animation;
    EXPECT_EQ(animation.restart(), 0);
    EXPECT_EQ(animation.nextFrame(), 1);
    // Two runs in a row behave alike: the end of a run is a restart.
    for (int run = 0; run < 2; ++run) {
      SCOPED_TRACE(run);
      std::vector<int> shown;
      DetectionAnimation::Tick tick;
      int ticks = 0;
      while (ticks < 100) {
        tick = animation.tick(c.frames);
        ++ticks;
        if (tick.finished) break;
        shown.push_back(tick.frame);
      }
      EXPECT_EQ(ticks, c.ticks);
      EXPECT_EQ(shown, c.shown);
      EXPECT_TRUE(tick.finished);
      EXPECT_EQ(tick.frame, 0);
      EXPECT_EQ(animation.nextFrame(), 1);
    }
  }
}

TEST(DetectionAnimation, AStripShortenedDuringARunEndsItAtOnce) {
  DetectionAnimation animation;
  animation.restart();
  for (int i = 0; i < 4; ++i) ASSERT_FALSE(animation.tick(8).finished);
  ASSERT_EQ(animation.nextFrame(), 5);
  const DetectionAnimation::Tick tick = animation.tick(2);
  EXPECT_TRUE(tick.finished);
  EXPECT_EQ(tick.frame, 0);
  EXPECT_EQ(animation.nextFrame(), 1);
}

}  // namespace
}  // namespace morvit
