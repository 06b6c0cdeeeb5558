#include "platform/ui/image.h"

#include <QPainter>

namespace ui {

Image::Image(Component *owner) : Control(owner) {
  setParentColor(true);
  setFocusPolicy(Qt::NoFocus);
  setBounds(0, 0, 105, 105);
}

void Image::setPicture(const QPixmap &picture) {
  picture_ = picture;
  adjustSize();
  update();
}

void Image::setStretch(bool value) {
  stretch_ = value;
  update();
}

void Image::setCenter(bool value) {
  center_ = value;
  update();
}

void Image::setTransparent(bool value) {
  transparent_ = value;
  update();
}

void Image::setAutoSize(bool value) {
  autoSize_ = value;
  adjustSize();
}

void Image::adjustSize() {
  if (autoSize_ && !picture_.isNull()) setBounds(left(), top(), picture_.width(), picture_.height());
}

void Image::paint(QPainter &painter) {
  // Like the framework's image, it paints only its picture: what lies
  // beside it is the parent's.
  if (picture_.isNull()) return;
  if (stretch_) {
    painter.drawPixmap(rect(), picture_);
  } else if (center_) {
    painter.drawPixmap((width() - picture_.width()) / 2, (height() - picture_.height()) / 2, picture_);
  } else {
    painter.drawPixmap(0, 0, picture_);
  }
}

}  // namespace ui
