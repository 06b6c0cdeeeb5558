// The tool bar's painting rules: when it is transparent, what a button's
// state paints and where its image and caption go.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/tool_bar_logic.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

TEST(ToolBar, TransparentOnlyForStoredMacOSAndProtein) {
  EXPECT_TRUE(ToolBarTransparentFor(S::MacOS));
  EXPECT_TRUE(ToolBarTransparentFor(S::Protein));
  EXPECT_FALSE(ToolBarTransparentFor(S::FromThemeFile));
  EXPECT_FALSE(ToolBarTransparentFor(S::WinXP));
  EXPECT_FALSE(ToolBarTransparentFor(S::DeepBlue));
  EXPECT_FALSE(ToolBarTransparentFor(S::BlueGlass));
}

TEST(ToolBar, PaintStateTable) {
  const struct {
    bool hot, selected, checked, dropDown;
    ToolButtonPaintPlan plan;
  } cases[] = {
      {false, false, false, false, {false, false, false, true}},
      {false, false, false, true, {false, false, false, true}},
      {true, false, false, false, {true, false, false, false}},
      {true, true, false, false, {true, true, false, false}},
      {true, true, false, true, {true, true, true, false}},
      {true, false, true, true, {true, false, true, false}},
      {false, true, false, true, {true, false, false, false}},
      {false, false, true, false, {true, false, false, false}},  // checked: normal colour
  };
  for (const auto &c : cases) {
    EXPECT_EQ(PlanToolButtonPaint(c.hot, c.selected, c.checked, c.dropDown), c.plan)
        << c.hot << c.selected << c.checked << c.dropDown;
  }
}

TEST(ToolBar, FaceLayout) {
  ToolButtonFaceInput in;
  in.bounds = {10, 0, 56, 21};
  in.showCaptions = true;
  in.captionWidth = 20;
  // No images, no list: centred, one pixel lower while pressed.
  EXPECT_EQ(LayOutToolButtonFace(in).captionBox, (Rect{23, 4, 56, 21}));
  in.pressed = true;
  EXPECT_EQ(LayOutToolButtonFace(in).captionBox, (Rect{23, 5, 56, 21}));
  // A drop-down button centres in its width less 14.
  in.dropDown = true;
  in.pressed = false;
  EXPECT_EQ(LayOutToolButtonFace(in).captionBox, (Rect{16, 4, 56, 21}));
  in.list = true;
  EXPECT_EQ(LayOutToolButtonFace(in).captionBox, (Rect{18, 3, 56, 21}));

  in = {};
  in.bounds = {0, 0, 49, 49};
  in.hasImages = true;
  in.image = {32, 32};
  in.showCaptions = true;
  in.captionWidth = 11;
  ToolButtonFaceLayout l = LayOutToolButtonFace(in);
  EXPECT_TRUE(l.drawImage);
  EXPECT_EQ(l.image, (Point{8, 3}));
  EXPECT_EQ(l.captionBox, (Rect{19, 36, 49, 49}));
  in.list = true;
  l = LayOutToolButtonFace(in);
  EXPECT_EQ(l.image, (Point{5, 3}));
  EXPECT_EQ(l.captionBox, (Rect{39, 4, 49, 49}));
  in.showCaptions = false;
  EXPECT_FALSE(LayOutToolButtonFace(in).drawCaption);
}

}  // namespace
}  // namespace kwo
