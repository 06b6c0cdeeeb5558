#include "platform/ui/edit.h"

#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>

#include "platform/ui/color.h"

namespace ui {

Edit::Edit(Component *owner) : Control(owner) {
  setColor(platform::clWindow);
  edit_ = new QLineEdit(this);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit_);
  setFocusProxy(edit_);
  setFocusPolicy(Qt::StrongFocus);
  connect(edit_, &QLineEdit::textChanged, this, [this] { change(); });
  setBounds(0, 0, 121, 21);
  colorChanged();
}

Edit::~Edit() { beginDestroy(); }

QString Edit::text() const { return edit_->text(); }

void Edit::setText(const QString &text) {
  // QLineEdit tells of real changes only, as the text box does.
  edit_->setText(text);
}

void Edit::setMaxLength(int value) {
  maxLength_ = std::max(value, 0);
  edit_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

bool Edit::readOnly() const { return edit_->isReadOnly(); }

void Edit::setReadOnly(bool value) { edit_->setReadOnly(value); }

void Edit::setPasswordChar(QChar c) {
  edit_->setEchoMode(c.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void Edit::selectAll() { edit_->selectAll(); }

bool Edit::wantsKey(int key, Qt::KeyboardModifiers modifiers) const {
  // Enter and Escape stay dialog keys; the rest is typing and moving.
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return false;
  return !(modifiers & Qt::AltModifier);
}

void Edit::change() {
  if (isLoading() || isDying()) return;
  if (OnChange) OnChange(this);
}

void Edit::colorChanged() {
  if (edit_ == nullptr) return;
  QPalette p = edit_->palette();
  const QColor c = toQColor(color());
  if (c.isValid()) p.setColor(QPalette::Base, c);
  const QColor t = toQColor(controlFont().color);
  if (t.isValid()) p.setColor(QPalette::Text, t);
  edit_->setPalette(p);
}

void Edit::fontChanged() {
  if (edit_ == nullptr) return;
  edit_->setFont(font());
  colorChanged();
}

void Edit::enabledChanged() { update(); }

}  // namespace ui
