#pragma once
// The nine pieces of a skin picture stretched over a face: four corners
// copied unscaled, four edges and the centre stretched. The face starts at
// the canvas origin; pieces sit at x = 0 or are measured back from its right
// edge, and at y = 0 or back from its bottom edge.
#include <vector>

#include "skin_toolkit/rules/geometry.h"

namespace kwo {

enum class NineGridPart { TopLeft, BottomLeft, LeftEdge, TopRight, BottomRight, RightEdge, TopEdge, Centre, BottomEdge };

struct NineGridPiece {
  NineGridPart part = NineGridPart::TopLeft;
  Rect source;  // in the picture, clipped to it
  Rect target;  // on the face; stretched when the sizes differ
  bool corner = false;
  bool operator==(const NineGridPiece &) const = default;
};

// The pieces of a sourceWidth x sourceHeight picture over a targetWidth x
// targetHeight face, in drawing order. A corner larger than its half of the
// face keeps the part at the outer corner of the picture, and the edges
// beside it are cut to the same columns or rows. Pieces whose
// source or target has no area are left out.
std::vector<NineGridPiece> NineGridPieces(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);

}  // namespace kwo
