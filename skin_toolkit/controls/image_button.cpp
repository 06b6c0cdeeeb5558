#include "skin_toolkit/controls/image_button.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "platform/ui/color.h"

namespace kwo {

TImageButton::TImageButton(ui::Component *owner)
    : ui::Control(owner), backColor_(platform::clAppWorkSpace), shadowColor_(platform::RGB(16, 16, 16)) {
  setFocusPolicy(Qt::NoFocus);
  ui::Font f;
  f.name = QStringLiteral("MS Sans Serif");
  f.size = 8;
  f.color = platform::clWhite;
  setControlFont(f);
  setColor(platform::RGB(128, 0, 0));
  setBounds(0, 0, 73, 25);
}

TImageButton::~TImageButton() { beginDestroy(); }

void TImageButton::setBackColor(platform::TColor color) {
  backColor_ = color;
  update();
}

void TImageButton::setShadowColor(platform::TColor color) {
  shadowColor_ = color;
  update();
}

void TImageButton::enabledChanged() {
  // A disabled widget gets no release: the press ends here.
  if (!isEnabled()) pressed_ = 0;
  update();
}

void TImageButton::hideEvent(QHideEvent *event) {
  pressed_ = 0;
  ui::Control::hideEvent(event);
}

void TImageButton::mousePressEvent(QMouseEvent *event) {
  QPointer<TImageButton> self(this);
  ui::Control::mousePressEvent(event);
  if (self.isNull() || isDying()) return;
  if (event->button() == Qt::LeftButton && isEnabled()) {
    pressed_ = 1;
    update();
  }
}

void TImageButton::mouseReleaseEvent(QMouseEvent *event) {
  // The base runs OnClick for a left release inside; the handler may free
  // the button (a dialog closing), so look again before touching it.
  QPointer<TImageButton> self(this);
  // A press that ended early (the button was disabled meanwhile) clicks
  // nothing when the mouse comes up.
  const bool ended = event->button() == Qt::LeftButton && pressed_ != 1;
  if (ended) setClickEvents(false);
  ui::Control::mouseReleaseEvent(event);
  if (self.isNull() || isDestroying()) return;
  if (ended) setClickEvents(true);
  if (event->button() == Qt::LeftButton) {
    pressed_ = 0;
    update();
  }
}

void TImageButton::paint(QPainter &painter) {
  if (isDestroying()) return;
  const int w = width();
  const int h = height();
  const QColor back = ui::toQColor(backColor_);
  if (back.isValid()) painter.fillRect(rect(), back);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // Plain glyphs, as the button's bitmap font draws them.
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  const QColor face = ui::toQColor(color());
  QFont captionFont = font();
  captionFont.setStyleStrategy(QFont::NoAntialias);
  const QFontMetrics metrics(captionFont);
  const QString text = caption();
  const int textWidth = metrics.horizontalAdvance(text);
  const int textHeight = metrics.height();
  painter.setFont(captionFont);
  // The rectangles keep their right and bottom edges outside, so a face
  // from (0, 0) to (W - 2, H - 2) covers W - 2 x H - 2 pixels.
  if (pressed_ == 1 && isEnabled()) {
    painter.setPen(QPen(QColor(0, 0, 0), 1));
    painter.setBrush(face.isValid() ? QBrush(face) : QBrush(Qt::NoBrush));
    if (w > 3 && h > 3) painter.drawRoundedRect(QRect(2, 2, w - 3, h - 3), 2, 2);
    painter.setPen(ui::toQColor(controlFont().color));
    painter.drawText(QRect((w - textWidth) / 2, (h - textHeight) / 2, textWidth, textHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    return;
  }
  painter.setPen(Qt::NoPen);
  const QColor shadow = ui::toQColor(shadowColor_);
  if (shadow.isValid() && w > 2 && h > 2) {
    painter.setBrush(shadow);
    painter.drawRoundedRect(QRect(2, 2, w - 2, h - 2), 2, 2);
  }
  if (face.isValid() && w > 2 && h > 2) {
    painter.setBrush(face);
    painter.drawRoundedRect(QRect(0, 0, w - 2, h - 2), 2, 2);
  }
  painter.setPen(isEnabled() ? ui::toQColor(controlFont().color) : QColor(128, 128, 128));
  painter.drawText(QRect((w - 2 - textWidth) / 2, (h - 2 - textHeight) / 2, textWidth, textHeight),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace kwo
