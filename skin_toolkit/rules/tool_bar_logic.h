#pragma once
// The skinned tool bar's button rules without any drawing: when the toolkit
// paints a button face instead of the plain tool bar, and where the image
// and caption go on it.
#include "skin_toolkit/rules/geometry.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

// Transparent exactly for a stored MacOS or Protein style.
bool ToolBarTransparentFor(TkwoUIStyle stored);

struct ToolButtonPaintPlan {
  bool paintFace = false;      // the toolkit paints the face
  bool pressed = false;        // in the pressed colour
  bool dropDownArrow = false;  // arrow and divider of a drop-down button
  bool defaultDraw = true;     // the plain tool bar draws the button
  bool operator==(const ToolButtonPaintPlan &) const = default;
};

// Hot: a face, pressed when also selected, with the arrow on a drop-down
// button. Not hot but selected or checked: a face not pressed, no arrow.
// Otherwise the plain drawing.
ToolButtonPaintPlan PlanToolButtonPaint(bool hot, bool selected, bool checked, bool dropDown);

struct ToolButtonFaceInput {
  Rect bounds;
  bool dropDown = false;
  bool hasImages = false;
  Size image;  // the image list's picture size
  bool list = false;
  bool showCaptions = false;
  int captionWidth = 0;  // of the caption without "&"
  bool pressed = false;
};

struct ToolButtonFaceLayout {
  bool drawImage = false;
  Point image;
  bool drawCaption = false;
  Rect captionBox;  // the caption is drawn from its top-left corner
  bool operator==(const ToolButtonFaceLayout &) const = default;
};

// A drop-down button centres in its width less 14. Divisions truncate
// toward zero.
ToolButtonFaceLayout LayOutToolButtonFace(const ToolButtonFaceInput &input);

}  // namespace kwo
