#pragma once
// A time of day entered in fields. The display format is Qt's: literal text
// in single quotes ("HH '时'mm '分'"). OnChange fires on the user's changes
// only, as the framework's picker does.
#include <QTime>

#include "platform/ui/control.h"

class QTimeEdit;

namespace ui {

class TimePicker : public Control {
  Q_OBJECT
 public:
  explicit TimePicker(Component *owner);
  ~TimePicker() override;

  QTime time() const;
  // An invalid time is ignored.
  void setTime(const QTime &time);
  QString format() const;
  void setFormat(const QString &qtFormat);

  QTimeEdit *timeEdit() const { return edit_; }

  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;

  NotifyEvent OnChange;

 protected:
  void enabledChanged() override;
  void fontChanged() override;

 private:
  QTimeEdit *edit_ = nullptr;
  bool settingByCode_ = false;
};

}  // namespace ui
