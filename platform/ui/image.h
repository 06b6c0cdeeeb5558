#pragma once
// A picture on a form: drawn at the top left, centred or stretched over the
// control; AutoSize takes the picture's size.
#include <QPixmap>

#include "platform/ui/control.h"

namespace ui {

class Image : public Control {
  Q_OBJECT
 public:
  explicit Image(Component *owner);

  const QPixmap &picture() const { return picture_; }
  void setPicture(const QPixmap &picture);
  bool stretch() const { return stretch_; }
  void setStretch(bool value);
  bool center() const { return center_; }
  void setCenter(bool value);
  bool transparent() const { return transparent_; }
  void setTransparent(bool value);
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool value);

 protected:
  void paint(QPainter &painter) override;

 private:
  void adjustSize();

  QPixmap picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool transparent_ = false;
  bool autoSize_ = false;
};

}  // namespace ui
