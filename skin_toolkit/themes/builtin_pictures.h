#pragma once
// The built-in looks' pictures, drawn by the program at their tabled sizes:
// the track bar's bar (three frames: start cap, middle, end cap) and its
// sliders, the folding panel's caption bar and its push/pop button.
#include <QImage>
#include <QPixmap>

#include "theme_table.h"

namespace kwo {

// The picture of an image item in a built-in look (FromThemeFile and
// unknown looks draw DeepBlue's). Items without a drawing of their own get a
// plain grey picture of their size; a non-image item gives a null pixmap.
QPixmap BuiltInThemePicture(TkwoUIStyle style, int position);

// The built-in bitmap of that resource name ("MACOS_BUTTON",
// "MENU_CHECKED", "MAINICON"), drawn at first use and cached; a null image
// (and one warning) for an unknown name.
QImage BuiltInBitmap(const char *name);

// The picture of an image item in a built-in look into target: whole for a
// frame count of 0, else frame k (1-based) of n equal-width frames. Leaves
// the target alone when the look has no such picture.
void GetBuiltInThemeImage(TkwoUIStyle style, int position, QImage &target, int frameIndex, int frameCount);

// The push/pop button: unfolded, unfolded and hot, folded, folded and hot.
QPixmap PanelButtonPicture();

}  // namespace kwo
