#pragma once
// A flat tool bar whose hot, pressed and checked buttons are painted in the
// tool-bar colours of a look; every other button is drawn as on a plain tool
// bar.
#include "platform/ui/menu.h"  // tool_bar.h needs the complete menu item
#include "platform/ui/tool_bar.h"
#include "skin_toolkit/rules/tool_bar_logic.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoToolBar : public ui::ToolBar, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoToolBar(ui::Component *owner);

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // Takes the button colours from the look (the loaded skin file for
  // FromThemeFile) and makes the bar transparent exactly for a stored MacOS
  // or Protein. The file theme comes through ThemeClient: setting one
  // applies the style again, and its removal falls back to DeepBlue.
  void setUIStyle(TkwoUIStyle style) override;

  platform::TColor buttonColor() const { return buttonColor_; }
  void setButtonColor(platform::TColor value);
  platform::TColor buttonBorderColor() const { return buttonBorderColor_; }
  void setButtonBorderColor(platform::TColor value);
  platform::TColor buttonDownColor() const { return buttonDownColor_; }
  void setButtonDownColor(platform::TColor value);

  // The bar's custom-draw handlers (installed by the constructor).
  void paintToolButton(ui::ToolButton &button, QPainter &painter, const ui::ToolButtonState &state,
                       bool &defaultDraw);
  void paintToolBarBackground(QPainter &painter, const QRect &rect, bool &defaultDraw);

 private:
  void paintButtonFace(QPainter &painter, ui::ToolButton &button, bool dropDown, bool pressed);

  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  platform::TColor buttonColor_ = 0;
  platform::TColor buttonBorderColor_ = 0;
  platform::TColor buttonDownColor_ = 0;
};

}  // namespace kwo
