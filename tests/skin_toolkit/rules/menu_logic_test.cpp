// The menus' rules: the heights, bar and colours a style sets, measuring
// separators and items, where an owner-drawn menu item's parts go, the flat
// border round a menu window, and the colours a style takes from the look in
// effect.
#include <gtest/gtest.h>

#include <vector>

#include "skin_toolkit/rules/menu_logic.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

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

TEST(MenuItemLayout, PartsSitAtTheirOffsetsFromTheItem) {
  MenuLook look;
  ApplyMenuStyle(look, S::WinXP);  // bar 26
  const Rect item{10, 40, 210, 61};
  const MenuItemParts parts = LayOutMenuItem(look, item);
  EXPECT_EQ(parts.bar, (Rect{10, 40, 36, 61}));
  EXPECT_EQ(parts.background, (Rect{36, 40, 210, 61}));
  // From L + 30 to just before R - 2, on row T + 2.
  EXPECT_EQ(parts.separator, (Rect{40, 42, 208, 43}));
  EXPECT_EQ(parts.caption, (Rect{40, 44, 210, 61}));
  EXPECT_EQ(parts.imageFrame, (Rect{12, 41, 31, 60}));
  EXPECT_EQ(parts.imageBox, (Rect{13, 42, 30, 59}));
  EXPECT_EQ(parts.image, (Point{14, 43}));
  EXPECT_EQ(MenuShortCutLeft(item, 30), 210 - 30 - 16);

  // A bar width below 0 keeps the caption and background inside the item.
  look.barWidth = -20;
  const MenuItemParts noBar = LayOutMenuItem(look, item);
  EXPECT_TRUE(noBar.bar.empty());
  EXPECT_EQ(noBar.background, item);
  EXPECT_EQ(noBar.caption.left, 14);
  EXPECT_EQ(MeasureMenuItem(look, false, 50, 0).width, 90);
}

TEST(FlatMenuBorder, PiecesOfAWindow) {
  const FlatMenuBorder b = PlanFlatMenuBorder(100, 50);
  EXPECT_EQ(b.darkFrame, (Rect{0, 1, 99, 49}));
  EXPECT_EQ(b.whiteFrame, (Rect{1, 2, 98, 48}));
  EXPECT_EQ(b.lightLines[0], (Rect{0, 49, 99, 50}));  // bottom row
  EXPECT_EQ(b.lightLines[1], (Rect{99, 1, 100, 50}));  // right column
  EXPECT_EQ(b.lightLines[2], (Rect{1, 0, 100, 1}));  // top row, the corner pixel left out
}

TEST(FlatMenuBorder, NoPieceLeavesATinyWindow) {
  for (int w = -1; w <= 4; ++w) {
    for (int h = -1; h <= 4; ++h) {
      const FlatMenuBorder b = PlanFlatMenuBorder(w, h);
      std::vector<Rect> pieces{b.darkFrame, b.whiteFrame};
      pieces.insert(pieces.end(), b.lightLines.begin(), b.lightLines.end());
      for (const Rect &p : pieces) {
        if (p.empty()) continue;
        EXPECT_GE(p.left, 0) << w << "x" << h;
        EXPECT_GE(p.top, 0) << w << "x" << h;
        EXPECT_LE(p.right, w) << w << "x" << h;
        EXPECT_LE(p.bottom, h) << w << "x" << h;
      }
    }
  }
}

TEST(Menus, StyleTakesItsSixColoursFromTheLookInEffect) {
  // Each position answers its own number, so a swapped item shows.
  const MenuColorLookup byPosition = [](int position) { return static_cast<platform::TColor>(position * 1000); };
  for (const S requested : {S::MacOS, S::FromThemeFile}) {
    MenuLook look;
    ApplyMenuStyle(look, requested, byPosition);
    EXPECT_EQ(look.selectedBorderColor, 18000);
    EXPECT_EQ(look.selectedColor, 19000);
    EXPECT_EQ(look.selectedFontColor, 20000);
    EXPECT_EQ(look.color, 21000);
    EXPECT_EQ(look.fontColor, 22000);
    EXPECT_EQ(look.barColor, 23000);
    // Heights and the separator colour follow the requested style only.
    const bool mac = requested == S::MacOS;
    EXPECT_EQ(look.menuItemHeight, mac ? 20 : 21);
    EXPECT_EQ(look.separatorHeight, mac ? 12 : 5);
    EXPECT_EQ(look.separatorColor, mac ? 0 : 0x848284);
    EXPECT_EQ(look.borderColor, 0);  // stored only, never styled
  }
}

}  // namespace
}  // namespace kwo
