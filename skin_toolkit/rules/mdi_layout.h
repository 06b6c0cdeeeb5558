#pragma once
// Where the skinned MDI frame puts its children after a cascade or tile
// command, without any windows: child bounds from the client area's size.
#include <optional>
#include <vector>

#include "skin_toolkit/rules/geometry.h"

namespace kwo {

struct MdiLayoutInput {
  // The frame form's client area.
  Size client;
  // Total height of the frame's controls aligned to the top or bottom.
  int alignedHeight = 0;
  // One flag per child, in the MDI client's index order (0 on top).
  std::vector<bool> minimized;
  // Tile side by side rather than one under the other.
  bool vertical = false;
};

// One entry per child, in index order: the new bounds, or none for a
// minimised child, which keeps its place.

// Children from the last index to the first, each 4/5 of the client width
// and 3/5 of its height (truncated), the first at (0, 0), each next one 22
// pixels further right and down.
std::vector<std::optional<Rect>> CascadeLayout(const MdiLayoutInput &in);

// The children not minimised share the client height less the aligned
// controls (and 25 more for the row of minimised children when there is
// one), from the last index to the first: side by side when vertical, else
// one under the other. Sizes never fall below 0.
std::vector<std::optional<Rect>> TileLayout(const MdiLayoutInput &in);

}  // namespace kwo
