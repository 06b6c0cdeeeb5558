#pragma once
// The check box's and radio button's rules without any drawing: the state
// they report, which frame of the four-frame picture a state shows, the size
// AutoSize gives and where picture and caption go.
#include "skin_toolkit/rules/geometry.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

enum class TCheckBoxState { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

// cbChecked when checked, else cbUnchecked (never cbGrayed).
TCheckBoxState CheckBoxStateOf(bool checked);
// Only cbChecked checks; any other state unchecks.
bool CheckedForState(TCheckBoxState state);

// The 1-based frame of the four-frame picture: 1 checked, 2 unchecked,
// 3 checked and disabled, 4 unchecked and disabled.
int CheckPictureFrame(bool checked, bool enabled);

// One frame of a four-frame check box or radio picture of that whole size:
// a quarter of its width (truncated), its height; nothing without a picture.
Size CheckPictureSize(ImageSize wholePicture);
// The same for the look's built-in picture (the DeepBlue one for looks
// without a built-in picture).
Size CheckPictureSize(TkwoUIStyle style, bool radio);

// The size AutoSize gives: the picture, 4 pixels, the caption and 4 more
// wide; the taller of the picture and the letter height + 2, plus 4, high.
Size CheckAutoSize(Size picture, int captionWidth, int letterHeight);

struct CheckLayout {
  Point picture;  // top-left of the picture
  Point caption;  // origin of the caption
  bool operator==(const CheckLayout &) const = default;
};

// The picture at x 1, centred vertically; the caption 4 pixels right of the
// picture, centred on the letter height. Divisions truncate toward zero.
CheckLayout PlaceCheck(Size picture, int clientHeight, int letterHeight);

}  // namespace kwo
