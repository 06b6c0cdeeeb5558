#include "platform/ui/gdi_shapes.h"

#include <QPainter>
#include <QRect>
#include <optional>
#include <utility>

namespace ui {

namespace {

// The rectangle QPainter strokes so that a 1-pixel outline ends on the last
// pixel inside the exclusive bounds; nothing for an empty shape.
std::optional<QRect> strokeRect(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const long long w = static_cast<long long>(right) - left;
  const long long h = static_cast<long long>(bottom) - top;
  if (w <= 0 || h <= 0) return std::nullopt;
  return QRect(left, top, static_cast<int>(w - 1), static_cast<int>(h - 1));
}

// Draws a shape one pixel thin as its outline only; false for any other.
bool drawThin(QPainter &painter, const QRect &r) {
  if (r.width() > 0 && r.height() > 0) return false;
  painter.drawLine(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
  return true;
}

}  // namespace

void gdiRectangle(QPainter &painter, int left, int top, int right, int bottom) {
  const std::optional<QRect> r = strokeRect(left, top, right, bottom);
  if (r && !drawThin(painter, *r)) painter.drawRect(*r);
}

void gdiEllipse(QPainter &painter, int left, int top, int right, int bottom) {
  const std::optional<QRect> r = strokeRect(left, top, right, bottom);
  if (r && !drawThin(painter, *r)) painter.drawEllipse(*r);
}

void gdiRoundRect(QPainter &painter, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  const std::optional<QRect> r = strokeRect(left, top, right, bottom);
  if (r && !drawThin(painter, *r)) painter.drawRoundedRect(*r, cornerWidth / 2.0, cornerHeight / 2.0, Qt::AbsoluteSize);
}

}  // namespace ui
