#include "image_list.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

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
  if (enabled) {
    painter.drawPixmap(x, y, picture);
    return;
  }
  QImage grey = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < grey.height(); ++row) {
    auto *line = reinterpret_cast<QRgb *>(grey.scanLine(row));
    for (int col = 0; col < grey.width(); ++col) {
      const int g = qGray(line[col]) / 2 + 96;
      line[col] = qRgba(g, g, g, qAlpha(line[col]));
    }
  }
  painter.drawImage(x, y, grey);
}

}  // namespace ui
