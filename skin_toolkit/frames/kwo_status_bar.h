#pragma once
// A status bar coloured from a look, with its own size grip on a sizeable
// form; while that form is maximised the bar takes no mouse input.
#include "platform/ui/status_bar.h"
#include "skin_toolkit/rules/status_bar_logic.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoStatusBar : public ui::StatusBar, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoStatusBar(ui::Component *owner);

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // Sets PanelColor to the look's form background (the loaded skin file's
  // for FromThemeFile). The file theme comes through ThemeClient.
  void setUIStyle(TkwoUIStyle style) override;

  // The bar's Color.
  platform::TColor panelColor() const { return color(); }
  void setPanelColor(platform::TColor value) { setColor(value); }

  // The grip as it is painted now.
  StatusGripPlan gripPlan() const;
  // True while the parent form is maximised: the bar takes no mouse input.
  bool mouseBlocked() const;

 protected:
  void paintOver(QPainter &painter) override;
  bool event(QEvent *event) override;

 private:
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
};

}  // namespace kwo
