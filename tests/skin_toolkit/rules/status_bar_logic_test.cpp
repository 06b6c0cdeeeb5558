// The status bar's size grip: the boxes and lines it paints.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "skin_toolkit/rules/status_bar_logic.h"

namespace kwo {
namespace {

TEST(StatusBar, GripRows) {
  // A fixed border: the plain status bar, nothing of its own.
  EXPECT_EQ(PlanStatusGrip(300, 19, false, true, false), StatusGripPlan{});
  // Sizeable, normal: box and four lines; 19 high gets no strip above the box.
  StatusGripPlan p = PlanStatusGrip(300, 19, true, true, false);
  EXPECT_EQ(p.fills, (std::vector<Rect>{{284, 3, 299, 18}}));
  ASSERT_EQ(p.lines.size(), 4u);
  EXPECT_EQ(p.lines[0], (std::pair<Point, Point>{{285, 18}, {299, 4}}));
  EXPECT_EQ(p.lines[3], (std::pair<Point, Point>{{297, 18}, {299, 16}}));
  // Maximised: the box is filled plain.
  p = PlanStatusGrip(300, 19, true, true, true);
  EXPECT_EQ(p.fills.size(), 1u);
  EXPECT_TRUE(p.lines.empty());
  // Grip off: no lines either.
  EXPECT_TRUE(PlanStatusGrip(300, 19, true, false, false).lines.empty());
  // Higher than 19: the strip above the box too.
  p = PlanStatusGrip(300, 24, true, true, false);
  EXPECT_EQ(p.fills, (std::vector<Rect>{{284, 8, 299, 23}, {284, 3, 299, 8}}));
}

}  // namespace
}  // namespace kwo
