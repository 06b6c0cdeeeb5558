#include "skin_toolkit/rules/menu_logic.h"

#include <algorithm>

namespace kwo {
namespace {

// A bar width below 0 would move the caption and the background out of the
// item to the left; it counts as no bar.
int barOf(const MenuLook &look) { return std::max(look.barWidth, 0); }

}  // namespace

void ApplyMenuStyle(MenuLook &look, TkwoUIStyle requested, const MenuColorLookup &colorOf) {
  look.barWidth = 26;
  if (requested == TkwoUIStyle::MacOS) {
    look.menuItemHeight = 20;
    look.separatorHeight = 12;
    look.separatorColor = 0x000000;
  } else {
    look.menuItemHeight = 21;
    look.separatorHeight = 5;
    look.separatorColor = 0x848284;
  }
  look.barColor = colorOf(tiMenuBarColor);
  look.color = colorOf(tiMenuBackgroundColor);
  look.fontColor = colorOf(tiMenuFontColor);
  look.selectedBorderColor = colorOf(tiMenuSelectedBorderColor);
  look.selectedColor = colorOf(tiMenuSelectedBackgroundColor);
  look.selectedFontColor = colorOf(tiMenuSelectedFontColor);
}

void ApplyMenuStyle(MenuLook &look, TkwoUIStyle requested) {
  const TkwoUIStyle builtIn = BuiltInLookOf(requested);
  ApplyMenuStyle(look, requested, [builtIn](int position) { return GetBuiltInThemeColor(builtIn, position); });
}

Size MeasureMenuItem(const MenuLook &look, bool separatorCaption, int captionWidth, int shortCutWidth) {
  return {captionWidth + shortCutWidth + barOf(look) + 40,
          separatorCaption ? look.separatorHeight : look.menuItemHeight};
}

MenuItemParts LayOutMenuItem(const MenuLook &look, const Rect &item) {
  const int l = item.left;
  const int t = item.top;
  const int bar = barOf(look);
  MenuItemParts parts;
  parts.bar = {l, t, l + bar, item.bottom};
  parts.background = {l + bar, t, item.right, item.bottom};
  // The line ends one pixel before R - 2.
  parts.separator = {l + bar + 4, t + 2, item.right - 2, t + 3};
  parts.caption = {l + bar + 4, t + 4, item.right, item.bottom};
  parts.imageFrame = {l + 2, t + 1, l + 21, t + 20};
  parts.imageBox = {l + 3, t + 2, l + 20, t + 19};
  parts.image = {l + 4, t + 3};
  return parts;
}

FlatMenuBorder PlanFlatMenuBorder(int width, int height) {
  FlatMenuBorder border;
  if (width <= 0 || height <= 0) return border;
  const int r = width;
  const int b = height;
  border.darkFrame = {0, 1, r - 1, b - 1};
  border.whiteFrame = {1, 2, r - 2, b - 2};
  // A pen from (0, B-1) to (R-1, B-1), up to (R-1, 0), then along the top
  // back to the left; each stretch leaves its last pixel out.
  border.lightLines = {Rect{0, b - 1, r - 1, b}, Rect{r - 1, 1, r, b}, Rect{1, 0, r, 1}};
  return border;
}

}  // namespace kwo
