#pragma once
// The owner-drawn menus' values without any drawing: the look a style gives
// a menu, the size of an item, where the parts of an item go, and the flat
// border round a menu window.
#include <array>
#include <functional>

#include "platform/tcolor.h"
#include "skin_toolkit/rules/geometry.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

// What a skinned menu draws with; the values are those a new menu starts
// from before its style is applied.
struct MenuLook {
  int menuItemHeight = 21;
  int separatorHeight = 21;
  platform::TColor barColor = platform::clBtnFace;
  int barWidth = 0;
  platform::TColor color = 0xFFFFFF;
  platform::TColor separatorColor = 0x808080;
  platform::TColor selectedBorderColor = platform::clHighlight;
  platform::TColor selectedColor = platform::clHighlight;
  platform::TColor selectedFontColor = 0xFFFFFF;
  platform::TColor fontColor = 0xFFFFFF;
  platform::TColor borderColor = 0x000000;
  bool operator==(const MenuLook &) const = default;
};

// Reads the colour item at a theme position from the look in effect.
using MenuColorLookup = std::function<platform::TColor(int position)>;

// Applies a requested style: bar width 26; MacOS items 20 high, separators
// 12 and a black line, every other look 21, 5 and $848284; the colours of
// the menu items (bar, background, text, selection) through colorOf.
void ApplyMenuStyle(MenuLook &look, TkwoUIStyle requested, const MenuColorLookup &colorOf);
// The same with the colours of the built-in look.
void ApplyMenuStyle(MenuLook &look, TkwoUIStyle requested);

// The size of an item: a caption of exactly "-" is a separator; the width
// is the caption's and the shortcut text's widths + bar width + 40.
Size MeasureMenuItem(const MenuLook &look, bool separatorCaption, int captionWidth, int shortCutWidth);

// Where the parts of an item go inside its rectangle. Every Rect leaves its
// right and bottom edges out; an empty one is not drawn.
struct MenuItemParts {
  Rect bar;         // the bar at the left (empty without a bar width)
  Rect background;  // the rest of the row
  Rect separator;   // a separator's line, one pixel high
  Rect caption;     // the caption is written from its top-left corner
  Rect imageFrame;  // the black frame under a checked item's image
  Rect imageBox;    // filled with the selection colour inside that frame
  Point image;      // where the check mark or the item's image goes
};
MenuItemParts LayOutMenuItem(const MenuLook &look, const Rect &item);

// The left edge of an item's shortcut text.
constexpr int MenuShortCutLeft(const Rect &item, int shortCutWidth) { return item.right - shortCutWidth - 16; }

// The flat border painted over a menu window of width x height: a dark
// frame one row down from the top and one column in from the right, a white
// frame inside it, and the top row, right column and bottom row in the
// light colour.
struct FlatMenuBorder {
  Rect darkFrame;
  Rect whiteFrame;
  std::array<Rect, 3> lightLines;  // bottom row, right column, top row
};
FlatMenuBorder PlanFlatMenuBorder(int width, int height);

}  // namespace kwo
