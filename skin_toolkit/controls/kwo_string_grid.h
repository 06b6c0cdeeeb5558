#pragma once
// TkwoStringGrid: the string grid with flat cells coloured from a look and a
// one-pixel frame around the whole control. Fixed cells take the look's
// selected-menu colours, the others its control background; the selected
// cell is SelectedColor and the focused one FocusedColor (focused wins).
// A subclass that overrides drawCell replaces all of this cell drawing.
#include "platform/ui/string_grid.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoStringGrid : public ui::StringGrid, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoStringGrid(ui::Component *owner);

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // Takes the border, fixed, background, fixed text and text colours from
  // the look; white text becomes black.
  void setUIStyle(TkwoUIStyle style) override;

  platform::TColor bgColor() const { return color(); }
  void setBGColor(platform::TColor value) { setColor(value); }
  platform::TColor fixedBGColor() const { return fixedColor(); }
  void setFixedBGColor(platform::TColor value) { setFixedColor(value); }
  platform::TColor borderColor() const { return borderColor_; }
  void setBorderColor(platform::TColor value);
  platform::TColor focusedColor() const { return focusedColor_; }
  void setFocusedColor(platform::TColor value);
  platform::TColor selectedColor() const { return selectedColor_; }
  void setSelectedColor(platform::TColor value);
  platform::TColor fixedFontColor() const { return fixedFontColor_; }
  void setFixedFontColor(platform::TColor value);
  platform::TColor fontColor() const { return controlFont().color; }
  void setFontColor(platform::TColor value);
  // The grid never draws raised or sunk edges.
  bool ctl3D() const { return false; }

 protected:
  void drawCell(QPainter &painter, int col, int row, const QRect &rect, const ui::GridDrawState &state) override;
  void paint(QPainter &painter) override;

 private:
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  platform::TColor borderColor_ = platform::clBlack;
  platform::TColor focusedColor_ = 0x00FF00;
  platform::TColor selectedColor_ = 0x00FFFF;
  platform::TColor fixedFontColor_ = platform::clBlack;
};

}  // namespace kwo
