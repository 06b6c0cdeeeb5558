#include "drawing.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMetaProperty>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include "color.h"
#include "component.h"
#include "form.h"
#include "themes/theme_client.h"
#include "work_area.h"

namespace kwo {

void DrawParentBackground(QPainter &painter, const QWidget &control) {
  QWidget *parent = control.parentWidget();
  if (parent == nullptr) return;
  if (painter.device() == &control) return;
  painter.save();
  painter.translate(-control.x(), -control.y());
  painter.setClipRect(QRect(0, 0, parent->width(), parent->height()), Qt::IntersectClip);
  parent->render(&painter, QPoint(0, 0), QRegion(), QWidget::DrawWindowBackground);
  painter.restore();
}

void TileDraw(QPainter &painter, const QImage &picture, const QRect &rect) {
  const int w = picture.width();
  const int h = picture.height();
  if (w <= 0 || h <= 0) return;
  for (int x = 0; x < rect.width() + w; x += w) {
    for (int y = 0; y < rect.height() + h; y += h) painter.drawImage(x, y, picture);
  }
}

bool IsPointInRect(int x, int y, const Rect &rect) {
  return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

bool IsPointInRect(Point point, const Rect &rect) { return IsPointInRect(point.x, point.y, rect); }

QRect GetWorkAreaRect(const QWidget *form) { return ui::workAreaOf(form); }

QImage ExtractBitmapFrame(const QImage &source, int frameCount, int frameIndex) {
  if (frameCount <= 0 || frameIndex < 1 || frameIndex > frameCount) return {};
  const int w = source.width() / frameCount;
  if (w <= 0) return {};
  return source.copy((frameIndex - 1) * w, 0, w, source.height());
}

QImage KeyedImage(const QImage &picture, QRgb key) {
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((line[x] | 0xFF000000u) == (key | 0xFF000000u)) line[x] = 0;
    }
  }
  return out;
}

void DrawThreePartStretch(QPainter &painter, const QImage &picture, const QRect &rect, bool transparent) {
  const int w = picture.width() / 3;
  if (w <= 0 || picture.height() <= 0) return;
  const QRgb key = transparent ? picture.pixel(0, 0) : kKeyColor;
  const QImage keyed = KeyedImage(picture, key);
  painter.drawImage(rect.left(), rect.top(), keyed, 0, 0, w, picture.height());
  const int right = rect.left() + rect.width();
  painter.drawImage(right - w, rect.top(), keyed, 2 * w, 0, w, picture.height());
  const QRect middle(rect.left() + w, rect.top(), rect.width() - 2 * w, rect.height());
  if (middle.width() > 0 && middle.height() > 0) {
    painter.drawImage(middle, keyed, QRect(w, 0, w, picture.height()));
  }
}

QImage RotateBitmapLeft(const QImage &picture) {
  const int w = picture.width();
  const int h = picture.height();
  QImage out(h, w, picture.format() == QImage::Format_Invalid ? QImage::Format_RGB32 : picture.format());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) out.setPixel(y, w - 1 - x, picture.pixel(x, y));
  }
  return out;
}

QImage RotateBitmapRight(const QImage &picture) {
  const int w = picture.width();
  const int h = picture.height();
  QImage out(h, w, picture.format() == QImage::Format_Invalid ? QImage::Format_RGB32 : picture.format());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) out.setPixel(h - 1 - y, x, picture.pixel(x, y));
  }
  return out;
}

void DrawWindowBorder(QPainter &painter, const QRect &controlRect, platform::TColor color,
                      platform::TColor innerColor, bool inner) {
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(ui::toQColor(color));
  painter.drawRect(controlRect.adjusted(0, 0, -1, -1));
  if (inner) {
    painter.setPen(ui::toQColor(innerColor));
    painter.drawRect(controlRect.adjusted(1, 1, -2, -2));
  }
  painter.restore();
}

void DrawNineGrid(const QImage &source, QPainter &painter, const QRect &target, bool) {
  // Plain stretch until the pieces land.
  if (source.isNull() || target.width() <= 0 || target.height() <= 0) return;
  painter.drawImage(QRect(0, 0, target.width(), target.height()), KeyedImage(source, kKeyColor));
}

bool HasPublishedProperty(const ui::Component &component, const char *name) {
  const QString wanted = QString::fromLatin1(name);
  auto &c = const_cast<ui::Component &>(component);
  if (wanted.compare(QLatin1String("UIStyle"), Qt::CaseInsensitive) == 0) return dynamic_cast<Styled *>(&c) != nullptr;
  if (wanted.compare(QLatin1String("FileTheme"), Qt::CaseInsensitive) == 0) {
    return dynamic_cast<FileThemeUser *>(&c) != nullptr;
  }
  const QMetaObject *meta = c.object()->metaObject();
  for (int i = 0; i < meta->propertyCount(); ++i) {
    if (wanted.compare(QLatin1String(meta->property(i).name()), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

bool IsFormActive(const ui::Form *form) {
  if (form == nullptr) return QApplication::activeWindow() != nullptr;
  return form->isActiveWindow();
}

}  // namespace kwo
