#include "platform/ui/widget_host.h"

#include <QAbstractButton>
#include <QSignalBlocker>

namespace ui {

WidgetHost::WidgetHost(Component *owner, QWidget *widget) : Control(owner), widget_(widget) {
  widget_->setParent(this);
  widget_->setGeometry(rect());
  widget_->show();
  setFocusProxy(widget_);
  setFocusPolicy(Qt::StrongFocus);
}

WidgetHost::~WidgetHost() { beginDestroy(); }

bool WidgetHost::wantsKey(int key, Qt::KeyboardModifiers modifiers) const {
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return false;
  return !(modifiers & Qt::AltModifier);
}

void WidgetHost::resized() {
  widget_->setGeometry(rect());
  widget_->lower();
  Control::resized();
}

void WidgetHost::fontChanged() {
  widget_->setFont(font());
  Control::fontChanged();
}

void WidgetHost::captionChanged() {
  if (auto *button = qobject_cast<QAbstractButton *>(widget_)) button->setText(caption());
  Control::captionChanged();
}

void CheckBox::setChecked(bool value) {
  const QSignalBlocker quiet(widget());
  widget()->setChecked(value);
}

void RadioButton::setChecked(bool value) {
  // A checked exclusive button refuses to uncheck itself: only its partner
  // (checked by the caller) clears it.
  const QSignalBlocker quiet(widget());
  widget()->setChecked(value);
}

}  // namespace ui
