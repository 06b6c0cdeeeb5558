#include "skin_toolkit/controls/kwo_button.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "platform/ui/greyed_picture.h"
#include "skin_toolkit/themes/drawing.h"

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

// What stands in when the look has no button picture.
constexpr int kEmptyPictureWidth = 74;
constexpr int kEmptyPictureHeight = 21;

QImage emptyPicture() {
  QImage picture(kEmptyPictureWidth, kEmptyPictureHeight, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  return picture;
}

size_t indexOf(ButtonPicture picture) { return static_cast<size_t>(picture); }

constexpr ButtonPicture kPictures[] = {ButtonPicture::Normal, ButtonPicture::MouseOn, ButtonPicture::MouseDown,
                                       ButtonPicture::Disabled};

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
  takeFrames(*updateSource_);
  applyUIStyle();
  updateSource_.reset();
  rebuildPictures();
  update();
}

ThemeSource TkwoCustomButton::themeSource() const {
  return updateSource_ ? *updateSource_ : ThemeSource::resolve(fileTheme(), uiStyle_);
}

void TkwoCustomButton::takeFrames(const ThemeSource &source) {
  for (size_t i = 0; i < frames_.size(); ++i) {
    frames_[i] = source.imageFrame(tiButtonImage, static_cast<int>(i) + 1, static_cast<int>(frames_.size()));
  }
  if (std::any_of(frames_.begin(), frames_.end(), [](const QImage &f) { return f.isNull(); })) {
    frames_.fill(emptyPicture());
  }
}

const QImage &TkwoCustomButton::stateFrame(ButtonPicture picture) const {
  return frames_[static_cast<size_t>(ButtonPictureFrame(picture) - 1)];
}

void TkwoCustomButton::rebuildPictures() {
  for (ButtonPicture p : kPictures) {
    QPixmap frame = QPixmap::fromImage(stateFrame(p));
    if (pictureTransparent_) frame = masked(frame);
    if (p == ButtonPicture::Disabled) frame = ui::greyedPicture(frame);
    shown_[indexOf(p)] = frame;
  }
}

void TkwoCustomButton::resized() {
  rebuildPictures();
  ui::Control::resized();
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
  rebuildPictures();
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

void TkwoCustomButton::drawPicture(QPainter &painter, ButtonPicture picture) {
  // One frame of the look's button picture at its own size.
  painter.drawPixmap(0, 0, shown_[indexOf(picture)]);
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
  enabledGlyph_ = QPixmap();
  disabledGlyph_ = QPixmap();
  if (!glyph_.isNull()) {
    // Two frames (enabled, disabled) when twice as wide as high.
    const QPixmap keyed = masked(glyph_);
    const bool twoFrames = glyph_.width() == 2 * glyph_.height();
    const int w = twoFrames ? glyph_.height() : glyph_.width();
    enabledGlyph_ = keyed.copy(0, 0, w, glyph_.height());
    disabledGlyph_ = twoFrames ? keyed.copy(w, 0, w, glyph_.height()) : ui::greyedPicture(enabledGlyph_);
  }
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

void TkwoButton::rebuildPictures() {
  const QSize size(std::max(width(), 0), std::max(height(), 0));
  for (ButtonPicture p : kPictures) {
    QPixmap &face = faces_[indexOf(p)];
    if (size.isEmpty()) {
      face = QPixmap();
      continue;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    DrawNineGrid(stateFrame(p), painter, QRect(QPoint(0, 0), size), pictureTransparent_);
    painter.end();
    face = QPixmap::fromImage(image);
  }
}

void TkwoButton::drawPicture(QPainter &painter, ButtonPicture picture) {
  painter.drawPixmap(0, 0, faces_[indexOf(picture)]);
  if (glyph_.isNull()) return;
  const GlyphPlacement p = glyphPlacement();
  captionOrigin_ = p.caption;
  painter.drawPixmap(p.glyph.x, p.glyph.y, isEnabled() ? enabledGlyph_ : disabledGlyph_);
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
