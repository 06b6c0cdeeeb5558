#include "tests/support/queued_receiver.h"

#include <utility>

namespace platform {

QueuedReceiver::QueuedReceiver(Handler handler)
    : handler_(std::move(handler)), threadId_(std::this_thread::get_id()) {
  handle_ = RegisterWindow(*this);
}

QueuedReceiver::~QueuedReceiver() {
  UnregisterWindow(handle_);
  queue_.close();
}

std::size_t QueuedReceiver::pump(Clock::time_point deadline, std::size_t limit) {
  if (!inReceiverThread()) return 0;
  std::size_t handled = 0;
  while (handled < limit) {
    std::unique_ptr<Delivery> next = queue_.takeUntil(deadline);
    if (!next) break;
    next->run(*this);
    next.reset();  // answers the sender before the next message is taken
    ++handled;
  }
  return handled;
}

std::size_t QueuedReceiver::pending() const { return queue_.size(); }

LRESULT QueuedReceiver::handleMessage(const WindowMessage &message) {
  return handler_ ? handler_(message) : 0;
}

bool QueuedReceiver::inReceiverThread() const {
  return std::this_thread::get_id() == threadId_;
}

void QueuedReceiver::enqueue(std::unique_ptr<Delivery> delivery) { queue_.push(std::move(delivery)); }

}  // namespace platform
