#pragma once
// Group boxes: a frame whose top line leaves room for the caption, in the
// colours of the look. The box passes its look on to its children, and
// enabling or disabling the box does the same to every child.
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoCustomGroupBox : public TkwoCustomPanel, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoCustomGroupBox(ui::Component *owner);
  ~TkwoCustomGroupBox() override;

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  void setUIStyle(TkwoUIStyle style) override;

  platform::TColor borderColor() const { return borderColor_; }
  void setBorderColor(platform::TColor color);

  // The box's own Enabled, then every child's Enabled the same. Qt tells
  // nothing of a change under a disabled parent, so the box passes it on
  // here as well as when the change shows.
  void setEnabled(bool value);

 protected:
  // The children first (the style and the file theme), then the border and
  // font colours of the look.
  virtual void applyTheme(TkwoUIStyle style);

  // Left 3, top font height + 5, right and bottom 3.
  void adjustClientRect(QRect &rect) const override;
  void paint(QPainter &painter) override;
  void fontChanged() override;
  void enabledChanged() override;

  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;

 private:
  void passEnabledOn(bool value);

  platform::TColor borderColor_ = 0;
  // The box's own Enabled (not the one its parents impose).
  bool ownEnabled_ = true;
};

class TkwoGroupBox : public TkwoCustomGroupBox {
  Q_OBJECT
 public:
  explicit TkwoGroupBox(ui::Component *owner);
};

}  // namespace kwo
