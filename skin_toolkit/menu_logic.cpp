#include "menu_logic.h"

namespace kwo {

void ApplyMenuStyle(MenuLook &look, TkwoUIStyle requested) {
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
  const TkwoUIStyle l = BuiltInLookOf(requested);
  look.barColor = GetBuiltInThemeColor(l, tiMenuBarColor);
  look.color = GetBuiltInThemeColor(l, tiMenuBackgroundColor);
  look.fontColor = GetBuiltInThemeColor(l, tiMenuFontColor);
  look.selectedBorderColor = GetBuiltInThemeColor(l, tiMenuSelectedBorderColor);
  look.selectedColor = GetBuiltInThemeColor(l, tiMenuSelectedBackgroundColor);
  look.selectedFontColor = GetBuiltInThemeColor(l, tiMenuSelectedFontColor);
}

Size MeasureMenuItem(const MenuLook &look, bool separatorCaption, int captionWidth, int shortCutWidth) {
  return {captionWidth + shortCutWidth + look.barWidth + 40,
          separatorCaption ? look.separatorHeight : look.menuItemHeight};
}

}  // namespace kwo
