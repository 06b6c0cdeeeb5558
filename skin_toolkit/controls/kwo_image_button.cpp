#include "skin_toolkit/controls/kwo_image_button.h"

#include <QPainter>
#include <algorithm>

namespace kwo {

TkwoImageButton::TkwoImageButton(ui::Component *owner) : TkwoCustomButton(owner) {
  setUIStyle(GetOwnerFormUIStyle(owner));
}

void TkwoImageButton::storePicture(QPixmap &slot, const QPixmap &picture) {
  slot = picture;
  autoSizeToPicture();
  rebuildPictures();
  update();
}

void TkwoImageButton::setPicNormal(const QPixmap &picture) { storePicture(picNormal_, picture); }
void TkwoImageButton::setPicMouseOn(const QPixmap &picture) { storePicture(picMouseOn_, picture); }
void TkwoImageButton::setPicMouseDown(const QPixmap &picture) { storePicture(picMouseDown_, picture); }
void TkwoImageButton::setPicDisabled(const QPixmap &picture) { storePicture(picDisabled_, picture); }

void TkwoImageButton::setStretch(bool value) {
  stretch_ = value;
  rebuildPictures();
  update();
}

void TkwoImageButton::setDrawFocused(bool value) {
  drawFocused_ = value;
  update();
}

const QPixmap &TkwoImageButton::pictureFor(ButtonPicture picture) const {
  const QPixmap *own = &picNormal_;
  switch (picture) {
    case ButtonPicture::MouseOn: own = &picMouseOn_; break;
    case ButtonPicture::MouseDown: own = &picMouseDown_; break;
    case ButtonPicture::Disabled: own = &picDisabled_; break;
    case ButtonPicture::Normal: break;
  }
  return own->isNull() ? picNormal_ : *own;
}

void TkwoImageButton::autoSizeToPicture() {
  if (!autoSize() || parentControl() == nullptr || picNormal_.isNull()) return;
  setBounds(left(), top(), picNormal_.width(), picNormal_.height());
}

void TkwoImageButton::rebuildPictures() {
  const QSize size(std::max(width(), 0), std::max(height(), 0));
  for (size_t i = 0; i < shown_.size(); ++i) {
    const QPixmap &chosen = pictureFor(static_cast<ButtonPicture>(i));
    QPixmap &shown = shown_[i];
    shown = chosen.isNull() ? QPixmap() : cornerMasked(chosen);
    if (stretch_ && !shown.isNull()) {
      shown = size.isEmpty() ? QPixmap() : shown.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
  }
}

void TkwoImageButton::drawPicture(QPainter &painter, ButtonPicture picture) {
  const QPixmap &shown = shown_[static_cast<size_t>(picture)];
  if (!shown.isNull()) painter.drawPixmap(0, 0, shown);
}

void TkwoImageButton::drawFocus(QPainter &painter) {
  if (drawFocused_) TkwoCustomButton::drawFocus(painter);
}

}  // namespace kwo
