#pragma once
// The style protocol every skinned control follows: a control takes its
// first look from the skinned frame of its owner form, and containers pass
// their look on to their children.
#include "themes/theme_table.h"

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

// The look of the first skinned frame among the direct child controls of
// the owner form; DeepBlue without an owner, for an owner that is no form,
// and for a form without a skinned frame.
TkwoUIStyle GetOwnerFormUIStyle(const ui::Component *owner);

// Sets the look on every direct child control that takes one.
void ApplyThemeToChildren(ui::Control &parent, TkwoUIStyle style);

}  // namespace kwo
