#include "skin_toolkit/controls/kwo_combo_box.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

#include "platform/ui/color.h"
#include "skin_toolkit/rules/combo_logic.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {
namespace {

// The stored style's button picture; the other looks fill the button.
const char *buttonPictureName(TkwoUIStyle style) {
  switch (style) {
    case TkwoUIStyle::MacOS: return "MACOS_COMBOBOX_BUTTON";
    case TkwoUIStyle::WinXP: return "WINXP_COMBOBOX_BUTTON";
    default: return nullptr;
  }
}

void fillTriangle(QPainter &painter, int x, int y, const QColor &brush, const QColor &pen) {
  const QPoint points[] = {QPoint(x, y), QPoint(x + 6, y), QPoint(x + 3, y + 3)};
  painter.setPen(pen);
  painter.setBrush(brush);
  painter.drawPolygon(points, 3);
}

// The one-pixel frame whose outermost pixels are those of r.
void drawEdge(QPainter &painter, const QRect &r, const QColor &color) {
  if (r.width() <= 0 || r.height() <= 0) return;
  painter.setPen(color);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace

// --- TkwoComboBoxField ---

QRect TkwoComboBoxField::buttonRect() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  const QRect button = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
  // A widget style may reach the button over the control's edge, or past
  // it; the skin's two frames take the outer two pixels all round.
  const int m = kComboFrameWidth;
  return button.intersected(rect().adjusted(m, m, -m, -m));
}

void TkwoComboBoxField::hidePopup() {
  QComboBox::hidePopup();
  if (onPopupHidden) onPopupHidden();
}

// --- TkwoComboBox ---

TkwoComboBox::TkwoComboBox(ui::Component *owner) : ui::Control(owner) {
  setColor(platform::clWindow);
  setAttribute(Qt::WA_OpaquePaintEvent);
  combo_ = new TkwoComboBoxField(this);
  combo_->installEventFilter(this);
  // The list's window paints its own frame first; the skin's goes over it.
  list_ = combo_->view()->window();
  list_->installEventFilter(this);
  combo_->onPopupHidden = [self = QPointer<TkwoComboBox>(this)] {
    if (self.isNull() || self->isDying()) return;
    if (ui::Control *parent = self->parentControl()) parent->update();
  };
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

TkwoComboBox::~TkwoComboBox() {
  beginDestroy();
  combo_->onPopupHidden = nullptr;
  combo_->removeEventFilter(this);
  list_->removeEventFilter(this);
}

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
  const char *name = buttonPictureName(style);
  buttonPicture_ = name != nullptr ? BuiltInBitmap(name) : QImage();
  rebuildButtonPicture();
  update();
  combo_->update();
}

void TkwoComboBox::rebuildButtonPicture() {
  const QRect button = buttonRect();
  stretchedButton_ = buttonPicture_.isNull() || button.isEmpty()
                         ? QPixmap()
                         : QPixmap::fromImage(buttonPicture_.scaled(button.size(), Qt::IgnoreAspectRatio,
                                                                    Qt::FastTransformation));
}

void TkwoComboBox::setBorderColor(platform::TColor color) {
  borderColor_ = color;
  update();
  combo_->update();
}

void TkwoComboBox::setButtonColor(platform::TColor color) {
  buttonColor_ = color;
  update();
  combo_->update();
}

void TkwoComboBox::setArrowColor(platform::TColor color) {
  arrowColor_ = color;
  update();
  combo_->update();
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

void TkwoComboBox::enabledChanged() {
  update();
  combo_->update();
}

void TkwoComboBox::colorChanged() {
  if (combo_ == nullptr) return;
  const QColor c = ui::toQColor(color());
  if (!c.isValid()) return;
  QPalette palette = combo_->palette();
  palette.setColor(QPalette::Base, c);
  combo_->setPalette(palette);
}

void TkwoComboBox::paintEvent(QPaintEvent *) {
  // The hosted combo box covers the control and paints everything.
}

bool TkwoComboBox::eventFilter(QObject *watched, QEvent *event) {
  if (watched == combo_ && event->type() == QEvent::Resize) {
    rebuildButtonPicture();
  } else if (event->type() == QEvent::Paint && !painting_ && (watched == combo_ || watched == list_)) {
    // Let the widget paint first, then draw over it.
    painting_ = true;
    const bool handled = watched->event(event);
    painting_ = false;
    if (isDying() || IsWin95OSR2()) return handled;
    if (watched == combo_) {
      QPainter painter(combo_);
      drawSkin(painter);
    } else {
      drawListFrame(*list_);
    }
    return true;
  }
  return ui::Control::eventFilter(watched, event);
}

void TkwoComboBox::drawSkin(QPainter &painter) {
  if (style_ == TComboBoxStyle::csSimple) return;
  drawEdge(painter, combo_->rect(), ui::toQColor(borderColor_));
  drawEdge(painter, combo_->rect().adjusted(1, 1, -1, -1), ui::toQColor(color()));
  const QRect button = buttonRect();
  if (button.isEmpty()) return;
  if (!stretchedButton_.isNull()) {
    painter.drawPixmap(button.topLeft(), stretchedButton_);
  } else {
    painter.fillRect(button, ui::toQColor(buttonColor_));
    painter.setPen(ui::toQColor(borderColor_));
    painter.drawLine(button.left(), button.top() - 1, button.left(), button.top() + button.height());
  }
  if (uiStyle_ != TkwoUIStyle::WinXP) drawArrow(painter, button);
}

void TkwoComboBox::drawArrow(QPainter &painter, const QRect &button) {
  const Point at = ComboArrow(Rect{button.left(), button.top(), button.left() + button.width(),
                                   button.top() + button.height()});
  if (isEnabled()) {
    const QColor ink = ui::toQColor(arrowColor_);
    fillTriangle(painter, at.x, at.y, ink, ink);
    return;
  }
  const QColor white(255, 255, 255);
  const QColor grey(128, 128, 128);
  fillTriangle(painter, at.x + 1, at.y + 1, white, white);
  fillTriangle(painter, at.x, at.y, grey, grey);
}

void TkwoComboBox::drawListFrame(QWidget &list) {
  QPainter painter(&list);
  drawEdge(painter, list.rect(), ui::toQColor(borderColor_));
}

}  // namespace kwo
