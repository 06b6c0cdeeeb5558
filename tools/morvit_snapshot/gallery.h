#pragma once
// A picture of the toolkit's looks: one small skinned form per built-in
// style (title bar, ring, menu bar with its last menu open, a hot tool
// button, status bar), each cut to its window region, beside a sheet of
// every built-in picture.
#include <QImage>

namespace snapshot {

// Needs the application object; the forms are shown and closed again.
QImage DrawGallery();

}  // namespace snapshot
