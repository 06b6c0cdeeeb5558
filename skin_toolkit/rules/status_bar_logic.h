#pragma once
// The skinned status bar's own grip, without any drawing.
#include <utility>
#include <vector>

#include "skin_toolkit/rules/geometry.h"

namespace kwo {

struct StatusGripPlan {
  std::vector<Rect> fills;                   // in the bar's colour
  std::vector<std::pair<Point, Point>> lines;  // in the inactive-caption colour
  bool operator==(const StatusGripPlan &) const = default;
};

// Nothing unless the bar lies on a sizeable form. Then the grip box is
// filled; the four grip lines follow when the grip is on and the form is not
// maximised; a bar higher than 19 also gets the strip above the box filled.
StatusGripPlan PlanStatusGrip(int width, int height, bool sizeableForm, bool sizeGrip, bool maximized);

}  // namespace kwo
