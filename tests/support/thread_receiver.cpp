#include "tests/support/thread_receiver.h"

#include <utility>

namespace platform {

ThreadReceiver::ThreadReceiver(Handler handler) : handler_(std::move(handler)) {
  thread_ = std::thread(&ThreadReceiver::runLoop, this);
  threadId_ = thread_.get_id();
  // Registered last: a sender that finds the handle sees a complete receiver.
  try {
    handle_ = RegisterWindow(*this);
  } catch (...) {
    queue_.close();
    thread_.join();
    throw;
  }
}

ThreadReceiver::~ThreadReceiver() {
  UnregisterWindow(handle_);
  // Closed before the join, so queued senders do not wait for the message in
  // hand; the thread leaves once that one is handled.
  queue_.close();
  thread_.join();
}

LRESULT ThreadReceiver::handleMessage(const WindowMessage &message) {
  return handler_ ? handler_(message) : 0;
}

bool ThreadReceiver::inReceiverThread() const {
  return std::this_thread::get_id() == threadId_;
}

void ThreadReceiver::enqueue(std::unique_ptr<Delivery> delivery) { queue_.push(std::move(delivery)); }

void ThreadReceiver::runLoop() {
  while (std::unique_ptr<Delivery> next = queue_.take()) {
    try {
      next->run(*this);
    } catch (...) {
      // The handler failed: the sender is answered 0.
    }
  }
}

}  // namespace platform
