#include "platform/ui/time_picker.h"

#include <QTimeEdit>
#include <QVBoxLayout>

namespace ui {

TimePicker::TimePicker(Component *owner) : Control(owner) {
  edit_ = new QTimeEdit(this);
  edit_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit_);
  setFocusProxy(edit_);
  setFocusPolicy(Qt::StrongFocus);
  connect(edit_, &QTimeEdit::timeChanged, this, [this] {
    if (settingByCode_ || isLoading() || isDying()) return;
    if (OnChange) OnChange(this);
  });
  setBounds(0, 0, 186, 21);
}

TimePicker::~TimePicker() { beginDestroy(); }

QTime TimePicker::time() const { return edit_->time(); }

void TimePicker::setTime(const QTime &time) {
  if (!time.isValid()) return;
  settingByCode_ = true;
  edit_->setTime(time);
  settingByCode_ = false;
}

QString TimePicker::format() const { return edit_->displayFormat(); }

void TimePicker::setFormat(const QString &qtFormat) {
  settingByCode_ = true;
  edit_->setDisplayFormat(qtFormat);
  settingByCode_ = false;
}

bool TimePicker::wantsKey(int key, Qt::KeyboardModifiers modifiers) const {
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return false;
  return !(modifiers & Qt::AltModifier);
}

void TimePicker::enabledChanged() { update(); }

void TimePicker::fontChanged() { edit_->setFont(font()); }

}  // namespace ui
