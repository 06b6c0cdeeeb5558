#include "skin_toolkit/controls/kwo_image_panel.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/opaque_paint.h"
#include "skin_toolkit/rules/panel_logic.h"

namespace kwo {

TkwoCustomPanel::TkwoCustomPanel(ui::Component *owner) : ui::Panel(owner) {
  // The panel draws no bevels: its client area is the whole panel.
  setPlain();
  SetOpaquePainting(*this, transparent_);
}

TkwoCustomPanel::~TkwoCustomPanel() { beginDestroy(); }

void TkwoCustomPanel::setPicture(const QPixmap &picture) {
  picture_ = picture;
  pictureChanged();
}

void TkwoCustomPanel::pictureChanged() {
  if (hasGraphic() && autoSize_) sizeFromPicture();
  shown_ = picture_;
  if (hasGraphic() && transparent_ && !picture_.hasAlphaChannel()) {
    const QImage image = picture_.toImage();
    const QColor background = image.pixelColor(0, image.height() - 1);
    shown_.setMask(QBitmap::fromImage(image.createMaskFromColor(background.rgb(), Qt::MaskInColor)));
  }
  update();
}

void TkwoCustomPanel::setTransparent(bool value) {
  transparent_ = value;
  SetOpaquePainting(*this, value);
  if (hasGraphic()) {
    pictureChanged();
  } else {
    update();
  }
}

void TkwoCustomPanel::setAutoSize(bool value) {
  autoSize_ = value;
  if (hasGraphic() && autoSize_) sizeFromPicture();
}

void TkwoCustomPanel::sizeFromPicture() {
  const ui::Align a = align();
  int w = width();
  int h = height();
  if (a != ui::Align::Top && a != ui::Align::Bottom && a != ui::Align::Client) w = picture_.width();
  if (a != ui::Align::Left && a != ui::Align::Right && a != ui::Align::Client) h = picture_.height();
  setBounds(left(), top(), w, h);
}

void TkwoCustomPanel::setDrawStyle(TkwoDrawStyle style) {
  drawStyle_ = style;
  update();
}

void TkwoCustomPanel::setAlignment(ui::TextAlignment alignment) {
  alignment_ = alignment;
  update();
}

void TkwoCustomPanel::resized() {
  ui::Panel::resized();
  update();
}

void TkwoCustomPanel::paint(QPainter &painter) { paintPanel(painter); }

void TkwoCustomPanel::paintPanel(QPainter &painter) {
  if (isDestroying()) return;
  // Transparent: the parent has painted beneath, and stays where nothing
  // is drawn. Opaque: Color shows wherever the picture leaves room (a
  // smaller picture, or its keyed background).
  if (!transparent_) ui::Control::paint(painter);
  if (hasGraphic()) drawPicture(painter);
  const QString text = caption();
  if (text.trimmed().isEmpty()) return;
  painter.setFont(font());
  painter.setPen(ui::toQColor(controlFont().color));
  int flags = Qt::AlignVCenter | Qt::TextSingleLine;
  switch (alignment_) {
    case ui::TextAlignment::Left: flags |= Qt::AlignLeft; break;
    case ui::TextAlignment::Right: flags |= Qt::AlignRight; break;
    case ui::TextAlignment::Center: flags |= Qt::AlignHCenter; break;
  }
  const QRect client = clientRect();
  lastCaptionRect_ = painter.boundingRect(client, flags, text);
  painter.drawText(client, flags, text);
}

void TkwoCustomPanel::drawPicture(QPainter &painter) {
  const QRect client = clientRect();
  switch (drawStyle_) {
    case TkwoDrawStyle::kwoStretch: painter.drawPixmap(client, shown_); break;
    case TkwoDrawStyle::kwoTile: drawTiled(painter, shown_); break;
    case TkwoDrawStyle::kwoNormal: painter.drawPixmap(0, 0, shown_); break;
  }
}

void TkwoCustomPanel::drawTiled(QPainter &painter, const QPixmap &picture) {
  const QRect client = clientRect();
  // A picture of no width or height draws nothing.
  const std::vector<int> xs = TileOffsets(client.width(), picture.width());
  const std::vector<int> ys = TileOffsets(client.height(), picture.height());
  painter.save();
  painter.setClipRect(client);
  for (int y : ys) {
    for (int x : xs) painter.drawPixmap(client.left() + x, client.top() + y, picture);
  }
  painter.restore();
}

TkwoImagePanel::TkwoImagePanel(ui::Component *owner) : TkwoCustomPanel(owner) {}

}  // namespace kwo
