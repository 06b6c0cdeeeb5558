#pragma once
// The style protocol every skinned control follows: a control takes its
// first look from the skinned frame of its owner form, and containers pass
// their look on to their children.
#include "skin_toolkit/themes/theme_table.h"

namespace ui {
class Component;
class Control;
}  // namespace ui

namespace kwo {

// Implemented by every toolkit component that takes a look. Each class
// applies the owner form's look through its own setter at the end of its
// most-derived constructor.
class Styled {
 public:
  virtual ~Styled() = default;
  virtual TkwoUIStyle uiStyle() const = 0;
  // Stores the look (also when unchanged) and applies it.
  virtual void setUIStyle(TkwoUIStyle style) = 0;
};

class TkwoFileTheme;

// The look a control draws with. Returns true when it reads a loaded skin
// file (effective stays FromThemeFile); else effective is the requested
// built-in style, or DeepBlue for FromThemeFile without a loaded file. A
// file theme given with a built-in style is ignored.
bool ResolveUIStyle(const TkwoFileTheme *fileTheme, TkwoUIStyle requested, TkwoUIStyle &effective);

// The built-in look a skin file imitates: N when value is N << 16 with N
// 1..5, else 0.
constexpr int BaseLookMarker(int32_t value) {
  return (value & 0xFFFF) == 0 && (value >> 16) >= 1 && (value >> 16) <= 5 ? value >> 16 : 0;
}

// The look of the first skinned frame among the direct child controls of
// the owner form; DeepBlue without an owner, for an owner that is no form,
// and for a form without a skinned frame.
TkwoUIStyle GetOwnerFormUIStyle(const ui::Component *owner);

// Gives every direct child control that takes both a file theme and a style
// the theme, then the style, through its own setters; a child that takes a
// style only is skipped.
void ApplyThemeToChildren(ui::Control &parent, TkwoUIStyle style, TkwoFileTheme *fileTheme = nullptr);

}  // namespace kwo
