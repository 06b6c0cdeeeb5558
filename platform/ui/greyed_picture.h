#pragma once
// The disabled look of a picture: every pixel a light grey of its own
// brightness, its transparency kept.
#include <QPixmap>

namespace ui {

QPixmap greyedPicture(const QPixmap &picture);

}  // namespace ui
