#include "platform/ui/button.h"

#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/form.h"

namespace ui {
namespace {

constexpr Qt::KeyboardModifiers kShiftCtrlAlt = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

Button::Button(Component *owner) : Control(owner) {
  button_ = new QPushButton(this);
  // Not a dialog's button: Enter reaches the form, never Qt's own default.
  button_->setAutoDefault(false);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(button_);
  setFocusProxy(button_);
  setFocusPolicy(Qt::StrongFocus);
  // The control's own release is not seen under the push button: its
  // clicked signal (mouse or Space) is the click.
  setClickEvents(false);
  connect(button_, &QPushButton::clicked, this, [this] { click(); });
  setBounds(0, 0, 75, 25);
}

Button::~Button() { beginDestroy(); }

void Button::setDefault(bool value) {
  default_ = value;
  answersEnter_ = value;
  // Qt draws the default frame; the key stays ours.
  button_->setDefault(value);
}

bool Button::canTakeFocus() const {
  if (!isEnabled()) return false;
  for (const Control *c = this; c != nullptr; c = c->parentControl()) {
    if (!c->visible()) return false;
  }
  return true;
}

void Button::click() {
  if (isDying()) return;
  QPointer<Button> self(this);
  if (Form *form = parentForm()) form->setModalResult(modalResult_);
  if (self.isNull()) return;
  Control::click();
}

bool Button::wantsKey(int key, Qt::KeyboardModifiers modifiers) const {
  // Enter and Escape are dialog keys, the arrows move the form's focus;
  // Space presses the button.
  if (isEnterKey(key) || key == Qt::Key_Escape) return false;
  if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) return false;
  return !(modifiers & Qt::AltModifier);
}

bool Button::dialogKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool ours = (isEnterKey(key) && answersEnter_) || (key == Qt::Key_Escape && cancel_);
  if (ours && (modifiers & kShiftCtrlAlt) == 0 && canTakeFocus()) {
    click();
    return true;
  }
  return Control::dialogKey(key, modifiers);
}

bool Button::dialogChar(QChar character) {
  if (!isEnabled()) return false;
  const QKeySequence mnemonic = QKeySequence::mnemonic(caption());
  if (mnemonic.isEmpty()) return false;
  const QChar accel(static_cast<char16_t>(mnemonic[0].key()));
  if (accel.toLower() != character.toLower()) return false;
  click();
  return true;
}

void Button::focusChanged(Control *focused, Control *previous) {
  answersEnter_ = qobject_cast<Button *>(focused) != nullptr ? focused == this : default_;
  Control::focusChanged(focused, previous);
}

void Button::captionChanged() {
  // The form matches the accelerators itself; a Qt mnemonic would fire it a
  // second time, so the marks are kept out of the push button's text.
  QString shown = caption();
  shown.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  shown.remove(QLatin1Char('&'));
  shown.replace(QStringLiteral("\x01"), QStringLiteral("&&"));
  button_->setText(shown);
}

void Button::fontChanged() { button_->setFont(font()); }

void Button::enabledChanged() { update(); }

}  // namespace ui
