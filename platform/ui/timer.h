#pragma once
// A timer component: fires OnTimer every Interval milliseconds while
// Enabled. An interval of 0 or less never fires (Qt would busy-fire on 0).
#include <QTimer>
#include <functional>

#include "platform/ui/component.h"

namespace ui {

class Timer : public NonVisualComponent {
  Q_OBJECT
 public:
  explicit Timer(Component *owner);
  ~Timer() override;

  int interval() const { return interval_; }
  void setInterval(int milliseconds);
  bool enabled() const { return enabled_; }
  void setEnabled(bool value);
  void start() { setEnabled(true); }
  void stop() { setEnabled(false); }
  // Enabled with a positive interval: ticks will come.
  bool running() const { return timer_.isActive(); }

  // One tick: runs OnTimer while the timer is running.
  void tick();

  std::function<void(Timer *sender)> OnTimer;

 private:
  void update();

  QTimer timer_;
  int interval_ = 1000;
  bool enabled_ = true;
};

}  // namespace ui
