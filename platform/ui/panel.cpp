#include "platform/ui/panel.h"

#include <QPainter>
#include <algorithm>

#include "platform/ui/color.h"

namespace ui {

Panel::Panel(Component *owner) : Control(owner) { setBounds(0, 0, 185, 41); }

void Panel::edgesChanged() {
  realign();
  update();
}

void Panel::setBevelOuter(Bevel bevel) {
  bevelOuter_ = bevel;
  edgesChanged();
}

void Panel::setBevelInner(Bevel bevel) {
  bevelInner_ = bevel;
  edgesChanged();
}

void Panel::setBevelWidth(int width) {
  bevelWidth_ = std::max(width, 1);
  edgesChanged();
}

void Panel::setBorderWidth(int width) {
  borderWidth_ = std::max(width, 0);
  edgesChanged();
}

void Panel::setPlain() {
  bevelOuter_ = Bevel::None;
  bevelInner_ = Bevel::None;
  borderWidth_ = 0;
  edgesChanged();
}

void Panel::adjustClientRect(QRect &rect) const {
  int inset = borderWidth_;
  if (bevelOuter_ != Bevel::None) inset += bevelWidth_;
  if (bevelInner_ != Bevel::None) inset += bevelWidth_;
  rect.adjust(inset, inset, -inset, -inset);
}

void Panel::paintBevel(QPainter &painter, QRect &rect, Bevel bevel) const {
  if (bevel == Bevel::None) return;
  const QColor light(255, 255, 255);
  const QColor dark(160, 160, 160);
  const QColor &topLeft = bevel == Bevel::Raised ? light : dark;
  const QColor &bottomRight = bevel == Bevel::Raised ? dark : light;
  for (int i = 0; i < bevelWidth_ && rect.width() > 0 && rect.height() > 0; ++i) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
    rect.adjust(1, 1, -1, -1);
  }
}

QRect Panel::paintFrame(QPainter &painter) {
  Control::paint(painter);
  QRect r = rect();
  paintBevel(painter, r, bevelOuter_);
  r.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
  paintBevel(painter, r, bevelInner_);
  return r;
}

void Panel::paint(QPainter &painter) {
  const QRect r = paintFrame(painter);
  if (!caption().trimmed().isEmpty()) {
    painter.setFont(font());
    painter.setPen(isEnabled() ? toQColor(controlFont().color) : QColor(128, 128, 128));
    painter.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption());
  }
}

}  // namespace ui
