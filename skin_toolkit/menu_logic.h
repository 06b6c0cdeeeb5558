#pragma once
// The owner-drawn menus' values without any drawing: the look a style gives
// a menu and the size of an item.
#include "geometry.h"
#include "tcolor.h"
#include "themes/theme_table.h"

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

// Applies a requested style: bar width 26; MacOS items 20 high, separators
// 12 and a black line, every other look 21, 5 and $848284; the colours from
// the built-in look.
void ApplyMenuStyle(MenuLook &look, TkwoUIStyle requested);

// The size of an item: a caption of exactly "-" is a separator; the width
// is the caption's and the shortcut text's widths + bar width + 40.
Size MeasureMenuItem(const MenuLook &look, bool separatorCaption, int captionWidth, int shortCutWidth);

}  // namespace kwo
