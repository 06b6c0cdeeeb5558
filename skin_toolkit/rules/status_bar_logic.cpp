#include "skin_toolkit/rules/status_bar_logic.h"

namespace kwo {

StatusGripPlan PlanStatusGrip(int w, int h, bool sizeableForm, bool sizeGrip, bool maximized) {
  StatusGripPlan plan;
  if (!sizeableForm) return plan;
  plan.fills.push_back({w - 16, h - 16, w - 1, h - 1});
  if (sizeGrip && !maximized) {
    for (int d : {15, 11, 7, 3}) plan.lines.push_back({{w - d, h - 1}, {w - 1, h - d}});
  }
  if (h - 16 > 3) plan.fills.push_back({w - 16, 3, w - 1, h - 16});
  return plan;
}

}  // namespace kwo
