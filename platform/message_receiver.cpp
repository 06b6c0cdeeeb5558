#include "message_receiver.h"

namespace platform {

Delivery::Delivery(const WindowMessage &message) : message_(message) {}

Delivery::Delivery(const WindowMessage &message, std::promise<LRESULT> reply)
    : message_(message), reply_(std::move(reply)) {}

Delivery::~Delivery() {
  if (!reply_) return;
  try {
    reply_->set_value(result_);
  } catch (...) {
    // The promise was already satisfied or has no state: nobody is waiting.
  }
}

LRESULT Delivery::run(MessageReceiver &receiver) {
  if (ran_) return result_;
  // Marked before the call, so a handler that reaches this delivery again
  // cannot run it twice; if the handler throws, the result stays 0.
  ran_ = true;
  result_ = receiver.handleMessage(message_);
  return result_;
}

MessageReceiver::~MessageReceiver() = default;

}  // namespace platform
