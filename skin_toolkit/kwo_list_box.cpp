#include "kwo_list_box.h"

#include <QPainter>

#include "color.h"
#include "themes/theme_source.h"

namespace kwo {

TkwoListBox::TkwoListBox(ui::Component *owner) : ui::ListBox(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setBorderSingle(false);
  setBorderWidth(2);
  setUIStyle(GetOwnerFormUIStyle(owner));
}

void TkwoListBox::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  borderColor_ = ThemeSource::resolve(fileTheme(), style).color(tiControlBorderColor);
  update();
}

void TkwoListBox::setBorderColor(platform::TColor value) {
  borderColor_ = value;
  update();
}

void TkwoListBox::paint(QPainter &painter) {
  painter.save();
  painter.setBrush(Qt::NoBrush);
  // One-pixel pens cover width + 1, so each ring ends on its far pixels.
  painter.setPen(ui::toQColor(borderColor_));
  painter.drawRect(0, 0, width() - 1, height() - 1);
  painter.setPen(ui::toQColor(color()));
  painter.drawRect(1, 1, width() - 3, height() - 3);
  painter.restore();
}

}  // namespace kwo
