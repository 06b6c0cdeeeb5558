// The title bar's rules without a window: its height and button sizes per
// look and from a skin's pictures, the button row and the caption's place,
// the frames each button shows, cutting a caption (with dots, and whole code
// points outside the BMP), the layout at the limits of its inputs and the
// form's minimum width.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "skin_toolkit/rules/frame_logic.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

TEST(TitleBar, HeightFollowsTheLeftPictureLessTheRingInAFrame) {
  const struct {
    S style;
    int inFrame;
    int alone;
  } cases[] = {{S::MacOS, 20, 23},    {S::WinXP, 26, 29},     {S::DeepBlue, 29, 32},
               {S::Protein, 20, 23},  {S::BlueGlass, 30, 33}, {S::FromThemeFile, 29, 32}};
  for (const auto &c : cases) {
    EXPECT_EQ(TitleBarHeightFor(c.style, true), c.inFrame) << static_cast<int>(c.style);
    EXPECT_EQ(TitleBarHeightFor(c.style, false), c.alone) << static_cast<int>(c.style);
  }
  EXPECT_EQ(TitleButtonSize(S::MacOS), (Size{17, 17}));
  EXPECT_EQ(TitleButtonSize(S::WinXP), (Size{21, 21}));
}

TitleBarLayoutInput defaultButtons(int barWidth, int right, int left, int size) {
  TitleBarLayoutInput in;
  in.barWidth = barWidth;
  in.rightOffset = right;
  in.leftOffset = left;
  in.buttonTop = 1;
  for (TkwoTitleBarBtnType t : {TkwoTitleBarBtnType::kwoControlBox, TkwoTitleBarBtnType::kwoClose,
                                TkwoTitleBarBtnType::kwoMax, TkwoTitleBarBtnType::kwoMin}) {
    in.buttons.push_back({t, true, size, size});
  }
  return in;
}

TEST(TitleBar, ButtonsRunRightToLeftOnePixelApart) {
  // MacOS: 17 x 17 buttons, row shifted 2 left, control box at 3.
  const TitleBarLayout l = LayOutTitleBar(defaultButtons(200, -2, 3, 17));
  EXPECT_EQ(l.buttons[1], (Rect{181, 1, 198, 18}));  // close, rightmost: 200 - 2 + 1 - 18
  EXPECT_EQ(l.buttons[2], (Rect{163, 1, 180, 18}));  // maximise
  EXPECT_EQ(l.buttons[3], (Rect{145, 1, 162, 18}));  // minimise
  EXPECT_EQ(l.buttons[0], (Rect{3, 1, 20, 18}));     // control box
  EXPECT_EQ(l.controlBox, 0);
  EXPECT_EQ(l.captionLeft, 3 + 17 + 5);
  EXPECT_EQ(l.captionRight, 145);

  // Edges are inclusive; a point between two buttons hits neither.
  EXPECT_EQ(HitTitleButton(l, {181, 1}), 1);
  EXPECT_EQ(HitTitleButton(l, {198, 18}), 1);
  EXPECT_EQ(HitTitleButton(l, {180, 10}), 2);
  EXPECT_EQ(HitTitleButton(l, {100, 10}), -1);
  EXPECT_EQ(HitTitleButton(l, {10, 10}), 0);
}

TEST(TitleBar, HiddenButtonsTakeNoPlaceAndCaptionStartsAtSixWithoutControlBox) {
  TitleBarLayoutInput in = defaultButtons(100, 0, 0, 19);
  in.buttons[0].visible = false;  // no control box
  in.buttons[2].visible = false;  // no maximise
  in.interval = 2;
  const TitleBarLayout l = LayOutTitleBar(in);
  EXPECT_TRUE(l.buttons[0].empty());
  EXPECT_TRUE(l.buttons[2].empty());
  EXPECT_EQ(l.buttons[1].left, 101 - 22);
  EXPECT_EQ(l.buttons[3].left, 101 - 22 - 22);
  EXPECT_EQ(l.controlBox, -1);
  EXPECT_EQ(l.captionLeft, 6);

  in.buttons[0].visible = true;
  in.drawAppIcon = true;
  EXPECT_EQ(LayOutTitleBar(in).captionLeft, 21);
}

TEST(TitleBar, LongCaptionsAreCutWithDots) {
  const auto width = [](std::u16string_view s) { return static_cast<int>(s.size()) * 10; };
  EXPECT_EQ(FitCaption(u"Morvit", 60, width), u"Morvit");
  EXPECT_EQ(FitCaption(u"Morvit", 59, width), u"Mo...");
  EXPECT_EQ(FitCaption(u"Morvit", 30, width), u"...");
  EXPECT_EQ(FitCaption(u"Morvit", 29, width), u"");
  EXPECT_EQ(FitCaption(u"", -5, width), u"");
}

using B = TkwoTitleBarBtnType;

TEST(TitleBarSizes, ComeFromThePicturesAndNeverGoBelowZero) {
  const struct {
    ImageSize picture;
    bool inFrame;
    int height;
  } heights[] = {
      {{40, 23}, true, 20}, {{40, 23}, false, 23}, {{40, 36}, true, 33},
      // A skin without the left picture, or with one lower than the ring.
      {{0, 0}, true, 0},    {{0, 0}, false, 0},    {{5, 2}, true, 0},
  };
  for (const auto &c : heights) {
    EXPECT_EQ(TitleBarHeightFor(c.picture, c.inFrame), c.height)
        << c.picture.width << "x" << c.picture.height << " in frame " << c.inFrame;
  }

  const struct {
    ImageSize strip;
    Size button;
  } buttons[] = {
      {{306, 17}, {17, 17}},  // the built-in 17-pixel strip
      {{450, 24}, {25, 24}},  // a skin's larger buttons
      {{451, 24}, {25, 24}},  // spare columns are dropped
      {{17, 17}, {0, 0}},     // narrower than 18 frames
      {{0, 0}, {0, 0}},       // no picture
      {{306, 0}, {0, 0}},
  };
  for (const auto &c : buttons) {
    EXPECT_EQ(TitleButtonSize(c.strip), c.button) << c.strip.width << "x" << c.strip.height;
  }
  // The built-in looks answer through the same rule.
  EXPECT_EQ(TitleBarHeightFor(TkwoUIStyle::MacOS, true),
            TitleBarHeightFor(BuiltInImageSize(TkwoUIStyle::MacOS, tiTitleBarLeftImage), true));
  EXPECT_EQ(TitleButtonSize(TkwoUIStyle::WinXP),
            TitleButtonSize(BuiltInImageSize(TkwoUIStyle::WinXP, tiTitleBarButtonImage)));
}

TEST(TitleBarFrames, EachButtonShowsItsThreeFramesOfEighteen) {
  const struct {
    B type;
    bool maximized;
    int first;
  } cases[] = {
      {B::kwoControlBox, false, 1}, {B::kwoHelp, false, 4},  {B::kwoMax, false, 7}, {B::kwoMax, true, 10},
      {B::kwoMin, false, 13},       {B::kwoMin, true, 13},   {B::kwoClose, true, 16},
      {B::kwoCustom, false, 0},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(TitleButtonFirstFrame(c.type, c.maximized), c.first) << static_cast<int>(c.type) << c.maximized;
  }
}

bool hasLoneSurrogate(const std::u16string &s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return true;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

TEST(TitleBarCaption, CutDropsWholeCodePoints) {
  // Ten pixels a UTF-16 unit, so a pair is twice as wide as a letter and
  // a naive cut could stop between its halves.
  const auto width = [](std::u16string_view s) { return static_cast<int>(s.size()) * 10; };
  const std::u16string face = u"\U0001F600";  // one code point, two units
  const std::u16string caption = u"ab" + face + u"cdef";
  const struct {
    int width;
    std::u16string fitted;
  } cases[] = {
      {80, caption},              // fits whole
      {79, u"ab" + face + u"..."},  // 70: the pair kept whole
      {69, u"ab..."},             // 60 would be "ab" + half the pair
      {65, u"ab..."},
      {50, u"ab..."},
      {40, u"a..."},
      {30, u"..."},
      {29, u""},  // not even "..." fits: no caption
  };
  for (const auto &c : cases) {
    const std::u16string got = FitCaption(caption, c.width, width);
    EXPECT_EQ(got, c.fitted) << "width " << c.width;
    EXPECT_FALSE(hasLoneSurrogate(got)) << "width " << c.width;
  }
  // A caption of pairs only: 60 would keep one and a half.
  EXPECT_EQ(FitCaption(face + face + face + face, 69, width), face + u"...");
}

constexpr int kLow = std::numeric_limits<int>::min();
constexpr int kHigh = std::numeric_limits<int>::max();

TitleBarLayoutInput rowOf(int buttons, int size) {
  TitleBarLayoutInput in;
  in.barWidth = 449;
  in.buttons.push_back({B::kwoControlBox, true, size, size});
  for (int i = 1; i < buttons; ++i) in.buttons.push_back({B::kwoCustom, true, size, size});
  return in;
}

TEST(TitleBarLayoutLimits, OffsetsAndSizesAreHeldToThePixelRange) {
  // A skin's extremes: the row pushed left and the control box right as far
  // as they go, the buttons above the bar.
  TitleBarLayoutInput in = rowOf(4, 21);
  in.leftOffset = kHigh;
  in.rightOffset = kLow;
  in.buttonTop = kLow;
  TitleBarLayout l = LayOutTitleBar(in);
  EXPECT_EQ(l.buttons[0], (Rect{kPixelLimit, -kPixelLimit, kPixelLimit + 21, -kPixelLimit + 21}));
  EXPECT_EQ(l.buttons[1], (Rect{449 - kPixelLimit + 1 - 22, -kPixelLimit, 449 - kPixelLimit + 1 - 1, -kPixelLimit + 21}));
  EXPECT_EQ(l.captionLeft, kPixelLimit + 21 + 5);
  EXPECT_EQ(l.captionRight, l.buttons[3].left);
  EXPECT_EQ(HitTitleButton(l, {kPixelLimit, -kPixelLimit}), 0);

  // The other way round, on the widest bar, with buttons wider than any
  // widget.
  in.barWidth = kHigh;
  in.leftOffset = kLow;
  in.rightOffset = kHigh;
  in.buttonTop = kHigh;
  for (TitleButtonInfo &b : in.buttons) b.width = b.height = kHigh;
  l = LayOutTitleBar(in);
  EXPECT_EQ(l.buttons[0], (Rect{-kPixelLimit, kPixelLimit, 0, 2 * kPixelLimit}));
  EXPECT_EQ(l.buttons[1].left, 2 * kPixelLimit + 1 - (kPixelLimit + 1));
  EXPECT_EQ(l.buttons[1].width(), kPixelLimit);
  EXPECT_EQ(l.captionLeft, 5);
}

TEST(TitleBarLayoutLimits, ALongRowStopsFarOffTheBarEitherWay) {
  // A thousand buttons with the widest interval either way (a negative one
  // moves the row right): the row runs off the bar and stops there, each
  // button keeping its size.
  const struct {
    int interval;
    int size;
    int lastLeft;
  } cases[] = {{kHigh, kPixelLimit, -4 * kPixelLimit}, {kLow, 1, 4 * kPixelLimit}};
  for (const auto &c : cases) {
    TitleBarLayoutInput in = rowOf(1000, c.size);
    in.interval = c.interval;
    const TitleBarLayout l = LayOutTitleBar(in);
    for (size_t i = 1; i < l.buttons.size(); ++i) ASSERT_EQ(l.buttons[i].width(), c.size) << i;
    EXPECT_EQ(l.buttons.back().left, c.lastLeft) << c.interval;
    EXPECT_EQ(l.captionRight, c.lastLeft) << c.interval;
  }
}

TEST(FormMinWidth, NeverBelowZeroNorWiderThanTheWorkArea) {
  const struct {
    int value;
    int workArea;
    int minWidth;
  } cases[] = {
      {130, 1024, 130},   {1024, 1024, 1024}, {1025, 1024, 1024}, {kHigh, 1024, 1024},
      {-1, 1024, 0},      {kLow, 1024, 0},
      // Without a work area only the pixel range holds it.
      {kHigh, 0, kPixelLimit}, {270, 0, 270},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(FormMinWidthFor(c.value, c.workArea), c.minWidth) << c.value << " in " << c.workArea;
  }
}

}  // namespace
}  // namespace kwo
