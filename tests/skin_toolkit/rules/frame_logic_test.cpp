// The ring round a skinned form: its border strips and client ring, where it
// carries the title pictures on and draws the border's corner arcs, and the
// limits of its sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

#include "skin_toolkit/rules/frame_logic.h"

namespace kwo {
namespace {

TEST(FrameRing, TitleBarShownPaintsBorderStripsClientAndTitleContinuation) {
  RingInput in;
  in.formWidth = 449;
  in.formHeight = 623;
  in.borderWidth = 1;
  in.titleBarHeight = 20;
  in.titleLeft = {10, 23};
  in.titleClient = {1, 23};
  in.titleRight = {12, 23};
  const std::vector<RingPiece> ring = PlanRing(in);
  const auto picture = [](Rect clip, TitlePart part, Rect place) {
    return RingPiece{clip, RingFill::TitlePicture, part, place};
  };
  const std::vector<RingPiece> expected = {
      {{0, 0, 1, 623}, RingFill::Border},
      {{0, 622, 449, 623}, RingFill::Border},
      {{448, 0, 449, 623}, RingFill::Border},
      {{1, 20, 3, 622}, RingFill::Client},
      {{1, 620, 448, 622}, RingFill::Client},
      {{446, 20, 448, 622}, RingFill::Client},
      picture({1, 0, 3, 23}, TitlePart::Left, {1, 0, 11, 23}),
      picture({446, 0, 448, 23}, TitlePart::Right, {436, 0, 448, 23}),
      picture({2, 0, 446, 3}, TitlePart::Left, {0, 0, 10, 23}),
      picture({2, 0, 446, 3}, TitlePart::Right, {437, 0, 449, 23}),
      picture({2, 0, 446, 3}, TitlePart::Client, {10, 0, 437, 23}),
  };
  EXPECT_EQ(ring, expected);
}

TEST(FrameRing, HiddenTitleBarGetsATopLineOverTwoClientRows) {
  RingInput in;
  in.formWidth = 200;
  in.formHeight = 100;
  in.borderWidth = 1;
  in.titleBarVisible = false;
  in.titleBarHeight = 29;
  in.menuBarVisible = true;
  in.menuBarHeight = 22;
  const std::vector<RingPiece> ring = PlanRing(in);
  ASSERT_EQ(ring.size(), 10u);
  EXPECT_EQ(ring[3], (RingPiece{{1, 0, 3, 99}, RingFill::Client}));  // from the top: no title bar
  // Beside the menu bar, below where the title bar would be.
  EXPECT_EQ(ring[6], (RingPiece{{1, 32, 3, 54}, RingFill::MenuBar}));
  EXPECT_EQ(ring[7], (RingPiece{{197, 32, 199, 54}, RingFill::MenuBar}));
  EXPECT_EQ(ring[8], (RingPiece{{0, 0, 200, 1}, RingFill::Border}));
  EXPECT_EQ(ring[9], (RingPiece{{1, 1, 199, 3}, RingFill::Client}));
}

TEST(FrameRing, WideBorderLeavesNoClientRing) {
  RingInput in;
  in.formWidth = 100;
  in.formHeight = 50;
  in.borderWidth = 4;
  in.titleBarHeight = 26;
  const std::vector<RingPiece> ring = PlanRing(in);
  ASSERT_EQ(ring.size(), 3u);
  for (const RingPiece &p : ring) EXPECT_EQ(p.fill, RingFill::Border);
}

RingInput pictured(int borderWidth, int corner, Size right = {12, 23}) {
  RingInput in;
  in.formWidth = 449;
  in.formHeight = 623;
  in.borderWidth = borderWidth;
  in.titleBarHeight = 20;
  in.titleLeft = {10, 23};
  in.titleClient = {1, 23};
  in.titleRight = right;
  in.roundCorner = corner;
  return in;
}

std::vector<RingPiece> piecesOf(const std::vector<RingPiece> &ring, RingFill fill) {
  std::vector<RingPiece> out;
  std::ranges::copy_if(ring, std::back_inserter(out), [fill](const RingPiece &p) { return p.fill == fill; });
  return out;
}

TEST(FrameRingPictures, ArcsOnlyForAOnePixelBorderAndACornerOfEleven) {
  const struct {
    int border, corner;
    bool arcs;
  } cases[] = {{1, 11, true}, {1, 13, false}, {1, 0, false}, {0, 11, false}, {2, 11, false}};
  for (const auto &c : cases) {
    const std::vector<RingPiece> arcs = piecesOf(PlanRing(pictured(c.border, c.corner)), RingFill::BorderArc);
    EXPECT_EQ(arcs.size(), c.arcs ? 2u : 0u) << c.border << " " << c.corner;
  }
  // Painted last, over the pictures: top right, then top left.
  const std::vector<RingPiece> ring = PlanRing(pictured(1, 11));
  ASSERT_GE(ring.size(), 2u);
  RingPiece topRight{{428, -1, 450, 21}, RingFill::BorderArc};
  topRight.startAngle = 0;
  topRight.spanAngle = 90;
  RingPiece topLeft{{-1, -1, 21, 21}, RingFill::BorderArc};
  topLeft.startAngle = 90;
  topLeft.spanAngle = 90;
  EXPECT_EQ(ring[ring.size() - 2], topRight);
  EXPECT_EQ(ring.back(), topLeft);
}

TEST(FrameRingPictures, NarrowRightPictureFillsItsPiece) {
  const std::vector<RingPiece> pictures = piecesOf(PlanRing(pictured(1, 0, {2, 23})), RingFill::TitlePicture);
  ASSERT_EQ(pictures.size(), 5u);
  EXPECT_EQ(pictures[1].part, TitlePart::Right);
  EXPECT_EQ(pictures[1].rect, (Rect{446, 0, 448, 23}));
  EXPECT_EQ(pictures[1].place, pictures[1].rect);
  // Above the bar the picture still ends at the window's right edge.
  EXPECT_EQ(pictures[3].place, (Rect{447, 0, 449, 23}));
}

TEST(FrameRingPictures, NoContinuationWithoutAllThreePicturesOrWithAWideBorder) {
  RingInput noClient = pictured(1, 11);
  noClient.titleClient = {};
  RingInput flatRight = pictured(1, 11);
  flatRight.titleRight = {12, 0};
  RingInput hidden = pictured(1, 11);
  hidden.titleBarVisible = false;
  for (const RingInput &in : {noClient, flatRight, pictured(4, 11), hidden}) {
    const std::vector<RingPiece> ring = PlanRing(in);
    EXPECT_TRUE(piecesOf(ring, RingFill::TitlePicture).empty());
    EXPECT_TRUE(piecesOf(ring, RingFill::BorderArc).empty());
  }
}

TEST(FrameRingPictures, ZeroBorderWidensTheSidePieces) {
  const std::vector<RingPiece> pictures = piecesOf(PlanRing(pictured(0, 11)), RingFill::TitlePicture);
  ASSERT_EQ(pictures.size(), 5u);
  EXPECT_EQ(pictures[0].rect, (Rect{0, 0, 3, 23}));
  EXPECT_EQ(pictures[0].place, (Rect{0, 0, 10, 23}));
  EXPECT_EQ(pictures[1].rect, (Rect{446, 0, 449, 23}));
  EXPECT_EQ(pictures[1].place, (Rect{436, 0, 448, 23}));
}

TEST(FrameRingLimits, ExtremeSizesGiveEdgesInsideThePixelRange) {
  constexpr int kLow = std::numeric_limits<int>::min();
  constexpr int kHigh = std::numeric_limits<int>::max();
  const Size huge{kHigh, kHigh};
  const struct {
    int formWidth, borderWidth, titleBarHeight, menuBarHeight;
    Size picture;
  } cases[] = {
      {kHigh, kHigh, kHigh, kHigh, huge},  // only the border strips
      {kHigh, 1, kHigh, kHigh, huge},      // the pictures carried on, the arcs
      {kHigh, 0, kLow, kLow, {kLow, kLow}},
      {449, kLow, 20, 22, huge},
  };
  for (const auto &c : cases) {
    RingInput in = pictured(c.borderWidth, kRingArcCorner, c.picture);
    in.formWidth = c.formWidth;
    in.formHeight = c.formWidth;
    in.titleBarHeight = c.titleBarHeight;
    in.menuBarVisible = true;
    in.menuBarHeight = c.menuBarHeight;
    in.titleLeft = in.titleClient = c.picture;
    const std::vector<RingPiece> ring = PlanRing(in);
    EXPECT_FALSE(ring.empty());
    for (const RingPiece &p : ring) {
      for (const Rect &r : {p.rect, p.place}) {
        for (const int edge : {r.left, r.top, r.right, r.bottom}) {
          EXPECT_LE(std::abs(edge), 3 * kPixelLimit) << c.formWidth << " " << c.borderWidth;
        }
      }
      if (p.fill != RingFill::BorderArc) {
        EXPECT_FALSE(p.rect.empty());
      }
    }
  }
}

}  // namespace
}  // namespace kwo
