#pragma once
// A picture of the toolkit's looks: one small skinned form per built-in
// style (title bar, ring, menu bar with its last menu open, a hot tool
// button, status bar), each cut to its window region, beside a sheet of
// every built-in picture; below them the controls sheet in every built-in
// style and in a skin file of the gallery's own.
#include <QImage>

namespace gallery {

// Needs the application object; the forms are shown and closed again.
// Draws the gallery into picture; false (each fault printed) when a
// controls sheet misses one of the states it is there to show.
bool DrawGallery(QImage &picture);

}  // namespace gallery
