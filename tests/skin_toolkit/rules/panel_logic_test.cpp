// The panels' rules: tiling, the fold's steps and the push/pop button.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/panel_logic.h"

namespace kwo {
namespace {

TEST(PanelLogic, TilesCoverTheAreaAndAPictureOfNoSizeTilesNothing) {
  EXPECT_EQ(TileOffsets(40, 16), (std::vector<int>{0, 16, 32, 48}));
  EXPECT_EQ(TileOffsets(20, 16), (std::vector<int>{0, 16, 32}));
  EXPECT_TRUE(TileOffsets(40, 0).empty());
  EXPECT_TRUE(TileOffsets(40, -3).empty());
  EXPECT_TRUE(TileOffsets(0, 16).empty());
  EXPECT_EQ(TileOffsets(1 << 30, 1 << 30).size(), 2u);
}

TEST(PanelLogic, FoldAndUnfoldStepFifteenPixelsAndEndAtTheTarget) {
  struct Case {
    int from, to;
    std::vector<int> expect;
  } cases[] = {
      {100, 20, {85, 70, 55, 40, 25, 20}},
      {20, 100, {35, 50, 65, 80, 95, 100}},
      {20, 150, {35, 50, 65, 80, 95, 110, 125, 140, 150}},
      {30, 21, {21}},
      {21, 21, {21}},
  };
  for (const Case &c : cases) EXPECT_EQ(PanelFoldSteps(c.from, c.to), c.expect) << c.from << "->" << c.to;
  EXPECT_EQ(PanelBarHeight(0), 20);
  EXPECT_EQ(PanelBarHeight(21), 21);
}

TEST(PanelLogic, ButtonHotRectIncludesItsEdges) {
  const Rect hot = PanelButtonHotRect(100, 20);
  EXPECT_EQ(hot, (Rect{82, 4, 95, 16}));
  EXPECT_TRUE(PanelButtonHit(hot, {82, 4}));
  EXPECT_TRUE(PanelButtonHit(hot, {95, 16}));
  EXPECT_FALSE(PanelButtonHit(hot, {96, 10}));
  EXPECT_FALSE(PanelButtonHit(hot, {90, 3}));
  EXPECT_EQ(PanelButtonOrigin(100, 21), (Point{83, 4}));  // top (21 - 12) / 2 = 4, halved + 2
  EXPECT_EQ(PanelButtonFrame(true, false), 1);
  EXPECT_EQ(PanelButtonFrame(true, true), 2);
  EXPECT_EQ(PanelButtonFrame(false, false), 3);
  EXPECT_EQ(PanelButtonFrame(false, true), 4);
}

}  // namespace
}  // namespace kwo
