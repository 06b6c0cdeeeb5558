#pragma once
// The built-in looks' pictures, drawn by the program at their tabled sizes:
// the track bar's bar (three frames: start cap, middle, end cap) and its
// sliders, the folding panel's caption bar and its push/pop button.
#include <QPixmap>

#include "theme_table.h"

namespace kwo {

// The picture of an image item in a built-in look (FromThemeFile and
// unknown looks draw DeepBlue's). Items without a drawing of their own get a
// plain grey picture of their size; a non-image item gives a null pixmap.
QPixmap BuiltInThemePicture(TkwoUIStyle style, int position);

// The push/pop button: unfolded, unfolded and hot, folded, folded and hot.
QPixmap PanelButtonPicture();

}  // namespace kwo
