#pragma once
// What the toolkit's push buttons and check boxes share: the look, TabStop,
// Transparent (the control's Color is left unpainted), a repaint whenever
// the focus comes or goes, the dotted focus rectangle and the caption's
// accelerator. A double click counts as two clicks unless a control says
// otherwise.
#include <QRect>

#include "platform/ui/control.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoFocusControl : public ui::Control, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoFocusControl(ui::Component *owner);

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // A container's look in one update: the file theme, then the style.
  void setLook(TkwoUIStyle style, TkwoFileTheme *fileTheme);

  bool transparent() const { return transparent_; }
  void setTransparent(bool value);
  bool tabStop() const { return tabStop_; }
  void setTabStop(bool value);

 protected:
  // Transparent changed; the default repaints.
  virtual void transparentChanged() { update(); }

  // True while the control has the focus and takes it from the Tab key.
  bool showsFocus() const { return tabStop_ && hasFocus(); }
  // The control's Color over the whole control, unless it is transparent.
  void paintBackground(QPainter &painter);
  // A dotted one-pixel rectangle in the font's colour whose outermost
  // pixels are those of outline; an empty outline draws nothing.
  void drawFocusRect(QPainter &painter, const QRect &outline) const;
  // True for the accelerator of the caption (either case) of an enabled
  // control.
  bool isAccelerator(QChar character) const;

  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;

 private:
  bool transparent_ = false;
  bool tabStop_ = true;
};

}  // namespace kwo
