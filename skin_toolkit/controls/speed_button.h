#pragma once
// The small flat glyph button of the MDI frame's menu bar: its Color, the
// glyph at (1,1) and, while the mouse is over it, a black one-pixel frame.
#include <QPixmap>

#include "platform/ui/control.h"

namespace kwo {

class TkwoToolBarSpeedButton : public ui::Control {
  Q_OBJECT
 public:
  explicit TkwoToolBarSpeedButton(ui::Component *owner);

  const QPixmap &glyph() const { return glyph_; }
  // Copies the glyph; the next paint shows it.
  void setGlyph(const QPixmap &glyph);
  // The mouse was last seen over the button.
  bool hot() const { return hot_; }

 protected:
  void paint(QPainter &painter) override;
  void mouseEnter() override;
  void mouseLeave() override;
  void mouseMove(ui::ShiftState shift, int x, int y) override;
  void enabledChanged() override;
  void hideEvent(QHideEvent *event) override;

 private:
  void setHot(bool value);

  QPixmap glyph_;
  // The glyph masked by its bottom-left pixel.
  QPixmap shownGlyph_;
  bool hot_ = false;
};

}  // namespace kwo
