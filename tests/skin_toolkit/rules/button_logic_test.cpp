// The push button's rules without any window.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/button_logic.h"

namespace kwo {
namespace {

TEST(ButtonLogic, StateTable) {
  const struct {
    bool enabled, pressed, over;
    ButtonPicture picture;
    int frame;
  } cases[] = {
      {true, false, false, ButtonPicture::Normal, 1},   {true, false, true, ButtonPicture::MouseOn, 2},
      {true, true, false, ButtonPicture::MouseDown, 3}, {true, true, true, ButtonPicture::MouseDown, 3},
      {false, true, true, ButtonPicture::Disabled, 1},  {false, false, false, ButtonPicture::Disabled, 1},
  };
  for (const auto &c : cases) {
    const ButtonPicture p = PickButtonPicture(c.enabled, c.pressed, c.over);
    EXPECT_EQ(p, c.picture) << c.enabled << c.pressed << c.over;
    EXPECT_EQ(ButtonPictureFrame(p), c.frame);
  }
}

TEST(ButtonLogic, AutoSizeFromTheBuiltInButtonPicture) {
  EXPECT_EQ(ButtonAutoSize(TkwoUIStyle::FromThemeFile), (Size{24, 21}));
  EXPECT_EQ(ButtonAutoSize(TkwoUIStyle::MacOS), (Size{84, 23}));
  EXPECT_EQ(ButtonAutoSize(TkwoUIStyle::BlueGlass), (Size{77, 27}));
  EXPECT_EQ(ButtonAutoSize(TkwoUIStyle::WinXP), (Size{18, 21}));
  EXPECT_EQ(ButtonAutoSize(TkwoUIStyle::DeepBlue), (Size{74, 21}));
}

TEST(ButtonLogic, GlyphAndCaptionLayouts) {
  // A 49 x 49 button, caption 30 x 13, glyph 32 x 32, spacing 4.
  const struct {
    ButtonLayout layout;
    Point glyph, caption;
  } cases[] = {
      {ButtonLayout::blGlyphLeft, {(49 - 32 - 30 - 4) / 2, 8}, {(49 - 32 - 30 - 4) / 2 + 36, 18}},
      {ButtonLayout::blGlyphRight, {(49 + 30 + 4 - 32) / 2, 8}, {(49 + 30 + 4 - 32) / 2 - 34, 18}},
      {ButtonLayout::blGlyphTop, {8, 0}, {9, 36}},
      {ButtonLayout::blGlyphBottom, {8, 17}, {9, 0}},
  };
  for (const auto &c : cases) {
    const GlyphPlacement p = PlaceGlyphAndCaption(c.layout, 49, 49, 30, 13, 32, 32, 4, false);
    EXPECT_EQ(p.glyph, c.glyph) << static_cast<int>(c.layout);
    EXPECT_EQ(p.caption, c.caption) << static_cast<int>(c.layout);
    EXPECT_FALSE(p.twoFrames);
  }
  // Left of centre: divisions truncate toward zero, not down.
  EXPECT_EQ(PlaceGlyphAndCaption(ButtonLayout::blGlyphLeft, 20, 10, 30, 13, 16, 16, 4, false).glyph,
            (Point{-15, -3}));
}

TEST(ButtonLogic, TwoFrameGlyphAndPressedShift) {
  const GlyphPlacement p = PlaceGlyphAndCaption(ButtonLayout::blGlyphTop, 80, 27, 0, 13, 32, 16, 4, false);
  EXPECT_TRUE(p.twoFrames);
  EXPECT_EQ(p.glyphSize, (Size{16, 16}));
  EXPECT_EQ(p.glyph.x, 32);
  const GlyphPlacement q = PlaceGlyphAndCaption(ButtonLayout::blGlyphTop, 80, 27, 0, 13, 32, 16, 4, true);
  EXPECT_EQ(q.glyph, (Point{p.glyph.x + 1, p.glyph.y + 1}));
  EXPECT_EQ(q.caption, p.caption);
  EXPECT_FALSE(PlaceGlyphAndCaption(ButtonLayout::blGlyphTop, 80, 27, 0, 13, 0, 0, 4, false).twoFrames);
}

TEST(ButtonLogic, Accelerators) {
  EXPECT_EQ(CaptionAccelerator(u"&Load"), u'l');
  EXPECT_EQ(CaptionAccelerator(u"Sa&ve"), u'v');
  EXPECT_EQ(CaptionAccelerator(u"Fish && &Chips"), u'c');
  EXPECT_EQ(CaptionAccelerator(u"A && B"), 0);
  EXPECT_EQ(CaptionAccelerator(u"Trailing&"), 0);
  EXPECT_EQ(CaptionAccelerator(u"保存(&S)"), u's');
  EXPECT_EQ(CaptionAccelerator(u""), 0);
}

}  // namespace
}  // namespace kwo
