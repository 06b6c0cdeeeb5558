#include "platform/ui/greyed_picture.h"

#include <QImage>

namespace ui {

QPixmap greyedPicture(const QPixmap &picture) {
  QImage grey = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < grey.height(); ++row) {
    auto *line = reinterpret_cast<QRgb *>(grey.scanLine(row));
    for (int col = 0; col < grey.width(); ++col) {
      const int g = qGray(line[col]) / 2 + 96;
      line[col] = qRgba(g, g, g, qAlpha(line[col]));
    }
  }
  return QPixmap::fromImage(grey);
}

}  // namespace ui
