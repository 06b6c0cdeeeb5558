#pragma once
// TImageButton: the flat push button of the display program's views and
// dialogs. A rounded face with a drop shadow on a background colour; the
// face sinks onto its shadow while the left button is held. It takes no
// keyboard focus and no look from the toolkit's styles.
#include "platform/ui/control.h"

namespace kwo {

class TImageButton : public ui::Control {
  Q_OBJECT
 public:
  explicit TImageButton(ui::Component *owner);
  ~TImageButton() override;

  // The colour round the face.
  platform::TColor backColor() const { return backColor_; }
  void setBackColor(platform::TColor color);
  // The shadow under the face.
  platform::TColor shadowColor() const { return shadowColor_; }
  void setShadowColor(platform::TColor color);
  // 1 while the left button is held down on the button, else 0.
  int pressed() const { return pressed_; }

 protected:
  void paint(QPainter &painter) override;
  void enabledChanged() override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void hideEvent(QHideEvent *event) override;

 private:
  platform::TColor backColor_;
  platform::TColor shadowColor_;
  int pressed_ = 0;
};

}  // namespace kwo
