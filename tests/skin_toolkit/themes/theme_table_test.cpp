// The theme table: reading each kind of item per look, naming and sizing the
// built-in pictures, the frame counts of the strips, the bitmaps loaded by
// name, and the lookup of a picture by its name.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "skin_toolkit/themes/theme_table.h"

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

constexpr S kLooks[] = {S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass};

TEST(ThemeTablePicturesTest, StripsHoldTheirFramesAndEveryLookCutsThemEvenly) {
  struct Case {
    int position;
    int frames;
  };
  const Case cases[] = {
      {tiButtonImage, 3},           {tiCheckBoxImage, 4},         {tiRadioButtonImage, 4},
      {tiTitleBarButtonImage, 18},  {tiTrackBarBarImage, 3},      {tiScrollBarSliderImage, 3},
      {tiScrollBarButtonImage, 6},  {tiScrollButtonImage, 4},     {tiTabControlTabImage, 2},
      {tiTitleBarLeftImage, 1},     {tiTitleBarClientImage, 1},   {tiTitleBarRightImage, 1},
      {tiProgressBarImage, 1},      {tiTrackBarSliderImage, 1},   {tiTrackBarSliderVImage, 1},
      {tiCheckListBoxImage, 1},     {tiTabControlBarImage, 1},    {tiSideChannelHandleImage, 1},
      {tiSideChannelBarImage, 1},
      // No picture at all.
      {tiFormBorderColor, 0},       {tiButtonTransparentBool, 0}, {tiFormMinWidthInt, 0},
      {0, 0},                       {kThemeItemCount + 1, 0},     {-5, 0},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(BuiltInImageFrameCount(c.position), c.frames) << c.position;
    if (c.frames == 0) continue;
    for (S look : kLooks) {
      const std::string name = BuiltInImageName(look, c.position);
      const std::optional<BitmapLayout> layout = BuiltInBitmapLayout(name);
      ASSERT_TRUE(layout.has_value()) << name;
      EXPECT_EQ(layout->size, BuiltInImageSize(look, c.position)) << name;
      EXPECT_EQ(layout->frames, c.frames) << name;
      EXPECT_FALSE(layout->mono) << name;
      EXPECT_EQ(layout->size.width % c.frames, 0) << name << " is not cut into equal frames";
    }
  }
}

TEST(ThemeTablePicturesTest, BitmapsLoadedByNameHaveTheirSizesAndFrames) {
  struct Case {
    const char *name;
    ImageSize size;
    int frames;
    bool mono;
  };
  const Case cases[] = {
      {"MACOS_MENU_BAR", {1, 22}, 1, false},        {"MACOS_MENU_SELECT", {1, 21}, 1, false},
      {"MENU_CHECKED", {16, 16}, 1, false},         {"PANEL_BUTTON", {52, 12}, 4, false},
      {"DBNAV_BUTTON", {160, 16}, 10, false},       {"MACOS_FORM_BACKGROUND", {8, 8}, 1, false},
      {"PROTEIN_FORM_BACKGROUND", {8, 8}, 1, false}, {"MDI_CONTROL_BUTTON", {48, 16}, 3, true},
      {"MACOS_COMBOBOX_BUTTON", {16, 17}, 1, false}, {"WINXP_COMBOBOX_BUTTON", {16, 18}, 1, false},
  };
  std::set<std::string> listed;
  for (int i = 0; i < kFixedBitmapCount; ++i) listed.insert(FixedBitmapName(i));
  EXPECT_EQ(listed.size(), std::size(cases));
  for (const Case &c : cases) {
    EXPECT_TRUE(listed.count(c.name)) << c.name;
    const std::optional<BitmapLayout> layout = BuiltInBitmapLayout(c.name);
    ASSERT_TRUE(layout.has_value()) << c.name;
    EXPECT_EQ(*layout, (BitmapLayout{c.size, c.frames, c.mono})) << c.name;
  }
  EXPECT_STREQ(FixedBitmapName(-1), "");
  EXPECT_STREQ(FixedBitmapName(kFixedBitmapCount), "");
  EXPECT_EQ(BuiltInBitmapLayout(kMainIconName), (BitmapLayout{{32, 32}, 1, false}));
}

TEST(ThemeTablePicturesTest, NamesLeadBackToTheirLookAndItem) {
  struct Case {
    const char *name;
    bool found;
    S look;
    int position;
  };
  const Case cases[] = {
      {"WINXP_TITLE_LEFT", true, S::WinXP, tiTitleBarLeftImage},
      {"BLUEGLASS_SIDECHENNEL_BAR", true, S::BlueGlass, tiSideChannelBarImage},
      {"MACOS_SCROLLBUTTON", true, S::MacOS, tiScrollButtonImage},
      // Shared by three looks; drawn in the first of them.
      {"MORE_SCROLLBUTTON", true, S::DeepBlue, tiScrollButtonImage},
      {"PROTEIN_SCROLLBUTTON", false, S::DeepBlue, 0},
      {"macos_button", false, S::DeepBlue, 0},
      {"MENU_CHECKED", false, S::DeepBlue, 0},
      {"", false, S::DeepBlue, 0},
  };
  for (const Case &c : cases) {
    S look = S::FromThemeFile;
    int position = -1;
    EXPECT_EQ(FindBuiltInImage(c.name, look, position), c.found) << c.name;
    if (!c.found) continue;
    EXPECT_EQ(look, c.look) << c.name;
    EXPECT_EQ(position, c.position) << c.name;
  }
  EXPECT_FALSE(BuiltInBitmapLayout("macos_button").has_value());
  EXPECT_FALSE(BuiltInBitmapLayout("PROTEIN_SCROLLBUTTON").has_value());
  EXPECT_FALSE(BuiltInBitmapLayout("").has_value());
}

TEST(ThemeTablePicturesTest, TheNameListHoldsEveryPictureOnce) {
  const std::vector<std::string> names = BuiltInBitmapNames();
  const std::set<std::string> distinct(names.begin(), names.end());
  EXPECT_EQ(distinct.size(), names.size());
  // 19 items in five looks, less the two looks that share the third's
  // scroll buttons; the fixed bitmaps; the icon.
  EXPECT_EQ(names.size(), 93u + kFixedBitmapCount + 1u);
  for (const std::string &name : names) EXPECT_TRUE(BuiltInBitmapLayout(name).has_value()) << name;
}

}  // namespace
}  // namespace kwo
