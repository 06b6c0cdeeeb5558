#include "kwo_button.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

#include "color.h"
#include "form.h"
#include "greyed_picture.h"

namespace kwo {
namespace {

bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

constexpr Qt::KeyboardModifiers kShiftCtrlAlt = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// A picture that has no transparency of its own is masked by the colour of
// its top-left pixel.
QPixmap masked(const QPixmap &picture) {
  if (picture.isNull() || picture.hasAlphaChannel()) return picture;
  QPixmap result = picture;
  const QImage image = picture.toImage();
  result.setMask(QBitmap::fromImage(image.createMaskFromColor(image.pixel(0, 0), Qt::MaskInColor)));
  return result;
}

}  // namespace

// --- TkwoCustomButton ---

QPixmap TkwoCustomButton::cornerMasked(const QPixmap &picture) { return masked(picture); }

TkwoCustomButton::TkwoCustomButton(ui::Component *owner) : TkwoFocusControl(owner) {
  repeatTimer_.setEnabled(false);
  repeatTimer_.OnTimer = [this](ui::Timer *) {
    if (OnMouseContinuouslyDown && !isDying()) OnMouseContinuouslyDown(this);
  };
}

TkwoCustomButton::~TkwoCustomButton() {
  beginDestroy();
  repeatTimer_.stop();
}

void TkwoCustomButton::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  updateSource_ = ThemeSource::resolve(fileTheme(), style);
  takeFace(*updateSource_);
  applyUIStyle();
  updateSource_.reset();
  update();
}

ThemeSource TkwoCustomButton::themeSource() const {
  return updateSource_ ? *updateSource_ : ThemeSource::resolve(fileTheme(), uiStyle_);
}

void TkwoCustomButton::takeFace(const ThemeSource &source) {
  face_.fill = source.color(tiToolBarButtonBackgroundColor);
  face_.border = source.color(tiToolBarButtonBorderColor);
  face_.hotBorder = source.color(tiMenuSelectedBorderColor);
  face_.down = source.color(tiToolBarButtonDownBackgroundColor);
  // One of the button picture's three frames.
  const QImage picture = source.image(tiButtonImage);
  face_.frame = picture.width() >= 3 ? Size{picture.width() / 3, picture.height()} : Size{};
}

void TkwoCustomButton::setAutoSize(bool value) {
  autoSize_ = value;
  autoSizeToPicture();
  update();
}

void TkwoCustomButton::autoSizeToPicture() {
  if (!autoSize_) return;
  const Size s = ButtonAutoSize(uiStyle_);
  setBounds(left(), top(), s.width, s.height);
}

void TkwoCustomButton::transparentChanged() {
  pictureTransparent_ = transparent();
  update();
}

void TkwoCustomButton::setDefault(bool value) {
  default_ = value;
  if (ui::Form *form = parentForm()) {
    // Every button of the form works out again which one answers Enter.
    form->focusChanged(form->focusedControl());
  } else {
    answersEnter_ = value;
  }
  update();
}

void TkwoCustomButton::setCancel(bool value) { cancel_ = value; }

void TkwoCustomButton::setFocusedRectMargin(int value) {
  focusedRectMargin_ = value;
  update();
}

bool TkwoCustomButton::canTakeFocus() const {
  if (!isEnabled()) return false;
  for (const ui::Control *c = this; c != nullptr; c = c->parentControl()) {
    if (!c->visible()) return false;
  }
  return true;
}

void TkwoCustomButton::releasePress() {
  stopRepeat();
  pressed_ = false;
}

void TkwoCustomButton::click() {
  if (isDying()) return;
  QPointer<TkwoCustomButton> self(this);
  if (pressed_) {
    releasePress();
    update();
  }
  if (ui::Form *form = parentForm()) form->setModalResult(modalResult_);
  if (self.isNull()) return;
  ui::Control::click();
}

bool TkwoCustomButton::dialogKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool ours = (isEnterKey(key) && answersEnter_) || (key == Qt::Key_Escape && cancel_);
  if (ours && (modifiers & kShiftCtrlAlt) == 0 && canTakeFocus()) {
    click();
    return true;
  }
  return ui::Control::dialogKey(key, modifiers);
}

bool TkwoCustomButton::dialogChar(QChar character) {
  if (!isAccelerator(character)) return false;
  click();
  return true;
}

void TkwoCustomButton::focusChanged(ui::Control *focused, ui::Control *previous) {
  if (qobject_cast<TkwoButton *>(focused) != nullptr) {
    answersEnter_ = focused == this;
  } else {
    answersEnter_ = default_;
  }
  update();
  ui::Control::focusChanged(focused, previous);
}

void TkwoCustomButton::enabledChanged() {
  // A disabled widget gets no release and no leave: end the press here.
  if (!isEnabled()) {
    releasePress();
    mouseOver_ = false;
  }
  update();
}

void TkwoCustomButton::hideEvent(QHideEvent *event) {
  releasePress();
  mouseOver_ = false;
  ui::Control::hideEvent(event);
}

void TkwoCustomButton::mouseEnter() {
  mouseOver_ = true;
  update();
  if (OnMouseEnter && !isDying()) OnMouseEnter(this);
}

void TkwoCustomButton::mouseLeave() {
  mouseOver_ = false;
  releasePress();
  update();
  if (OnMouseExit && !isDying()) OnMouseExit(this);
}

void TkwoCustomButton::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (button == ui::MouseButton::Left) {
    pressed_ = true;
    if (!repeatTimer_.enabled()) {
      repeatTimer_.setInterval(std::max(repeatInterval_, 0));
      repeatTimer_.start();
    }
    if (tabStop() && canTakeFocus()) setFocus(Qt::MouseFocusReason);
    update();
  }
  ui::Control::mouseDown(button, shift, x, y);
}

void TkwoCustomButton::mouseMove(ui::ShiftState shift, int x, int y) {
  QPointer<TkwoCustomButton> self(this);
  ui::Control::mouseMove(shift, x, y);
  if (self.isNull()) return;
  if (x < 0 || y < 0 || x > width() || y > height()) {
    mouseOver_ = false;
    releasePress();
    update();
  }
}

void TkwoCustomButton::mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (button == ui::MouseButton::Left) {
    // The repeat ends with the button, wherever it is released; a release
    // outside also ends the press (no click follows).
    stopRepeat();
    if (x < 0 || y < 0 || x >= width() || y >= height()) {
      pressed_ = false;
      mouseOver_ = false;
      update();
    }
  }
  ui::Control::mouseUp(button, shift, x, y);
}

void TkwoCustomButton::keyPressEvent(QKeyEvent *event) {
  const int key = event->key();
  const bool plain = (event->modifiers() & kShiftCtrlAlt) == 0;
  if ((key == Qt::Key_Space || (isEnterKey(key) && plain)) && hasFocus() && isEnabled()) {
    pressed_ = true;
    update();
    event->accept();
    return;
  }
  ui::Control::keyPressEvent(event);
}

void TkwoCustomButton::keyReleaseEvent(QKeyEvent *event) {
  const int key = event->key();
  if ((key == Qt::Key_Space || isEnterKey(key)) && !event->isAutoRepeat() && hasFocus() && pressed_ &&
      isEnabled()) {
    pressed_ = false;
    update();
    event->accept();
    click();
    return;
  }
  ui::Control::keyReleaseEvent(event);
}

void TkwoCustomButton::paint(QPainter &painter) {
  if (isDestroying()) return;
  paintBackground(painter);
  drawPicture(painter, currentPicture());
  if (showsFocus()) drawFocus(painter);
  painter.setFont(font());
  if (!caption().trimmed().isEmpty()) drawCaption(painter);
  boldCaption_ = false;
}

void TkwoCustomButton::drawPlainFace(QPainter &painter, ButtonPicture picture, const QRect &r) const {
  if (r.width() <= 0 || r.height() <= 0) return;
  QColor fill = ui::toQColor(face_.fill);
  QColor border = ui::toQColor(face_.border);
  switch (picture) {
    case ButtonPicture::MouseOn:
      fill = fill.lighter(106);
      border = ui::toQColor(face_.hotBorder);
      break;
    case ButtonPicture::MouseDown:
      fill = ui::toQColor(face_.down);
      break;
    case ButtonPicture::Disabled:
      border = QColor(160, 160, 160);
      break;
    case ButtonPicture::Normal:
      break;
  }
  painter.save();
  painter.setPen(border);
  painter.setBrush(fill);
  if (pictureTransparent_) {
    // The picture's corners let the background through.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRoundedRect(r.adjusted(0, 0, -1, -1), 3, 3);
  } else {
    painter.drawRect(r.adjusted(0, 0, -1, -1));
  }
  painter.restore();
}

void TkwoCustomButton::drawPicture(QPainter &painter, ButtonPicture picture) {
  // The picture is one frame of the look's button picture, at its own size.
  drawPlainFace(painter, picture, QRect(0, 0, face_.frame.width, face_.frame.height));
}

// Engraved grey when disabled, otherwise in the font's colour, one pixel
// down and right while pressed.
void TkwoCustomButton::drawCaptionText(QPainter &painter, const QRect &box, int flags) {
  if (!isEnabled()) {
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(box.translated(1, 1), flags, caption());
    painter.setPen(QColor(128, 128, 128));
    painter.drawText(box, flags, caption());
  } else {
    painter.setPen(ui::toQColor(controlFont().color));
    painter.drawText(pressed_ ? box.translated(1, 1) : box, flags, caption());
  }
}

void TkwoCustomButton::drawCaptionAt(QPainter &painter, int x, int y) {
  const QRect box(x, y, std::max(width() - x, 0), std::max(height() - y, 0));
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
  painter.save();
  drawCaptionText(painter, box, flags);
  painter.restore();
}

void TkwoCustomButton::drawCentredCaption(QPainter &painter) {
  painter.save();
  QFont f = font();
  if (boldCaption_) f.setBold(true);
  painter.setFont(f);
  const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
  drawCaptionText(painter, rect(), flags);
  painter.restore();
  boldCaption_ = false;
}

void TkwoCustomButton::drawCaption(QPainter &painter) { drawCentredCaption(painter); }

void TkwoCustomButton::drawFocus(QPainter &painter) {
  const int m = focusedRectMargin_;
  drawFocusRect(painter, QRect(m, m, width() - 2 * m, height() - 2 * m));
}

// --- TkwoButton ---

TkwoButton::TkwoButton(ui::Component *owner) : TkwoCustomButton(owner) {
  setBounds(0, 0, 80, 27);
  setUIStyle(GetOwnerFormUIStyle(owner));
}

void TkwoButton::setGlyph(const QPixmap &glyph) {
  glyph_ = glyph;
  update();
}

void TkwoButton::setLayout(ButtonLayout layout) {
  layout_ = layout;
  update();
}

void TkwoButton::setSpacing(int value) {
  spacing_ = value;
  update();
}

void TkwoButton::applyUIStyle() { setTransparent(themeSource().boolean(tiButtonTransparentBool)); }

GlyphPlacement TkwoButton::glyphPlacement() const {
  const QFontMetrics fm(font());
  return PlaceGlyphAndCaption(layout_, width(), height(), fm.horizontalAdvance(caption()), fm.height(),
                              glyph_.width(), glyph_.height(), spacing_, pressed());
}

void TkwoButton::drawPicture(QPainter &painter, ButtonPicture picture) {
  drawPlainFace(painter, picture, rect());
  if (glyph_.isNull()) return;
  const GlyphPlacement p = glyphPlacement();
  captionOrigin_ = p.caption;
  const QPixmap picture1 = masked(glyph_);
  const int frame = p.twoFrames && !isEnabled() ? 1 : 0;
  QPixmap glyph = picture1.copy(frame * p.glyphSize.width, 0, p.glyphSize.width, p.glyphSize.height);
  if (!p.twoFrames && !isEnabled()) glyph = ui::greyedPicture(glyph);
  painter.drawPixmap(p.glyph.x, p.glyph.y, glyph);
}

void TkwoButton::drawCaption(QPainter &painter) {
  if (glyph_.isNull()) {
    drawCentredCaption(painter);
    return;
  }
  drawCaptionAt(painter, captionOrigin_.x, captionOrigin_.y);
  boldCaption_ = false;
}

void TkwoButton::drawFocus(QPainter &painter) {
  // These two looks show the focus by a bold caption.
  if (uiStyle_ == TkwoUIStyle::MacOS || uiStyle_ == TkwoUIStyle::BlueGlass) {
    boldCaption_ = true;
    return;
  }
  TkwoCustomButton::drawFocus(painter);
}

}  // namespace kwo
