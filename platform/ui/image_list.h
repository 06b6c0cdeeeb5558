#pragma once
// A list of equal-sized pictures, drawn by index, plain or greyed.
#include <QPixmap>
#include <vector>

#include "platform/ui/component.h"

class QPainter;

namespace ui {

class ImageList : public NonVisualComponent {
  Q_OBJECT
 public:
  explicit ImageList(Component *owner);

  int width() const { return width_; }
  int height() const { return height_; }
  // Sets the picture size; the list is emptied.
  void setSize(int width, int height);
  int count() const { return static_cast<int>(images_.size()); }
  // Adds a picture, cut or padded to the list's size; returns its index.
  int add(const QPixmap &picture);
  void clear() { images_.clear(); }
  QPixmap image(int index) const;
  // Draws picture index at (x, y); a disabled one greyed. Bad indexes draw
  // nothing.
  void draw(QPainter &painter, int x, int y, int index, bool enabled = true) const;

 private:
  int width_ = 16;
  int height_ = 16;
  std::vector<QPixmap> images_;
};

}  // namespace ui
