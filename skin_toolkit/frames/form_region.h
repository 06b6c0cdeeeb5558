#pragma once
// The shape of a skinned form's window: round top corners, square bottom
// corners.
#include <QRegion>

namespace kwo {

// The region over (0, 0, width, height) whose top corners follow a corner
// ellipse of corner x corner pixels; the bottom corners stay square. A
// corner of 2 or less, or a negative one, gives the plain rectangle; a
// corner larger than the window is cut to its size. A pixel belongs to the
// region when its centre lies inside the ellipse.
QRegion RoundTopRegion(int width, int height, int corner);

}  // namespace kwo
