#pragma once
// A plain push button on the platform's own face. Default and Cancel act
// only through the form's dialog keys: Enter clicks the focused button, or
// the default one while the focus is on another kind of control; Escape
// clicks the cancel button. A click sets the form's ModalResult to the
// button's (also 0) and runs OnClick.
#include "platform/ui/control.h"

class QPushButton;

namespace ui {

class Button : public Control {
  Q_OBJECT
 public:
  explicit Button(Component *owner);
  ~Button() override;

  bool isDefault() const { return default_; }
  void setDefault(bool value);
  bool cancel() const { return cancel_; }
  void setCancel(bool value) { cancel_ = value; }
  int modalResult() const { return modalResult_; }
  void setModalResult(int value) { modalResult_ = value; }

  // True when Enter clicks this button.
  bool answersEnter() const { return answersEnter_; }

  QPushButton *pushButton() const { return button_; }

  void click() override;
  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;
  bool dialogKey(int key, Qt::KeyboardModifiers modifiers) override;
  bool dialogChar(QChar character) override;
  void focusChanged(Control *focused, Control *previous) override;

 protected:
  void captionChanged() override;
  void fontChanged() override;
  void enabledChanged() override;

 private:
  bool canTakeFocus() const;

  QPushButton *button_ = nullptr;
  bool default_ = false;
  bool cancel_ = false;
  bool answersEnter_ = false;
  int modalResult_ = 0;
};

}  // namespace ui
