#include "builtin_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cstring>

#include "drawing.h"

namespace kwo {
namespace {

QColor accentOf(TkwoUIStyle look) {
  switch (look) {
    case TkwoUIStyle::MacOS: return QColor(57, 115, 196);
    case TkwoUIStyle::WinXP: return QColor(49, 105, 198);
    case TkwoUIStyle::Protein: return QColor(45, 48, 196);
    case TkwoUIStyle::BlueGlass: return QColor(94, 94, 236);
    default: return QColor(68, 74, 160);
  }
}

// A groove over three equal frames: its rounded ends fall in the first and
// the last, the middle one is plain.
void drawBar(QPainter &p, int w, int h) {
  p.setPen(QColor(128, 128, 128));
  p.setBrush(QColor(220, 220, 220));
  p.drawRoundedRect(QRect(0, 0, w - 1, h - 1), 2, 2);
}

// A pointer-shaped thumb pointing down (horizontal) or right (vertical).
void drawSlider(QPainter &p, int w, int h, bool vertical, const QColor &accent) {
  QPolygon shape;
  if (!vertical) {
    const int tip = std::max(h - w / 2 - 1, 1);
    shape << QPoint(0, 0) << QPoint(w - 1, 0) << QPoint(w - 1, tip) << QPoint(w / 2, h - 1) << QPoint(0, tip);
  } else {
    const int tip = std::max(w - h / 2 - 1, 1);
    shape << QPoint(0, 0) << QPoint(tip, 0) << QPoint(w - 1, h / 2) << QPoint(tip, h - 1) << QPoint(0, h - 1);
  }
  p.setPen(accent.darker(150));
  p.setBrush(QColor(245, 245, 245));
  p.drawPolygon(shape);
}

void drawCaptionBar(QPainter &p, int w, int h, const QColor &accent) {
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, accent.lighter(140));
  g.setColorAt(1, accent);
  p.fillRect(QRect(0, 0, w, h), g);
}

}  // namespace

QPixmap BuiltInThemePicture(TkwoUIStyle style, int position) {
  const TkwoUIStyle look = BuiltInLookOf(style);
  if (ThemeItemKindOf(position) != ThemeItemKind::Image) return {};
  const ImageSize size = BuiltInImageSize(look, position);
  if (size.width <= 0 || size.height <= 0) return {};
  QPixmap picture(size.width, size.height);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  switch (position) {
    case tiTrackBarBarImage: drawBar(p, size.width, size.height); break;
    case tiTrackBarSliderImage: drawSlider(p, size.width, size.height, false, accentOf(look)); break;
    case tiTrackBarSliderVImage: drawSlider(p, size.width, size.height, true, accentOf(look)); break;
    case tiSideChannelBarImage: drawCaptionBar(p, size.width, size.height, accentOf(look)); break;
    default: p.fillRect(picture.rect(), QColor(192, 192, 192)); break;
  }
  return picture;
}

QPixmap PanelButtonPicture() {
  QPixmap picture(kPanelButtonImageSize.width, kPanelButtonImageSize.height);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  const int fw = kPanelButtonImageSize.width / kPanelButtonFrameCount;
  const int fh = kPanelButtonImageSize.height;
  for (int i = 0; i < kPanelButtonFrameCount; ++i) {
    const bool folded = i >= 2;
    const bool hot = i % 2 == 1;
    const QRect frame(i * fw, 0, fw, fh);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(hot ? QColor(255, 255, 255) : QColor(224, 224, 224));
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    // Up while unfolded (push folds), down while folded (pop unfolds).
    const int cx = frame.left() + fw / 2;
    QPolygon arrow;
    if (folded) {
      arrow << QPoint(cx - 3, 4) << QPoint(cx + 3, 4) << QPoint(cx, 7);
    } else {
      arrow << QPoint(cx - 3, 7) << QPoint(cx + 3, 7) << QPoint(cx, 4);
    }
    p.setBrush(QColor(0, 0, 0));
    p.setPen(Qt::NoPen);
    p.drawPolygon(arrow);
  }
  return picture;
}

QImage BuiltInBitmap(const char *name) {
  // Stand-in until every picture is drawn: the tabled size in grey.
  if (name == nullptr) return {};
  for (int style = 1; style <= 5; ++style) {
    for (int position = 1; position <= kThemeItemCount; ++position) {
      const auto look = static_cast<TkwoUIStyle>(style);
      if (BuiltInImageName(look, position) != name) continue;
      const ImageSize size = BuiltInImageSize(look, position);
      QImage picture(size.width, size.height, QImage::Format_RGB32);
      picture.fill(QColor(192, 192, 192));
      return picture;
    }
  }
  if (std::strcmp(name, kPanelButtonImageName) == 0) return PanelButtonPicture().toImage();
  return {};
}

void GetBuiltInThemeImage(TkwoUIStyle style, int position, QImage &target, int frameIndex, int frameCount) {
  const std::string name = BuiltInImageName(style, position);
  if (name.empty()) return;
  const QImage whole = BuiltInBitmap(name.c_str());
  if (whole.isNull()) return;
  target = frameCount == 0 ? whole : ExtractBitmapFrame(whole, frameCount, frameIndex);
}

}  // namespace kwo
