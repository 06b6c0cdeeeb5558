#include "platform/ui/timer.h"

#include "platform/ui/application.h"

namespace ui {

Timer::Timer(Component *owner) : NonVisualComponent(owner) {
  connect(&timer_, &QTimer::timeout, this, [this] { runGuarded([this] { tick(); }); });
  update();
}

Timer::~Timer() {
  beginDestroy();
  timer_.stop();
}

void Timer::setInterval(int milliseconds) {
  if (interval_ == milliseconds) return;
  interval_ = milliseconds;
  update();
}

void Timer::setEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  update();
}

void Timer::update() {
  if (enabled_ && interval_ > 0 && !isDestroying()) {
    timer_.start(interval_);
  } else {
    timer_.stop();
  }
}

void Timer::tick() {
  if (!running() || isDying()) return;
  if (OnTimer) OnTimer(this);
}

}  // namespace ui
