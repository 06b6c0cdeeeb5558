#pragma once
// The panels' rules without any drawing: where tiled copies of a picture
// go, the heights a folding panel passes through, and its push/pop
// button's hot rectangle and frame.
#include <vector>

#include "skin_toolkit/rules/geometry.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

// The offsets of tiled copies along one side: 0, picture, 2 x picture ...
// while the offset stays below extent + picture (the last copy may lie
// wholly outside). A picture of no size tiles nothing.
std::vector<int> TileOffsets(int extent, int picture);

// The height of a panel's caption bar: its picture's, or 20 without one.
int PanelBarHeight(int barPictureHeight);

// The heights an animated fold or unfold passes through, 15 pixels a step,
// ending exactly at target. A panel already at or past the target in the
// fold's direction still ends with the target.
std::vector<int> PanelFoldSteps(int current, int target);
inline constexpr int kPanelFoldStep = 15;

// The button's hot rectangle, edges included: left width - 18, 13 wide,
// top (bar - 12) / 2, 12 high; right and bottom are inside here.
Rect PanelButtonHotRect(int panelWidth, int barHeight);
bool PanelButtonHit(const Rect &hot, Point p);
// Where the frame is drawn: x width - 17, y hot top / 2 + 2.
Point PanelButtonOrigin(int panelWidth, int barHeight);
// 1 unfolded, 2 unfolded and hot, 3 folded, 4 folded and hot.
int PanelButtonFrame(bool unfolded, bool hot);

}  // namespace kwo
