#include "platform/ui/image_list.h"

#include <QPainter>
#include <algorithm>

#include "platform/ui/greyed_picture.h"

namespace ui {

ImageList::ImageList(Component *owner) : NonVisualComponent(owner) {}

void ImageList::setSize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  images_.clear();
}

int ImageList::add(const QPixmap &picture) {
  QPixmap sized(width_, height_);
  sized.fill(Qt::transparent);
  QPainter p(&sized);
  p.drawPixmap(0, 0, picture);
  p.end();
  images_.push_back(sized);
  return count() - 1;
}

QPixmap ImageList::image(int index) const {
  if (index < 0 || index >= count()) return QPixmap();
  return images_[static_cast<size_t>(index)];
}

void ImageList::draw(QPainter &painter, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= count()) return;
  const QPixmap &picture = images_[static_cast<size_t>(index)];
  painter.drawPixmap(x, y, enabled ? picture : greyedPicture(picture));
}

}  // namespace ui
