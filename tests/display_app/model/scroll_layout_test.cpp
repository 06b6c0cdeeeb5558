// Where the monitor's and the wizard's scrolled panels and bars go, for the
// five arrangements of bars, and where the content lands for bar positions.
#include <gtest/gtest.h>

#include "display_app/model/scroll_layout.h"

namespace morvit {
namespace {

struct LayoutCase {
  const char *what;
  int W, H, CW, CH, m;
  int caseNumber, VW, VH;
  int hMax, vMax, hLine, vLine;
  // Where the content lands with the bars at 100 (horizontal) and 50.
  int left, top;
};

// Bars 17 pixels thick throughout: the monitor's area is 535 x 487 with
// margin 8, the wizard's 880 x 537 with margin 20.
const LayoutCase kCases[] = {
    {"both bars", 784, 784, 535, 487, 8, 5, 518, 470, 266, 314, 320, 261, -92, -42},
    {"fits: centred, negative Max", 424, 424, 535, 487, 8, 1, 535, 487, -111, -63, 632, 520, 63, 39},
    {"tall and narrow", 400, 600, 535, 487, 8, 2, 518, 487, -118, 113, 627, 368, 67, -42},
    {"narrower than the area, not than the area less the bar", 525, 600, 535, 487, 8, 3, 518, 470, 7, 130, 478,
     342, -92, -42},
    {"wide and low", 784, 400, 535, 487, 8, 4, 535, 470, 249, -70, 342, 512, -92, 43},
    {"low, but not below the area less the bar", 784, 480, 535, 487, 8, 5, 518, 470, 266, 10, 320, 427, -92, -42},
    {"exactly as wide as the area", 535, 400, 535, 487, 8, 4, 535, 470, 0, -70, 501, 512, -92, 43},
    {"wizard, fits", 552, 424, 880, 537, 20, 1, 880, 537, -328, -113, 1349, 637, 184, 76},
    {"wizard, tall", 712, 544, 880, 537, 20, 2, 863, 537, -151, 7, 1005, 497, 95, -30},
    {"thumb halves round away from zero", 80, 48, 100, 100, 8, 1, 100, 100, -20, -52, 83, 138, 18, 34},
    {"area thinner than the arrows", 40, 40, 20, 20, 8, 5, 3, 3, 37, 37, -2, -2, -92, -42},
    {"no content: thumb from a zero divisor", 0, 0, 535, 487, 8, 1, 535, 487, -535, -487, -1, -1, 275, 251},
};

TEST(ScrollLayout, CasesBarsAndPlacement) {
  for (const LayoutCase &c : kCases) {
    SCOPED_TRACE(c.what);
    const ScrollLayout l = ComputeScrollLayout(c.W, c.H, c.CW, c.CH, 17, 17, c.m);
    EXPECT_EQ(l.caseNumber, c.caseNumber);
    EXPECT_EQ(l.visibleWidth, c.VW);
    EXPECT_EQ(l.visibleHeight, c.VH);

    const bool h = c.caseNumber >= 3;
    const bool v = c.caseNumber == 2 || c.caseNumber == 3 || c.caseNumber == 5;
    EXPECT_EQ(l.horizontal.visible, h);
    EXPECT_EQ(l.vertical.visible, v);
    EXPECT_EQ(l.cornerVisible, h && v);

    // Placed and scaled whether shown or not.
    EXPECT_EQ(l.horizontal.left, 0);
    EXPECT_EQ(l.horizontal.top, c.VH);
    EXPECT_EQ(l.horizontal.length, c.VW);
    EXPECT_EQ(l.horizontal.max, c.hMax);
    EXPECT_EQ(l.horizontal.lineButton, c.hLine);
    EXPECT_EQ(l.horizontal.step, c.VW);
    EXPECT_EQ(l.vertical.left, c.VW);
    EXPECT_EQ(l.vertical.top, 0);
    EXPECT_EQ(l.vertical.length, c.VH);
    EXPECT_EQ(l.vertical.max, c.vMax);
    EXPECT_EQ(l.vertical.lineButton, c.vLine);
    EXPECT_EQ(l.vertical.step, c.VH);
    EXPECT_EQ(l.cornerLeft, c.VW);
    EXPECT_EQ(l.cornerTop, c.VH);

    EXPECT_EQ(PlaceContent(l, 100, 50), (ContentPlace{c.left, c.top}));
  }
}

TEST(ScrollLayout, ScrolledAxesStartAtTheMargin) {
  const ScrollLayout l = ComputeScrollLayout(784, 784, 535, 487, 17, 17, 8);
  EXPECT_EQ(PlaceContent(l, 0, 0), (ContentPlace{8, 8}));
  EXPECT_EQ(PlaceContent(l, 266, 314), (ContentPlace{-258, -306}));
}

TEST(ScrollLayout, ExtremeSizesSaturateInsteadOfWrapping) {
  const ScrollLayout l = ComputeScrollLayout(2147483647, 2147483647, -2147483647, -2147483647, 17, 17, 8);
  EXPECT_EQ(l.caseNumber, 5);
  EXPECT_EQ(l.visibleWidth, -2147483647 - 1);
  EXPECT_EQ(l.horizontal.max, 2147483647);
  EXPECT_EQ(PlaceContent(l, -2147483647 - 1, -2147483647 - 1).left, 2147483647);
}

}  // namespace
}  // namespace morvit
