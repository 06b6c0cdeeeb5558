#include "kwo_combo_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>

#include "color.h"
#include "themes/theme_source.h"

namespace kwo {

TkwoComboBox::TkwoComboBox(ui::Component *owner) : ui::Control(owner) {
  setColor(platform::clWindow);
  combo_ = new QComboBox(this);
  combo_->setEditable(true);
  combo_->setMaxVisibleItems(8);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(combo_);
  setFocusProxy(combo_);
  setFocusPolicy(Qt::StrongFocus);
  // A line the user picks; currentIndexChanged would also tell of presets.
  connect(combo_, &QComboBox::activated, this, [this](int) { change(); });
  connectEditor();
  setBounds(0, 0, 145, 21);
  colorChanged();
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoComboBox::~TkwoComboBox() { beginDestroy(); }

void TkwoComboBox::connectEditor() {
  if (QLineEdit *edit = combo_->lineEdit()) {
    connect(edit, &QLineEdit::textEdited, this, [this](const QString &) { change(); });
  }
}

void TkwoComboBox::change() {
  if (isLoading() || isDying()) return;
  if (OnChange) OnChange(this);
}

void TkwoComboBox::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  arrowColor_ = platform::clBlack;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  borderColor_ = source.color(tiControlBorderColor);
  buttonColor_ = source.color(tiFormBackgroundColor);
  update();
}

void TkwoComboBox::setBorderColor(platform::TColor color) {
  borderColor_ = color;
  update();
}

void TkwoComboBox::setButtonColor(platform::TColor color) {
  buttonColor_ = color;
  update();
}

void TkwoComboBox::setArrowColor(platform::TColor color) {
  arrowColor_ = color;
  update();
}

void TkwoComboBox::setStyle(TComboBoxStyle style) {
  if (style_ == style) return;
  style_ = style;
  const int index = combo_->currentIndex();
  combo_->setEditable(style != TComboBoxStyle::csDropDownList);
  if (combo_->isEditable()) {
    combo_->setInsertPolicy(QComboBox::NoInsert);
    connectEditor();
  }
  combo_->setCurrentIndex(index);
  colorChanged();
}

QStringList TkwoComboBox::items() const {
  QStringList list;
  for (int i = 0; i < combo_->count(); ++i) list << combo_->itemText(i);
  return list;
}

void TkwoComboBox::setItems(const QStringList &items) {
  const QSignalBlocker block(combo_);
  const QString text = combo_->isEditable() ? combo_->currentText() : QString();
  combo_->clear();
  combo_->addItems(items);
  combo_->setCurrentIndex(-1);
  if (combo_->isEditable()) combo_->setEditText(text);
}

void TkwoComboBox::addItem(const QString &text) {
  const QSignalBlocker block(combo_);
  const int index = combo_->currentIndex();
  const QString edit = combo_->isEditable() ? combo_->currentText() : QString();
  combo_->addItem(text);
  // A new line is not chosen by adding it.
  combo_->setCurrentIndex(index);
  if (combo_->isEditable() && index < 0) combo_->setEditText(edit);
}

void TkwoComboBox::clear() {
  const QSignalBlocker block(combo_);
  combo_->clear();
}

int TkwoComboBox::count() const { return combo_->count(); }

int TkwoComboBox::itemIndex() const { return combo_->currentIndex(); }

void TkwoComboBox::setItemIndex(int index) {
  if (index < -1 || index >= combo_->count()) return;
  const QSignalBlocker block(combo_);
  combo_->setCurrentIndex(index);
  if (index < 0 && combo_->isEditable()) combo_->setEditText(QString());
}

QString TkwoComboBox::text() const { return combo_->currentText(); }

void TkwoComboBox::setText(const QString &text) {
  const QSignalBlocker block(combo_);
  if (combo_->isEditable()) {
    combo_->setEditText(text);
    return;
  }
  // A list without an edit field shows the line with that text, if any.
  combo_->setCurrentIndex(combo_->findText(text));
}

bool TkwoComboBox::wantsKey(int key, Qt::KeyboardModifiers modifiers) const {
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return false;
  return !(modifiers & Qt::AltModifier);
}

void TkwoComboBox::fontChanged() {
  if (combo_ != nullptr) combo_->setFont(font());
}

void TkwoComboBox::enabledChanged() { update(); }

void TkwoComboBox::colorChanged() {
  if (combo_ == nullptr) return;
  const QColor c = ui::toQColor(color());
  if (!c.isValid()) return;
  QPalette palette = combo_->palette();
  palette.setColor(QPalette::Base, c);
  combo_->setPalette(palette);
}

void TkwoComboBox::paintEvent(QPaintEvent *) {
  // The inner combo box paints itself; its themed frame comes with the looks.
}

}  // namespace kwo
