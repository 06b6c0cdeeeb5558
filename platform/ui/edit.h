#pragma once
// A one-line text box. OnChange fires on every change of the text, also
// when code sets it, except while the window is being built.
#include <QString>

#include "platform/ui/control.h"

class QLineEdit;

namespace ui {

class Edit : public Control {
  Q_OBJECT
 public:
  explicit Edit(Component *owner);
  ~Edit() override;

  QString text() const;
  void setText(const QString &text);
  int maxLength() const { return maxLength_; }
  // 0: no limit.
  void setMaxLength(int value);
  bool readOnly() const;
  void setReadOnly(bool value);
  // A character shown in place of each one typed; a null one shows the text.
  void setPasswordChar(QChar c);
  void selectAll();

  QLineEdit *lineEdit() const { return edit_; }

  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;

  NotifyEvent OnChange;

 protected:
  void colorChanged() override;
  void fontChanged() override;
  void enabledChanged() override;
  virtual void change();

 private:
  QLineEdit *edit_ = nullptr;
  int maxLength_ = 0;
};

}  // namespace ui
