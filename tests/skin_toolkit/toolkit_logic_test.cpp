// The toolkit's rules without any window: the built-in looks, the ring of a
// skinned form, the title bar's geometry, the menus' sizes, the tool bar's
// and status bar's painting rules.
#include <gtest/gtest.h>

#include <string>

#include "rules/frame_logic.h"
#include "rules/menu_logic.h"
#include "rules/status_bar_logic.h"
#include "rules/tool_bar_logic.h"
#include "themes/theme_table.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

TEST(ThemeTable, ReadsEachKindAndRefusesMismatchesAndBadStyles) {
  EXPECT_EQ(GetBuiltInThemeInt(S::MacOS, tiTitleBarButtonRightOffsetInt), -2);
  EXPECT_EQ(GetBuiltInThemeInt(S::BlueGlass, tiFormMinWidthInt), 270);
  EXPECT_EQ(GetBuiltInThemeInt(S::MacOS, tiButtonImage), -1);  // an image is no integer
  EXPECT_EQ(GetBuiltInThemeColor(S::MacOS, tiFormBorderColor), platform::RGB(127, 127, 127));
  EXPECT_EQ(GetBuiltInThemeColor(S::WinXP, tiFormBorderWidthInt), 0);  // an integer is no colour
  EXPECT_EQ(GetBuiltInThemeColor(S::MacOS, tiMenuBarColor), 0);       // black, not missing
  EXPECT_TRUE(GetBuiltInThemeBool(S::BlueGlass, tiButtonTransparentBool));
  EXPECT_FALSE(GetBuiltInThemeBool(S::DeepBlue, tiButtonTransparentBool));
  EXPECT_FALSE(GetBuiltInThemeBool(S::MacOS, tiFormBorderWidthInt));

  ThemeItemKind kind = ThemeItemKind::Color;
  EXPECT_EQ(LookupBuiltInThemeItem(S::FromThemeFile, tiFormBorderWidthInt, kind), -1);
  EXPECT_EQ(kind, ThemeItemKind::Integer);
  EXPECT_EQ(LookupBuiltInThemeItem(static_cast<S>(9), tiFormBorderWidthInt, kind), -1);
  EXPECT_EQ(GetBuiltInThemeInt(S::WinXP, 0), -1);
  EXPECT_EQ(GetBuiltInThemeInt(S::WinXP, 43), -1);
  EXPECT_STREQ(ThemeItemName(42), "SideChannelBarImage");
  EXPECT_STREQ(ThemeItemName(43), "");
}

TEST(ThemeTable, NamesAndSizesTheBuiltInPictures) {
  EXPECT_EQ(BuiltInImageName(S::Protein, tiScrollButtonImage), "MORE_SCROLLBUTTON");
  EXPECT_EQ(BuiltInImageName(S::MacOS, tiScrollButtonImage), "MACOS_SCROLLBUTTON");
  EXPECT_EQ(BuiltInImageName(S::WinXP, tiTitleBarLeftImage), "WINXP_TITLE_LEFT");
  EXPECT_EQ(BuiltInImageName(S::FromThemeFile, tiButtonImage), "");
  EXPECT_EQ(BuiltInImageSize(S::BlueGlass, tiButtonImage), (ImageSize{231, 27}));
  EXPECT_EQ(BuiltInImageSize(S::FromThemeFile, tiButtonImage), (ImageSize{0, 0}));
  EXPECT_EQ(BuiltInImageSize(S::MacOS, tiFormBorderColor), (ImageSize{0, 0}));
  EXPECT_EQ(BuiltInLookOf(S::FromThemeFile), S::DeepBlue);
  EXPECT_EQ(BuiltInLookOf(S::WinXP), S::WinXP);
}

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

TEST(Menus, StyleSetsHeightsBarAndColours) {
  MenuLook look;
  EXPECT_EQ(look.menuItemHeight, 21);
  EXPECT_EQ(look.separatorHeight, 21);
  EXPECT_EQ(look.barWidth, 0);
  EXPECT_EQ(look.fontColor, 0xFFFFFF);

  ApplyMenuStyle(look, S::MacOS);
  EXPECT_EQ(look.barWidth, 26);
  EXPECT_EQ(look.menuItemHeight, 20);
  EXPECT_EQ(look.separatorHeight, 12);
  EXPECT_EQ(look.separatorColor, 0x000000);
  EXPECT_EQ(look.color, 0);  // black in the MacOS look
  EXPECT_EQ(look.selectedColor, platform::RGB(57, 115, 196));

  ApplyMenuStyle(look, S::FromThemeFile);  // draws as DeepBlue
  EXPECT_EQ(look.menuItemHeight, 21);
  EXPECT_EQ(look.separatorHeight, 5);
  EXPECT_EQ(look.separatorColor, 0x848284);
  EXPECT_EQ(look.barColor, platform::RGB(214, 211, 206));
  EXPECT_EQ(look.selectedColor, platform::RGB(68, 74, 160));
  EXPECT_EQ(look.fontColor, 0);
}

TEST(Menus, MeasureSeparatorsAndItems) {
  MenuLook look;
  ApplyMenuStyle(look, S::WinXP);
  EXPECT_EQ(MeasureMenuItem(look, true, 5, 0), (Size{5 + 26 + 40, 5}));
  EXPECT_EQ(MeasureMenuItem(look, false, 50, 30), (Size{50 + 30 + 26 + 40, 21}));
}

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

TEST(StatusBar, GripRows) {
  // A fixed border: the plain status bar, nothing of its own.
  EXPECT_EQ(PlanStatusGrip(300, 19, false, true, false), StatusGripPlan{});
  // Sizeable, normal: box and four lines; 19 high gets no strip above the box.
  StatusGripPlan p = PlanStatusGrip(300, 19, true, true, false);
  EXPECT_EQ(p.fills, (std::vector<Rect>{{284, 3, 299, 18}}));
  ASSERT_EQ(p.lines.size(), 4u);
  EXPECT_EQ(p.lines[0], (std::pair<Point, Point>{{285, 18}, {299, 4}}));
  EXPECT_EQ(p.lines[3], (std::pair<Point, Point>{{297, 18}, {299, 16}}));
  // Maximised: the box is filled plain.
  p = PlanStatusGrip(300, 19, true, true, true);
  EXPECT_EQ(p.fills.size(), 1u);
  EXPECT_TRUE(p.lines.empty());
  // Grip off: no lines either.
  EXPECT_TRUE(PlanStatusGrip(300, 19, true, false, false).lines.empty());
  // Higher than 19: the strip above the box too.
  p = PlanStatusGrip(300, 24, true, true, false);
  EXPECT_EQ(p.fills, (std::vector<Rect>{{284, 8, 299, 23}, {284, 3, 299, 8}}));
}

}  // namespace
}  // namespace kwo
