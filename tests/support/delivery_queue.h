#pragma once
// The queue behind the stock receivers: deliveries waiting for the window's
// thread, in arrival order. Closing it drops what it holds, which answers the
// waiting senders with 0.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>

#include "platform/message_receiver.h"

namespace platform {

class DeliveryQueue {
 public:
  using Clock = std::chrono::steady_clock;

  // Appends the delivery; once closed, drops it.
  void push(std::unique_ptr<Delivery> delivery);

  // The oldest delivery; waits until one arrives. nullptr once closed.
  std::unique_ptr<Delivery> take();

  // The oldest delivery; waits until one arrives or the deadline passes.
  // nullptr on expiry or once closed.
  std::unique_ptr<Delivery> takeUntil(Clock::time_point deadline);

  // Refuses further deliveries, drops the queued ones and wakes every taker.
  void close();

  std::size_t size() const;

 private:
  std::unique_ptr<Delivery> popLocked();

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::unique_ptr<Delivery>> queue_;
  bool closed_ = false;
};

}  // namespace platform
