#include "skin_toolkit/themes/drawing.h"

#include <QApplication>
#include <QMetaProperty>
#include <QPaintDevice>
#include <QPainter>
#include <QWidget>

#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/component.h"
#include "platform/ui/form.h"
#include "platform/ui/work_area.h"
#include "skin_toolkit/rules/form_activity.h"
#include "skin_toolkit/rules/nine_grid.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {
namespace {

QRect toQRect(const Rect &r) { return QRect(r.left, r.top, r.width(), r.height()); }

// Nearest-neighbour stretch of a 32-bit picture: target pixel x takes source
// column x * width / targetWidth, likewise for rows.
QImage stretched(const QImage &picture, int width, int height) {
  if (picture.width() == width && picture.height() == height) return picture;
  if (picture.isNull() || width <= 0 || height <= 0) return {};
  const QImage from = picture.depth() == 32 ? picture : picture.convertToFormat(QImage::Format_ARGB32);
  QImage out(width, height, from.format());
  if (out.isNull()) return {};
  const qint64 sw = from.width();
  const qint64 sh = from.height();
  for (int y = 0; y < height; ++y) {
    const auto *src = reinterpret_cast<const QRgb *>(from.constScanLine(static_cast<int>(y * sh / height)));
    auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
    for (int x = 0; x < width; ++x) dst[x] = src[x * sw / width];
  }
  return out;
}

// The part of the picture, stretched onto target.
void drawStretched(QPainter &painter, const QImage &picture, const QRect &part, const QRect &target) {
  if (part.isEmpty() || target.isEmpty()) return;
  painter.drawImage(target.topLeft(), stretched(picture.copy(part), target.width(), target.height()));
}

// A one-pixel frame just inside rect, as the platform frames rectangles.
void frameRect(QPainter &painter, const QRect &rect, const QColor &color) {
  if (!color.isValid() || rect.isEmpty()) return;
  painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), color);
  painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), color);
  painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), color);
  painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), color);
}

bool isIndexed(const QImage &picture) {
  const QImage::Format f = picture.format();
  return f == QImage::Format_Mono || f == QImage::Format_MonoLSB || f == QImage::Format_Indexed8;
}

// Moves every pixel to where place puts it, on an image of the swapped size;
// indexed pictures keep their colour table and indices.
template <typename Place>
QImage quarterTurn(const QImage &picture, Place place) {
  const int w = picture.width();
  const int h = picture.height();
  if (picture.isNull()) return {};
  QImage out(h, w, picture.format());
  if (out.isNull()) return {};
  if (isIndexed(picture)) {
    out.setColorTable(picture.colorTable());
    out.fill(0);  // also the padding bits of each line
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const QPoint to = place(x, y, w, h);
        out.setPixel(to, static_cast<uint>(picture.pixelIndex(x, y)));
      }
    }
    return out;
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) out.setPixel(place(x, y, w, h), picture.pixel(x, y));
  }
  return out;
}

}  // namespace

void DrawParentBackground(QPainter &painter, const QWidget &control) {
  QWidget *parent = control.parentWidget();
  if (parent == nullptr || !painter.isActive()) return;
  // On a widget the parent's background already shows through.
  if (painter.device() == nullptr || painter.device()->devType() == QInternal::Widget) return;
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
  if (w <= 0 || source.height() <= 0) return {};
  return source.copy((frameIndex - 1) * w, 0, w, source.height());
}

QImage KeyedImage(const QImage &picture, QRgb key) {
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb opaqueKey = key | 0xFF000000u;
  for (int y = 0; y < out.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((line[x] | 0xFF000000u) == opaqueKey) line[x] = 0;
    }
  }
  return out;
}

void DrawThreePartStretch(QPainter &painter, const QImage &picture, const QRect &rect, bool transparent) {
  const int w = picture.width() / 3;
  const int h = picture.height();
  if (w <= 0 || h <= 0) return;
  const QRgb key = transparent ? picture.pixel(0, 0) : kKeyColor;
  const QImage keyed = KeyedImage(picture, key);
  painter.drawImage(rect.left(), rect.top(), keyed, 0, 0, w, h);
  painter.drawImage(rect.left() + rect.width() - w, rect.top(), keyed, 2 * w, 0, w, h);
  // The middle is a plain picture: drawn opaque, whatever its colours.
  const QRect middle(rect.left() + w, rect.top(), rect.width() - 2 * w, rect.height());
  drawStretched(painter, picture.convertToFormat(QImage::Format_RGB32), QRect(w, 0, w, h), middle);
}

QImage RotateBitmapLeft(const QImage &picture) {
  return quarterTurn(picture, [](int x, int y, int w, int) { return QPoint(y, w - 1 - x); });
}

QImage RotateBitmapRight(const QImage &picture) {
  return quarterTurn(picture, [](int x, int y, int, int h) { return QPoint(h - 1 - y, x); });
}

void DrawWindowBorder(QPainter &painter, const QRect &controlRect, platform::TColor color,
                      platform::TColor innerColor, bool inner) {
  frameRect(painter, controlRect, ui::toQColor(color));
  if (inner) frameRect(painter, controlRect.adjusted(1, 1, -1, -1), ui::toQColor(innerColor));
}

void DrawNineGrid(const QImage &source, QPainter &painter, const QRect &target, bool masked) {
  if (source.isNull()) return;
  const QImage keyed = KeyedImage(source, kKeyColor);
  const QImage opaque = masked ? keyed : source.convertToFormat(QImage::Format_RGB32);
  // On a face a pixel or two wide the bottom edge starts left of it.
  painter.save();
  painter.setClipRect(QRect(0, 0, target.width(), target.height()), Qt::IntersectClip);
  for (const NineGridPiece &p : NineGridPieces(source.width(), source.height(), target.width(), target.height())) {
    drawStretched(painter, p.corner ? opaque : keyed, toQRect(p.source), toQRect(p.target));
  }
  painter.restore();
}

bool HasPublishedProperty(const ui::Component &component, const char *name) {
  if (name == nullptr) return false;
  const QLatin1String wanted(name);
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
  const ui::Application *app = ui::Application::instance();
  const ui::Form *mainForm = app != nullptr ? app->mainForm() : nullptr;
  FormActivityFacts facts;
  facts.hasMainForm = mainForm != nullptr;
  facts.formIsNull = form == nullptr;
  facts.formIsMainForm = form != nullptr && form == mainForm;
  facts.applicationActive = QApplication::activeWindow() != nullptr;
  facts.formActive = form != nullptr && form->isActiveWindow();
  // There is no MDI frame: its two facts stay false.
  return IsFormActiveRule(facts);
}

}  // namespace kwo
