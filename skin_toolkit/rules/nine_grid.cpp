#include "skin_toolkit/rules/nine_grid.h"

#include <algorithm>

namespace kwo {
namespace {

Rect clippedTo(const Rect &r, int width, int height) {
  return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
}

// A corner's extent along one axis: the smaller of its extent in the picture
// and its half of the face (never below 0).
int cornerExtent(int sourceExtent, int halfExtent) { return std::max(0, std::min(sourceExtent, halfExtent)); }

}  // namespace

std::vector<NineGridPiece> NineGridPieces(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight) {
  std::vector<NineGridPiece> pieces;
  if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return pieces;
  const int w = sourceWidth;
  const int h = sourceHeight;
  const int dw = targetWidth;
  const int dh = targetHeight;
  const int hw = w / 2;  // the left part of the picture
  const int hh = h / 2;  // the top part
  const int rightFrom = w - hw + 1;
  const int bottomFrom = h - hh + 1;

  // The face's halves: 0 .. dw/2 on the left, dw - dw/2 + 1 .. dw on the
  // right; likewise for the rows.
  const int leftHalf = dw / 2;
  const int rightHalf = dw / 2 - 1;
  const int topHalf = dh / 2;
  const int bottomHalf = dh / 2 - 1;

  const int leftWidth = cornerExtent(hw, leftHalf);
  const int rightWidth = cornerExtent(w - rightFrom, rightHalf);
  const int topHeight = cornerExtent(hh, topHalf);
  const int bottomHeight = cornerExtent(h - bottomFrom, bottomHalf);

  // The corners as drawn; a cut corner keeps its outer part.
  const Rect topLeft{0, 0, leftWidth, topHeight};
  const Rect bottomLeft{0, dh - bottomHeight, leftWidth, dh};
  const Rect topRight{dw - rightWidth, 0, dw, topHeight};
  const Rect bottomRight{dw - rightWidth, dh - bottomHeight, dw, dh};

  auto add = [&](NineGridPart part, const Rect &source, const Rect &target, bool corner) {
    const Rect inPicture = clippedTo(source, w, h);
    if (inPicture.empty() || target.empty()) return;
    pieces.push_back({part, inPicture, target, corner});
  };

  add(NineGridPart::TopLeft, {0, 0, leftWidth, topHeight}, topLeft, true);
  add(NineGridPart::BottomLeft, {0, h - bottomHeight, leftWidth, h}, bottomLeft, true);
  // Across its width or height an edge is cut like the corners beside it,
  // keeping its outer part: squeezed instead, nearest-neighbour would drop
  // columns or rows, the picture's outermost border among them.
  add(NineGridPart::LeftEdge, {0, hh, leftWidth, h - hh}, {0, topLeft.bottom, topLeft.right, bottomLeft.top}, false);
  add(NineGridPart::TopRight, {w - rightWidth, 0, w, topHeight}, topRight, true);
  add(NineGridPart::BottomRight, {w - rightWidth, h - bottomHeight, w, h}, bottomRight, true);
  add(NineGridPart::RightEdge, {std::max(rightFrom, w - rightWidth), h - hh, w, hh + 2},
      {topRight.left, topRight.bottom, topRight.right, bottomRight.top}, false);
  add(NineGridPart::TopEdge, {hw, 0, rightFrom, topHeight}, {topLeft.right, 0, topRight.left, topLeft.bottom}, false);
  add(NineGridPart::Centre, {hw, hh, rightFrom, h - hh},
      {topLeft.right, topLeft.bottom, topRight.left, bottomRight.top - 1}, false);
  // The bottom edge reaches one row above the bottom corners.
  add(NineGridPart::BottomEdge, {hw, std::max(h - hh, h - bottomHeight - 1), rightFrom, h},
      {topLeft.right - 1, bottomLeft.top - 1, bottomRight.left, bottomRight.bottom}, false);
  return pieces;
}

}  // namespace kwo
