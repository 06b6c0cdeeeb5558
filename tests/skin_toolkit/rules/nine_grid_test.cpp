// The nine-grid pieces a picture is cut into for a face, without any window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin_toolkit/rules/nine_grid.h"

namespace kwo {
namespace {

using P = NineGridPart;

std::string describe(const Rect &r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

bool hasPart(const std::vector<NineGridPiece> &pieces, P part) {
  return std::any_of(pieces.begin(), pieces.end(), [&](const NineGridPiece &p) { return p.part == part; });
}

struct NineGridCase {
  const char *name;
  int w, h, dw, dh;
  std::vector<NineGridPiece> expected;
};

TEST(NineGrid, PiecesFollowTheTableWithTheirOffsets) {
  const NineGridCase cases[] = {
      // A wide title picture on a narrower face: the corners are cut to the
      // face's halves (50 and 49 wide, 10 and 9 high), keeping their outer
      // parts, so the right corners start at column 222 - 49; the left and
      // right edges are cut to the same columns.
      {"222x21 onto 100x21",
       222,
       21,
       100,
       21,
       {{P::TopLeft, {0, 0, 50, 10}, {0, 0, 50, 10}, true},
        {P::BottomLeft, {0, 12, 50, 21}, {0, 12, 50, 21}, true},
        {P::LeftEdge, {0, 10, 50, 11}, {0, 10, 50, 12}, false},
        {P::TopRight, {173, 0, 222, 10}, {51, 0, 100, 10}, true},
        {P::BottomRight, {173, 12, 222, 21}, {51, 12, 100, 21}, true},
        {P::RightEdge, {173, 11, 222, 12}, {51, 10, 100, 12}, false},
        {P::TopEdge, {111, 0, 112, 10}, {50, 0, 51, 10}, false},
        {P::Centre, {111, 10, 112, 11}, {50, 10, 51, 11}, false},
        {P::BottomEdge, {111, 11, 112, 21}, {49, 11, 51, 21}, false}}},
      // A button frame on a lower, narrower face: the rows are cut as well,
      // the bottom edge keeping the row above the bottom corners; the
      // centre has no rows left.
      {"74x21 onto 70x16",
       74,
       21,
       70,
       16,
       {{P::TopLeft, {0, 0, 35, 8}, {0, 0, 35, 8}, true},
        {P::BottomLeft, {0, 14, 35, 21}, {0, 9, 35, 16}, true},
        {P::LeftEdge, {0, 10, 35, 11}, {0, 8, 35, 9}, false},
        {P::TopRight, {40, 0, 74, 8}, {36, 0, 70, 8}, true},
        {P::BottomRight, {40, 14, 74, 21}, {36, 9, 70, 16}, true},
        {P::RightEdge, {40, 11, 74, 12}, {36, 8, 70, 9}, false},
        {P::TopEdge, {37, 0, 38, 8}, {35, 0, 36, 8}, false},
        {P::BottomEdge, {37, 13, 38, 21}, {34, 8, 36, 16}, false}}},
      // A small picture on a large face: corners at their own size.
      {"21x21 onto 60x40",
       21,
       21,
       60,
       40,
       {{P::TopLeft, {0, 0, 10, 10}, {0, 0, 10, 10}, true},
        {P::BottomLeft, {0, 12, 10, 21}, {0, 31, 10, 40}, true},
        {P::LeftEdge, {0, 10, 10, 11}, {0, 10, 10, 31}, false},
        {P::TopRight, {12, 0, 21, 10}, {51, 0, 60, 10}, true},
        {P::BottomRight, {12, 12, 21, 21}, {51, 31, 60, 40}, true},
        {P::RightEdge, {12, 11, 21, 12}, {51, 10, 60, 31}, false},
        {P::TopEdge, {10, 0, 12, 10}, {10, 0, 51, 10}, false},
        {P::Centre, {10, 10, 12, 11}, {10, 10, 51, 30}, false},
        {P::BottomEdge, {10, 11, 12, 21}, {9, 30, 51, 40}, false}}},
  };
  for (const NineGridCase &c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<NineGridPiece> pieces = NineGridPieces(c.w, c.h, c.dw, c.dh);
    ASSERT_EQ(pieces.size(), c.expected.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
      SCOPED_TRACE(static_cast<int>(c.expected[i].part));
      EXPECT_EQ(pieces[i].part, c.expected[i].part);
      EXPECT_EQ(pieces[i].source, c.expected[i].source) << describe(pieces[i].source);
      EXPECT_EQ(pieces[i].target, c.expected[i].target) << describe(pieces[i].target);
      EXPECT_EQ(pieces[i].corner, c.expected[i].corner);
    }
  }
}

TEST(NineGrid, EvenHeightLeavesOutTheLeftEdgeAndCentre) {
  // Rows H/2 .. H - H/2 are empty for an even height.
  const std::vector<NineGridPiece> pieces = NineGridPieces(222, 20, 100, 20);
  EXPECT_FALSE(hasPart(pieces, P::LeftEdge));
  EXPECT_FALSE(hasPart(pieces, P::Centre));
  for (P part : {P::TopLeft, P::BottomLeft, P::TopRight, P::BottomRight, P::RightEdge, P::TopEdge, P::BottomEdge}) {
    EXPECT_TRUE(hasPart(pieces, part)) << static_cast<int>(part);
  }
}

TEST(NineGrid, EveryPieceHasAreaInsideThePictureAndTheFace) {
  // Tiny faces (3x2 among them) and tiny pictures: the table's +1 and +2
  // offsets reach past small pictures and its -1 offsets before small faces.
  const std::vector<NineGridPiece> small = NineGridPieces(222, 21, 3, 2);
  EXPECT_FALSE(small.empty());
  for (int w = 1; w <= 9; ++w) {
    for (int h = 1; h <= 9; ++h) {
      for (int dw = 1; dw <= 9; ++dw) {
        for (int dh = 1; dh <= 9; ++dh) {
          for (const NineGridPiece &p : NineGridPieces(w, h, dw, dh)) {
            const bool sourceInside = !p.source.empty() && p.source.left >= 0 && p.source.top >= 0 &&
                                      p.source.right <= w && p.source.bottom <= h;
            ASSERT_TRUE(sourceInside) << w << "x" << h << " onto " << dw << "x" << dh << " part "
                                      << static_cast<int>(p.part) << " source " << describe(p.source);
            const bool targetOnFace = !p.target.empty() && p.target.right <= dw && p.target.bottom <= dh;
            ASSERT_TRUE(targetOnFace) << w << "x" << h << " onto " << dw << "x" << dh << " part "
                                           << static_cast<int>(p.part) << " target " << describe(p.target);
            if (p.corner) {
              EXPECT_EQ(p.source.width(), p.target.width());
              EXPECT_EQ(p.source.height(), p.target.height());
            }
          }
        }
      }
    }
  }
}

TEST(NineGrid, NothingForAnEmptyPictureOrFace) {
  EXPECT_TRUE(NineGridPieces(0, 21, 100, 21).empty());
  EXPECT_TRUE(NineGridPieces(222, -1, 100, 21).empty());
  EXPECT_TRUE(NineGridPieces(222, 21, 0, 21).empty());
  EXPECT_TRUE(NineGridPieces(222, 21, 100, -5).empty());
}

}  // namespace
}  // namespace kwo
