#include "skin_toolkit/rules/tool_bar_logic.h"

namespace kwo {

bool ToolBarTransparentFor(TkwoUIStyle stored) {
  return stored == TkwoUIStyle::MacOS || stored == TkwoUIStyle::Protein;
}

ToolButtonPaintPlan PlanToolButtonPaint(bool hot, bool selected, bool checked, bool dropDown) {
  if (hot) return {true, selected, dropDown, false};
  if (selected || checked) return {true, false, false, false};
  return {};
}

ToolButtonFaceLayout LayOutToolButtonFace(const ToolButtonFaceInput &in) {
  ToolButtonFaceLayout out;
  const int l = in.bounds.left;
  const int t = in.bounds.top;
  const int r = in.bounds.right;
  const int b = in.bounds.bottom;
  const int r2 = in.dropDown ? r - 14 : r;
  if (in.hasImages) {
    out.drawImage = true;
    out.image = in.list ? Point{l + 5, t + 3} : Point{l + (r2 - l - in.image.width) / 2, t + 3};
    if (in.showCaptions) {
      out.drawCaption = true;
      out.captionBox = in.list ? Rect{l + in.image.width + 7, t + 4, r, b}
                               : Rect{l + (r2 - l - in.captionWidth) / 2, t + in.image.height + 4, r, b};
    }
  } else if (in.showCaptions) {
    out.drawCaption = true;
    out.captionBox = in.list ? Rect{l + 8, t + 3, r, b}
                             : Rect{l + (r2 - l - in.captionWidth) / 2, in.pressed ? t + 5 : t + 4, r, b};
  }
  return out;
}

}  // namespace kwo
