#include "skin_toolkit/controls/kwo_check_box.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include "platform/ui/color.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {

// --- TkwoCheckBox ---

TkwoCheckBox::TkwoCheckBox(ui::Component *owner) : TkwoFocusControl(owner) {
  setColor(platform::clWindow);
  setParentColor(true);
  ui::Control::setBounds(0, 0, 93, 17);
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoCheckBox::~TkwoCheckBox() { beginDestroy(); }

void TkwoCheckBox::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  const int item = isRadio() ? tiRadioButtonImage : tiCheckBoxImage;
  const QImage picture = source.image(item);
  pictureSize_ = CheckPictureSize(ImageSize{picture.width(), picture.height()});
  for (size_t i = 0; i < frames_.size(); ++i) {
    const QImage frame = source.imageFrame(item, static_cast<int>(i) + 1, static_cast<int>(frames_.size()));
    // The radio picture lets its background colour (the bottom-left pixel)
    // through; the check box's is opaque.
    if (frame.isNull()) {
      frames_[i] = QPixmap();
    } else if (isRadio()) {
      frames_[i] = QPixmap::fromImage(KeyedImage(frame, frame.pixel(0, frame.height() - 1)));
    } else {
      frames_[i] = QPixmap::fromImage(frame.convertToFormat(QImage::Format_RGB32));
    }
  }
  applyAutoSize();
  update();
}

void TkwoCheckBox::setChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  update();
  stateChanged();
}

void TkwoCheckBox::stateChanged() { fireClick(); }

void TkwoCheckBox::fireClick() {
  if (isLoading() || isDying()) return;
  if (OnClick) OnClick(this);
}

void TkwoCheckBox::toggle() {
  beforeToggle();
  setChecked(!checked_);
}

void TkwoCheckBox::click() {
  if (isDying()) return;
  toggle();
}

void TkwoCheckBox::setAutoSize(bool value) {
  autoSize_ = value;
  applyAutoSize();
  update();
}

void TkwoCheckBox::applyAutoSize() {
  if (!autoSize_ || isDestroying()) return;
  setBounds(left(), top(), width(), height());
}

void TkwoCheckBox::setBounds(int left, int top, int width, int height) {
  if (autoSize_) {
    const QFontMetrics metrics(font());
    const Size s = CheckAutoSize(pictureSize(), metrics.horizontalAdvance(caption()), metrics.height());
    width = s.width;
    height = s.height;
  }
  ui::Control::setBounds(left, top, width, height);
}

void TkwoCheckBox::captionChanged() {
  applyAutoSize();
  update();
}

void TkwoCheckBox::fontChanged() {
  applyAutoSize();
  update();
}

bool TkwoCheckBox::dialogChar(QChar character) {
  if (!isAccelerator(character)) return false;
  QPointer<TkwoCheckBox> self(this);
  if (canFocus()) setFocus(Qt::ShortcutFocusReason);
  if (!self.isNull()) click();
  return true;
}

void TkwoCheckBox::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  QPointer<TkwoCheckBox> self(this);
  ui::Control::mouseDown(button, shift, x, y);
  if (self.isNull()) return;
  if (button == ui::MouseButton::Left && tabStop() && canFocus()) setFocus(Qt::MouseFocusReason);
}

void TkwoCheckBox::keyReleaseEvent(QKeyEvent *event) {
  // Space toggles a focused check box. Enter stays the dialog's key.
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && hasFocus() && isEnabled() && keyToggles()) {
    update();
    event->accept();
    click();
    return;
  }
  ui::Control::keyReleaseEvent(event);
}

void TkwoCheckBox::paint(QPainter &painter) {
  if (isDestroying()) return;
  paintBackground(painter);
  const QFontMetrics metrics(font());
  const Size picture = pictureSize();
  const CheckLayout layout = PlaceCheck(picture, height(), metrics.height());
  const QPixmap &frame = frames_[static_cast<size_t>(pictureFrame() - 1)];
  if (!frame.isNull()) painter.drawPixmap(layout.picture.x, layout.picture.y, frame);

  // The caption in the font's colour: the picture shows the disabled state.
  painter.setFont(font());
  painter.setPen(ui::toQColor(controlFont().color));
  const QRect textBox(layout.caption.x, layout.caption.y, std::max(width() - layout.caption.x, 0),
                      std::max(height() - layout.caption.y, 0));
  painter.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption());

  // Round the caption, up to the right edge.
  if (wantsFocusRect()) {
    drawFocusRect(painter, QRect(QPoint(layout.caption.x - 1, layout.caption.y),
                                 QPoint(width(), layout.caption.y + metrics.height() + 2)));
  }
}

// --- TkwoRadioButton ---

TkwoRadioButton::TkwoRadioButton(ui::Component *owner) : TkwoCheckBox(owner) {
  setDoubleClicks(true);
  // The picture differs from the check box's.
  setUIStyle(GetOwnerFormUIStyle(owner));
}

void TkwoRadioButton::toggle() {
  if (!checked()) setChecked(true);
}

void TkwoRadioButton::focusChanged(ui::Control *focused, ui::Control *previous) {
  if (focused == this && previous != nullptr && previous != this &&
      previous->inherits("kwo::TkwoRadioGroupButton")) {
    QPointer<TkwoRadioButton> self(this);
    click();
    if (self.isNull()) return;
  }
  TkwoCheckBox::focusChanged(focused, previous);
}

void TkwoRadioButton::stateChanged() {
  if (!checked()) return;
  QPointer<TkwoRadioButton> self(this);
  if (ui::Control *parent = parentControl()) {
    // Unchecking fires nothing: a radio button tells only of being checked.
    const std::vector<ui::Control *> siblings = parent->controls();
    for (ui::Control *c : siblings) {
      auto *radio = qobject_cast<TkwoRadioButton *>(c);
      if (radio == nullptr || radio == this || radio->groupIndex_ != groupIndex_) continue;
      radio->setChecked(false);
    }
  }
  if (!self.isNull()) fireClick();
}

}  // namespace kwo
