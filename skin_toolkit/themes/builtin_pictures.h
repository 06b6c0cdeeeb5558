#pragma once
// The built-in looks' pictures, drawn by the program at their tabled sizes
// and frame counts: every image item of the five looks, the bitmaps the
// controls load by name, and the program's icon. Each is drawn at its first
// use and kept for the rest of the run (GUI thread only).
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

// The built-in bitmap of that resource name ("MACOS_BUTTON",
// "MENU_CHECKED", "MAINICON"), drawn at first use and cached; a null image
// (and one warning a name) for an unknown name. Format_RGB32, except
// "MDI_CONTROL_BUTTON", which holds one bit a pixel (Format_Mono).
QImage BuiltInBitmap(const char *name);

// The picture of an image item in a built-in look into target: whole for a
// frame count of 0, else frame k (1-based) of n equal-width frames. Leaves
// the target alone when the look has no such picture.
void GetBuiltInThemeImage(TkwoUIStyle style, int position, QImage &target, int frameIndex, int frameCount);

// The picture of an image item in a built-in look (FromThemeFile and
// unknown looks draw DeepBlue's), ready to draw straight onto a widget:
// what the picture's key marks (magenta, or the bottom-left pixel of the
// radio buttons, the sliders and the see-through title buttons) is made
// transparent. A non-image item gives a null pixmap.
QPixmap BuiltInThemePicture(TkwoUIStyle style, int position);

// The push/pop button: unfolded, unfolded and hot, folded, folded and hot.
QPixmap PanelButtonPicture();

// The program's icon at 32 or 16 pixels (null at any other size), and both
// in one icon.
QImage MainIconPicture(int size);
QIcon BuiltInMainIcon();

namespace detail {
// Forgets every drawn picture, so the next use draws it afresh (for
// measuring the cold drawing).
void ClearBuiltInBitmapCache();
}  // namespace detail

}  // namespace kwo
