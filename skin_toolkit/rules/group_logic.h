#pragma once
// The group boxes' rules without any drawing: the frame's open top edge and
// where a check or radio group puts its item buttons.
#include <vector>

#include "skin_toolkit/rules/geometry.h"

namespace kwo {

// How far from the origin a computed area edge or item corner may lie;
// anything further out is clamped (a huge margin or column count still
// leaves a rectangle the window system can hold).
inline constexpr int kGroupCoordinateLimit = 1 << 24;

// A font's pixel height: its height when set, else its point size at 96
// pixels per inch.
int FontPixelHeight(int pointSize, int pixelHeight);

// The frame's line height: font pixel height / 2 + client top + 1.
int GroupFrameLineY(int fontHeight, int clientTop);

// The x where the frame's top line ends, coming from the right corner:
// left + caption width + 6, or left (a closed edge) without a caption.
int GroupFrameTopEnd(int left, int captionWidth, bool hasCaption);

// The area the items share: the client area less 3 left, the font pixel
// height at the top, 2 right and bottom, its top lowered by topMargin.
Rect GroupItemArea(const Rect &client, int fontHeight, int topMargin);

// The top-left corner of each of count item buttons: columns filled top to
// bottom, rows = ceil(count / columns), column width (width - 10) /
// columns, row height area height / rows, the rows centred by the spare
// pixels. Fewer than one column lays out as one.
std::vector<Point> GroupItemPositions(int count, int columns, int width, const Rect &area);

}  // namespace kwo
