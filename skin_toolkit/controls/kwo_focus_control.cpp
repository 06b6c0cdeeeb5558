#include "skin_toolkit/controls/kwo_focus_control.h"

#include <QPainter>
#include <QPen>
#include <string_view>

#include "platform/ui/color.h"
#include "skin_toolkit/rules/button_logic.h"

namespace kwo {

TkwoFocusControl::TkwoFocusControl(ui::Component *owner) : ui::Control(owner) {
  setDoubleClicks(false);
  // Clicks focus the control themselves (when TabStop is on).
  setFocusPolicy(Qt::TabFocus);
}

void TkwoFocusControl::setLook(TkwoUIStyle style, TkwoFileTheme *fileTheme) {
  storeFileTheme(fileTheme);
  setUIStyle(style);
}

void TkwoFocusControl::setTransparent(bool value) {
  transparent_ = value;
  transparentChanged();
}

void TkwoFocusControl::setTabStop(bool value) {
  tabStop_ = value;
  setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus);
}

void TkwoFocusControl::paintBackground(QPainter &painter) {
  if (!transparent_) ui::Control::paint(painter);
}

void TkwoFocusControl::drawFocusRect(QPainter &painter, const QRect &outline) const {
  if (outline.width() <= 0 || outline.height() <= 0) return;
  painter.save();
  QPen pen(ui::toQColor(controlFont().color), 1);
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(outline.adjusted(0, 0, -1, -1));
  painter.restore();
}

bool TkwoFocusControl::isAccelerator(QChar character) const {
  if (!isEnabled()) return false;
  const QString &text = caption();
  const char16_t accel = CaptionAccelerator(
      std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), static_cast<size_t>(text.size())));
  return accel != 0 && QChar(accel).toLower() == character.toLower();
}

void TkwoFocusControl::focusInEvent(QFocusEvent *event) {
  ui::Control::focusInEvent(event);
  update();
}

void TkwoFocusControl::focusOutEvent(QFocusEvent *event) {
  ui::Control::focusOutEvent(event);
  update();
}

}  // namespace kwo
