#include "tests/support/delivery_queue.h"

#include <utility>

namespace platform {

void DeliveryQueue::push(std::unique_ptr<Delivery> delivery) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return;  // `delivery` is dropped: its sender gets 0
    queue_.push_back(std::move(delivery));
  }
  changed_.notify_one();
}

std::unique_ptr<Delivery> DeliveryQueue::take() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return closed_ || !queue_.empty(); });
  return popLocked();
}

std::unique_ptr<Delivery> DeliveryQueue::takeUntil(Clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_until(lock, deadline, [this] { return closed_ || !queue_.empty(); });
  return popLocked();
}

void DeliveryQueue::close() {
  std::deque<std::unique_ptr<Delivery>> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    dropped.swap(queue_);
  }
  changed_.notify_all();
  // `dropped` is destroyed without the lock held: the senders are released
  // and nothing they do can reach back into this queue's mutex.
}

std::size_t DeliveryQueue::size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.size();
}

std::unique_ptr<Delivery> DeliveryQueue::popLocked() {
  if (queue_.empty()) return nullptr;
  std::unique_ptr<Delivery> next = std::move(queue_.front());
  queue_.pop_front();
  return next;
}

}  // namespace platform
