#pragma once
// Runs the window thread's event loop until a condition holds or the time
// limit passes, checking every millisecond. True when the condition holds.
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace bench {

inline bool WaitFor(const std::function<bool()> &done, std::chrono::duration<double, std::milli> limit) {
  if (done()) return true;
  QEventLoop loop;
  QTimer poll;
  poll.setTimerType(Qt::PreciseTimer);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  poll.start(1);
  QTimer::singleShot(static_cast<int>(limit.count()), &loop, [&loop] { loop.quit(); });
  loop.exec();
  return done();
}

}  // namespace bench
