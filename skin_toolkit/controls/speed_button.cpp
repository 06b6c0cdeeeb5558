#include "skin_toolkit/controls/speed_button.h"

#include <QPainter>
#include <QPointer>

#include "platform/ui/color.h"
#include "skin_toolkit/themes/drawing.h"

namespace kwo {

TkwoToolBarSpeedButton::TkwoToolBarSpeedButton(ui::Component *owner) : ui::Control(owner) {
  setColor(platform::clBtnFace);
  // It fills itself with its Color.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setBounds(0, 0, 18, 18);
}

void TkwoToolBarSpeedButton::setGlyph(const QPixmap &glyph) {
  glyph_ = glyph;
  if (glyph_.isNull()) {
    shownGlyph_ = QPixmap();
    return;
  }
  const QImage image = glyph_.toImage();
  shownGlyph_ = QPixmap::fromImage(KeyedImage(image, image.pixel(0, image.height() - 1)));
}

void TkwoToolBarSpeedButton::setHot(bool value) {
  if (hot_ == value) return;
  hot_ = value;
  update();
}

void TkwoToolBarSpeedButton::paint(QPainter &painter) {
  ui::Control::paint(painter);
  if (glyph_.isNull()) return;
  if (hot_ && width() > 0 && height() > 0) {
    painter.save();
    painter.setPen(QColor(0, 0, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
    painter.restore();
  }
  painter.drawPixmap(1, 1, shownGlyph_);
}

void TkwoToolBarSpeedButton::mouseEnter() {
  setHot(true);
  ui::Control::mouseEnter();
}

void TkwoToolBarSpeedButton::mouseLeave() {
  setHot(false);
  ui::Control::mouseLeave();
}

void TkwoToolBarSpeedButton::mouseMove(ui::ShiftState shift, int x, int y) {
  // The last position seen decides, never the cursor's present one.
  setHot(x >= 0 && y >= 0 && x < width() && y < height());
  ui::Control::mouseMove(shift, x, y);
}

void TkwoToolBarSpeedButton::enabledChanged() {
  if (!isEnabled()) hot_ = false;
  update();
}

void TkwoToolBarSpeedButton::hideEvent(QHideEvent *event) {
  hot_ = false;
  ui::Control::hideEvent(event);
}

}  // namespace kwo
