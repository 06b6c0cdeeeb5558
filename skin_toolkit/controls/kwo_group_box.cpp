#include "skin_toolkit/controls/kwo_group_box.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/ui/color.h"
#include "skin_toolkit/rules/group_logic.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {

TkwoCustomGroupBox::TkwoCustomGroupBox(ui::Component *owner) : TkwoCustomPanel(owner) {
  setParentColor(true);
  ui::Control::setBounds(0, 0, 185, 105);
}

TkwoCustomGroupBox::~TkwoCustomGroupBox() { beginDestroy(); }

void TkwoCustomGroupBox::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  applyTheme(style);
}

void TkwoCustomGroupBox::applyTheme(TkwoUIStyle style) {
  ApplyThemeToChildren(*this, style, fileTheme());
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  borderColor_ = source.color(tiControlBorderColor);
  ui::Font f = controlFont();
  f.color = source.color(tiControlFontColor);
  setControlFont(f);
  update();
}

void TkwoCustomGroupBox::setBorderColor(platform::TColor color) {
  borderColor_ = color;
  update();
}

void TkwoCustomGroupBox::adjustClientRect(QRect &rect) const {
  rect.adjust(3, FontPixelHeight(controlFont().size, controlFont().height) + 5, -3, -3);
}

void TkwoCustomGroupBox::fontChanged() {
  realign();
  update();
}

void TkwoCustomGroupBox::setEnabled(bool value) {
  ui::Control::setEnabled(value);
  passEnabledOn(value);
}

void TkwoCustomGroupBox::enabledChanged() {
  // The box's own Enabled reaches every child; an ancestor's only
  // disables it the way Qt does.
  const bool own = !testAttribute(Qt::WA_ForceDisabled);
  if (own != ownEnabled_) passEnabledOn(own);
  update();
}

void TkwoCustomGroupBox::passEnabledOn(bool value) {
  ownEnabled_ = value;
  const std::vector<ui::Control *> children = controls();
  for (ui::Control *c : children) {
    // A box inside passes it on in turn, even where Qt tells it nothing.
    if (auto *box = qobject_cast<TkwoCustomGroupBox *>(c)) {
      box->setEnabled(value);
    } else {
      c->setEnabled(value);
    }
  }
  update();
}

void TkwoCustomGroupBox::paint(QPainter &painter) {
  if (isDestroying()) return;
  if (transparent()) {
    // The parent shows through; the box's window text is no caption.
  } else {
    ui::Control::paint(painter);
  }
  painter.setFont(font());
  const QFontMetrics metrics(font());
  const QRect r = rect();
  const int y = GroupFrameLineY(FontPixelHeight(controlFont().size, controlFont().height), r.top());
  const int left = r.left();
  const int right = r.right() + 1;
  const int bottom = r.bottom() + 1;
  const QString text = caption();
  painter.setPen(ui::toQColor(borderColor_));
  painter.setBrush(Qt::NoBrush);
  // The top line stops short of its end point, as a line drawn to a point
  // does: with a caption it resumes one pixel past the caption's end + 6.
  const bool hasCaption = !text.isEmpty();
  const int end = GroupFrameTopEnd(left, metrics.horizontalAdvance(text), hasCaption) + (hasCaption ? 1 : 0);
  const QPoint path[] = {{left + 2, y}, {left, y}, {left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, y}, {end, y}};
  painter.drawPolyline(path, 6);
  painter.setPen(isEnabled() ? ui::toQColor(controlFont().color) : QColor(128, 128, 128));
  painter.drawText(QPoint(5, metrics.ascent()), text);
}

TkwoGroupBox::TkwoGroupBox(ui::Component *owner) : TkwoCustomGroupBox(owner) {
  setUIStyle(GetOwnerFormUIStyle(owner));
}

}  // namespace kwo
