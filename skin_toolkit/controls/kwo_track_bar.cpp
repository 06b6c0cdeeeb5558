#include "skin_toolkit/controls/kwo_track_bar.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/opaque_paint.h"
#include "skin_toolkit/rules/track_bar_logic.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {
namespace {

constexpr int kRepeatInterval = 100;

}  // namespace

TkwoTrackBar::TkwoTrackBar(ui::Component *owner) : ui::Panel(owner) {
  setPlain();
  slider_ = new TkwoImagePanel(this);
  slider_->setParentControl(this);
  // The bar hit-tests the slider itself.
  slider_->setAttribute(Qt::WA_TransparentForMouseEvents, true);
  repeat_ = new ui::Timer(this);
  repeat_->setEnabled(false);
  repeat_->setInterval(kRepeatInterval);
  repeat_->OnTimer = [this](ui::Timer *) { repeatTick(); };
  setParentColor(true);
  setFocusPolicy(Qt::TabFocus);
  SetOpaquePainting(*this, transparent_);
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoTrackBar::~TkwoTrackBar() {
  beginDestroy();
  stopRepeat();
}

void TkwoTrackBar::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  refresh();
  if (style == TkwoUIStyle::MacOS) setTransparent(true);
}

void TkwoTrackBar::setOrientation(TkwoProgressBarOrientation value) {
  if (orientation_ == value) return;
  orientation_ = value;
  refresh();
}

void TkwoTrackBar::setBarImage(const QPixmap &picture) {
  barImage_ = picture;
  refresh();
}

const QPixmap &TkwoTrackBar::sliderImage() const { return slider_->picture(); }

void TkwoTrackBar::setSliderImage(const QPixmap &picture) {
  slider_->setPicture(picture);
  update();
}

void TkwoTrackBar::setMax(int value) {
  if (value == max_) return;
  max_ = std::max(value, min_);
  position_ = std::min(position_, max_);
  updateSlider();
}

void TkwoTrackBar::setMin(int value) {
  if (value == min_) return;
  min_ = std::min(value, max_);
  position_ = std::max(position_, min_);
  updateSlider();
}

void TkwoTrackBar::setPosition(int value) { storePosition(value); }

void TkwoTrackBar::storePosition(int64_t value) {
  position_ = TrackClamp(value, min_, max_);
  updateSlider();
}

void TkwoTrackBar::setPageSize(int value) {
  if (value >= 0 && value <= max_) pageSize_ = value;
}

void TkwoTrackBar::setLineSize(int value) {
  if (value >= 0 && value <= max_) lineSize_ = value;
}

void TkwoTrackBar::setFrequency(int value) {
  frequency_ = value;
  update();
}

void TkwoTrackBar::setShowTick(bool value) {
  showTick_ = value;
  update();
}

void TkwoTrackBar::setTransparent(bool value) {
  transparent_ = value;
  // A transparent bar leaves its parent showing where it draws nothing.
  SetOpaquePainting(*this, value);
  update();
}

void TkwoTrackBar::colorChanged() {
  // The strip is laid on Color.
  renderBarStrip();
  ui::Panel::colorChanged();
}

void TkwoTrackBar::setTabStop(bool value) {
  tabStop_ = value;
  setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus);
}

int64_t TkwoTrackBar::valueAt(int x, int y) const {
  if (horizontal()) return TrackValueAt(x, width(), slider_->width(), min_, max_);
  return TrackValueAt(y, height(), slider_->height(), min_, max_);
}

QRect TkwoTrackBar::sliderRect() const { return slider_->geometry(); }

std::vector<int> TkwoTrackBar::tickPositions() const {
  if (horizontal()) return TrackTickPositions(min_, max_, frequency_, width(), slider_->width());
  return TrackTickPositions(min_, max_, frequency_, height(), slider_->height());
}

void TkwoTrackBar::updateSlider() {
  if (isDestroying()) return;
  const int sw = slider_->width();
  const int sh = slider_->height();
  if (horizontal()) {
    slider_->setBounds(TrackSliderOffset(width(), sw, min_, max_, position_), TrackCrossOffset(height(), sh), sw, sh);
  } else {
    slider_->setBounds(TrackCrossOffset(width(), sw), TrackSliderOffset(height(), sh, min_, max_, position_), sw, sh);
  }
  update();
  if (position_ == lastReported_) return;
  lastReported_ = position_;
  if (OnChange && !isDying()) OnChange(this);
}

void TkwoTrackBar::refresh() {
  if (refreshing_ || isDestroying()) return;
  refreshing_ = true;
  loadThemeImages();
  fitThickness();
  refreshing_ = false;
  renderBarStrip();
  updateSlider();
  update();
}

void TkwoTrackBar::loadThemeImages() {
  if (keepOwnImages()) return;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), uiStyle_);
  barImage_ = QPixmap::fromImage(source.image(tiTrackBarBarImage));
  const int slider = horizontal() ? tiTrackBarSliderImage : tiTrackBarSliderVImage;
  slider_->setPicture(QPixmap::fromImage(source.image(slider)));
  slider_->setTransparent(isSliderTransparent());
  slider_->setAutoSize(true);
}

void TkwoTrackBar::renderBarStrip() {
  const int length = horizontal() ? width() : height();
  const int thickness = barImage_.height();
  if (length <= 0 || thickness <= 0) {
    barStrip_ = QPixmap();
    return;
  }
  QImage strip(length, thickness, QImage::Format_RGB32);
  strip.fill(ui::toQColor(color()));
  {
    QPainter p(&strip);
    DrawThreePartStretch(p, barImage_.toImage(), strip.rect(), false);
  }
  // Turned left, the strip runs down a vertical bar.
  barStrip_ = QPixmap::fromImage(horizontal() ? strip : RotateBitmapLeft(strip));
}

void TkwoTrackBar::fitThickness() {
  const int bar = barImage_.height();
  if (horizontal()) {
    setBounds(left(), top(), width(), std::max(bar, slider_->height()));
  } else {
    setBounds(left(), top(), std::max(bar, slider_->width()), height());
  }
  update();
}

void TkwoTrackBar::resized() {
  ui::Panel::resized();
  refresh();
}

void TkwoTrackBar::paint(QPainter &painter) {
  if (isDestroying()) return;
  if (!transparent_) ui::Control::paint(painter);
  const int bar = barImage_.height();
  if (!barStrip_.isNull()) {
    if (horizontal()) {
      painter.drawPixmap(0, (height() - bar) / 2, barStrip_);
    } else {
      painter.drawPixmap((width() - bar) / 2, 0, barStrip_);
    }
  }
  if (hasFocus() && tabStop_) {
    QPen pen(ui::toQColor(controlFont().color));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  if (!showTick_) return;
  painter.setPen(QColor(0, 0, 0));
  const int w = width();
  const int h = height();
  for (int p : tickPositions()) {
    if (horizontal()) {
      painter.drawLine(p, h - 3, p, h - 1);
    } else {
      painter.drawLine(0, p, 2, p);
      painter.drawLine(w - 3, p, w - 1, p);
    }
  }
}

void TkwoTrackBar::focusOnPress() {
  if (!hasFocus() && canHoldFocus()) setFocus(Qt::MouseFocusReason);
}

void TkwoTrackBar::mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  QPointer<TkwoTrackBar> self(this);
  lastMouse_ = QPoint(x, y);
  if (button == ui::MouseButton::Left && sliderRect().contains(x, y)) {
    dragging_ = true;
    focusOnPress();
    if (self.isNull()) return;
    // The implicit grab keeps the moves coming to the bar until release.
    ui::Panel::mouseDown(button, shift, x, y);
    return;
  }
  ui::Panel::mouseDown(button, shift, x, y);
  if (self.isNull() || isDying() || button != ui::MouseButton::Left) return;
  stepTowardPoint(QPoint(x, y), pageSize_);
  if (self.isNull() || isDying()) return;
  if (!repeat_->running() && isEnabled() && isVisible()) repeat_->start();
  focusOnPress();
}

void TkwoTrackBar::stepTowardPoint(QPoint at, int64_t step) {
  const int point = horizontal() ? at.x() : at.y();
  const int edge = horizontal() ? slider_->left() : slider_->top();
  storePosition(TrackStepToward(position_, step, valueAt(at.x(), at.y()), point, edge, min_, max_));
}

void TkwoTrackBar::repeatTick() {
  if (isDying() || !isEnabled() || !isVisible()) {
    stopRepeat();
    return;
  }
  // Three pages a tick along a horizontal bar, one along a vertical one;
  // the value under the mouse still limits the step.
  const int64_t step = horizontal() ? 3 * int64_t{pageSize_} : int64_t{pageSize_};
  stepTowardPoint(lastMouse_, step);
}

void TkwoTrackBar::stopRepeat() {
  if (repeat_ != nullptr) repeat_->stop();
}

void TkwoTrackBar::mouseMove(ui::ShiftState shift, int x, int y) {
  QPointer<TkwoTrackBar> self(this);
  ui::Panel::mouseMove(shift, x, y);
  if (self.isNull() || isDying()) return;
  lastMouse_ = QPoint(x, y);
  if (dragging_) {
    storePosition(valueAt(x, y));
    return;
  }
  if (x < 0 || x > width() || y < 0 || y > height()) stopRepeat();
}

void TkwoTrackBar::mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  stopRepeat();
  dragging_ = false;
  ui::Panel::mouseUp(button, shift, x, y);
}

void TkwoTrackBar::mouseLeave() {
  if (!dragging_) stopRepeat();
  ui::Panel::mouseLeave();
}

void TkwoTrackBar::enabledChanged() {
  // A disabled widget gets no release: the press ends here.
  if (!isEnabled()) {
    stopRepeat();
    dragging_ = false;
  }
  update();
}

void TkwoTrackBar::hideEvent(QHideEvent *event) {
  stopRepeat();
  dragging_ = false;
  ui::Panel::hideEvent(event);
}

void TkwoTrackBar::focusInEvent(QFocusEvent *event) {
  ui::Panel::focusInEvent(event);
  update();
}

void TkwoTrackBar::focusOutEvent(QFocusEvent *event) {
  ui::Panel::focusOutEvent(event);
  update();
}

bool TkwoTrackBar::wantsKey(int key, Qt::KeyboardModifiers) const {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

void TkwoTrackBar::keyPressEvent(QKeyEvent *event) {
  QPointer<TkwoTrackBar> self(this);
  ui::Panel::keyPressEvent(event);
  if (self.isNull() || isDying()) return;
  const int64_t p = position_;
  switch (event->key()) {
    case Qt::Key_PageUp: storePosition(p - pageSize_); break;
    case Qt::Key_PageDown: storePosition(p + pageSize_); break;
    case Qt::Key_End: storePosition(max_); break;
    case Qt::Key_Home: storePosition(min_); break;
    case Qt::Key_Left:
    case Qt::Key_Up: storePosition(p - lineSize_); break;
    case Qt::Key_Right:
    case Qt::Key_Down: storePosition(p + lineSize_); break;
    default: return;
  }
  event->accept();
}

TkwoScrollTrackBar::TkwoScrollTrackBar(ui::Component *owner) : TkwoTrackBar(owner) {
  setUIStyle(GetOwnerFormUIStyle(owner));
}

void TkwoScrollTrackBar::refitSlider() { slider()->setAutoSize(true); }

}  // namespace kwo
