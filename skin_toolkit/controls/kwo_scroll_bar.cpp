#include "skin_toolkit/controls/kwo_scroll_bar.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/opaque_paint.h"
#include "skin_toolkit/rules/scroll_bar_logic.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {
namespace {

constexpr int kArrowRepeatInterval = 100;
constexpr int kArrowFrames = 6;
constexpr int kThumbFrames = 3;

// Frame index (0-based) of a picture of equal-width frames side by side,
// turned left or right when the bar's orientation asks for it.
enum class Turn { none, left, right };
QPixmap frameOf(const QImage &picture, int count, int index, Turn turn) {
  const QImage frame = ExtractBitmapFrame(picture, count, index + 1);
  if (frame.isNull()) return QPixmap();
  switch (turn) {
    case Turn::left: return QPixmap::fromImage(RotateBitmapLeft(frame));
    case Turn::right: return QPixmap::fromImage(RotateBitmapRight(frame));
    case Turn::none: break;
  }
  return QPixmap::fromImage(frame);
}

Size sizeOf(const ui::Control *c) { return {c->width(), c->height()}; }

}  // namespace

TkwoScrollBar::TkwoScrollBar(ui::Component *owner)
    : ui::Panel(owner), track_(new TkwoScrollTrackBar(this)), OnChange(track_->OnChange) {
  // The bar fills itself with Color before its parts.
  SetOpaquePainting(*this, false);
  track_->setParentControl(this);
  track_->setShowTick(false);
  track_->setTabStop(false);
  track_->setTransparent(false);
  track_->setMax(100);

  // Each arrow steps by SmallChange every 100 ms while it is held.
  const auto makeArrow = [this](int direction) {
    auto *arrow = new TkwoImageButton(this);
    arrow->setParentControl(this);
    arrow->OnMouseContinuouslyDown = [this, direction](ui::Control *) { step(direction * int{smallChange_}); };
    arrow->setMouseContinuouslyDownInterval(kArrowRepeatInterval);
    arrow->setTabStop(false);
    return arrow;
  };
  increase_ = makeArrow(+1);
  decrease_ = makeArrow(-1);

  setPlain();
  setBounds(left(), top(), width(), 185);
  constructed_ = true;
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoScrollBar::~TkwoScrollBar() {
  beginDestroy();
  // No arrow repeats into a bar on its way out.
  increase_->OnMouseContinuouslyDown = nullptr;
  decrease_->OnMouseContinuouslyDown = nullptr;
}

void TkwoScrollBar::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  // The parts take the bar's look and skin; the pictures stay the bar's.
  TkwoFileTheme *theme = fileTheme();
  for (ThemeClient *part : {static_cast<ThemeClient *>(track_), static_cast<ThemeClient *>(increase_),
                            static_cast<ThemeClient *>(decrease_)}) {
    if (part->fileTheme() != theme) part->setFileTheme(theme);
    part->setUIStyle(style);
  }
  track_->setColor(color());
  loadPictures();
  layout();
}

void TkwoScrollBar::setOrientation(TkwoProgressBarOrientation value) {
  if (orientation_ == value) return;
  orientation_ = value;
  loadPictures();
  layout();
}

int TkwoScrollBar::trackLength() const {
  return ScrollTrackLength(vertical(), sizeOf(this), sizeOf(decrease_), sizeOf(increase_));
}

void TkwoScrollBar::setLineButton(int value) {
  if (value == lineButton_) return;
  if (value > trackLength()) return;
  lineButton_ = value;
  rebuildThumb();
}

void TkwoScrollBar::setPosition(int value) {
  if (value != track_->position()) track_->setPosition(value);
}

void TkwoScrollBar::setPageSize(int value) {
  track_->setPageSize(value);
  rebuildThumb();
}

void TkwoScrollBar::step(int delta) {
  if (isDying()) return;
  track_->setPosition(static_cast<int>(std::clamp<int64_t>(int64_t{track_->position()} + delta, INT32_MIN, INT32_MAX)));
}

void TkwoScrollBar::loadPictures() {
  if (!constructed_ || isDestroying()) return;
  track_->setBarImage(QPixmap());
  const ThemeSource source = ThemeSource::resolve(fileTheme(), uiStyle_);
  setColor(source.color(tiScrollBarBackgroundColor));

  // The thumb's frames are drawn lying; a standing bar turns them right.
  const QImage thumb = source.image(tiScrollBarSliderImage);
  const Turn thumbTurn = vertical() ? Turn::right : Turn::none;
  thumbStart_ = frameOf(thumb, kThumbFrames, 0, thumbTurn);
  thumbMiddle_ = frameOf(thumb, kThumbFrames, 1, thumbTurn);
  thumbEnd_ = frameOf(thumb, kThumbFrames, 2, thumbTurn);

  // The arrows' frames are drawn standing; a lying bar turns them left.
  const QImage arrows = source.image(tiScrollBarButtonImage);
  const Turn arrowTurn = vertical() ? Turn::none : Turn::left;
  const auto arrow = [&](int index) { return frameOf(arrows, kArrowFrames, index, arrowTurn); };
  decrease_->setPicNormal(arrow(0));
  decrease_->setPicMouseOn(arrow(1));
  decrease_->setPicMouseDown(arrow(2));
  increase_->setPicNormal(arrow(3));
  increase_->setPicMouseOn(arrow(4));
  increase_->setPicMouseDown(arrow(5));
  decrease_->setAutoSize(true);
  increase_->setAutoSize(true);
  update();
}

void TkwoScrollBar::layout() {
  if (!constructed_ || layingOut_ || isDestroying()) return;
  layingOut_ = true;
  track_->setOrientation(orientation_);
  const ScrollBarParts parts = ScrollBarLayout(vertical(), sizeOf(this), sizeOf(decrease_), sizeOf(increase_));
  if (parts.hidden) {
    layingOut_ = false;
    setVisible(false);
    return;
  }
  const auto place = [](ui::Control *c, const Rect &r) { c->setBounds(r.left, r.top, r.width(), r.height()); };
  place(decrease_, parts.decrease);
  if (vertical()) {
    track_->setBounds(parts.track.left, parts.track.top, track_->width(), parts.track.height());
    place(increase_, parts.increase);
    setBounds(left(), top(), parts.thickness, height());
  } else {
    track_->setBounds(parts.track.left, parts.track.top, parts.track.width(), track_->height());
    place(increase_, parts.increase);
    setBounds(left(), top(), width(), parts.thickness);
  }
  layingOut_ = false;
  rebuildThumb();
}

void TkwoScrollBar::rebuildThumb() {
  if (!constructed_ || isDestroying()) return;
  const int thickness = vertical() ? thumbStart_.width() : thumbStart_.height();
  const int trackExtent = vertical() ? track_->height() : track_->width();
  const ScrollThumb thumb = ScrollThumbLength(lineButton_, track_->pageSize(), trackExtent);
  lineButton_ = thumb.lineButton;
  const int length = thumb.known ? thumb.length : 0;

  QPixmap picture;
  if (length > 0 && thickness > 0) {
    picture = vertical() ? QPixmap(thickness, length) : QPixmap(length, thickness);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    if (vertical()) {
      const int cap = thumbStart_.height();
      p.drawPixmap(QRect(0, cap, thickness, std::max(length - 2 * cap, 0)), thumbMiddle_);
      p.drawPixmap(0, 0, thumbStart_);
      p.drawPixmap(0, length - thumbEnd_.height(), thumbEnd_);
    } else {
      const int cap = thumbStart_.width();
      p.drawPixmap(QRect(cap, 0, std::max(length - 2 * cap, 0), thickness), thumbMiddle_);
      p.drawPixmap(0, 0, thumbStart_);
      p.drawPixmap(length - thumbEnd_.width(), 0, thumbEnd_);
    }
  }
  track_->setSliderImage(picture);
  track_->refitSlider();
}

void TkwoScrollBar::resized() {
  ui::Panel::resized();
  layout();
}

void TkwoScrollBar::colorChanged() {
  track_->setColor(color());
  ui::Panel::colorChanged();
}

void TkwoScrollBar::visibleChanged() {
  ui::Panel::visibleChanged();
  const bool shown = visible();
  track_->setVisible(shown);
  increase_->setVisible(shown);
  decrease_->setVisible(shown);
}

void TkwoScrollBar::paint(QPainter &painter) {
  // The children cover the bar; the rest shows Color.
  painter.fillRect(rect(), ui::toQColor(color()));
}

}  // namespace kwo
