#include "platform/message_receiver.h"

#include "platform/send_gate.h"

namespace platform {

Delivery::Delivery(const WindowMessage &message) : message_(message) {}

Delivery::Delivery(const WindowMessage &message, std::promise<LRESULT> reply)
    : message_(message), reply_(std::move(reply)) {}

Delivery::Delivery(const WindowMessage &message, std::promise<LRESULT> reply, std::shared_ptr<SendGateState> gate)
    : message_(message), reply_(std::move(reply)), gate_(std::move(gate)) {}

Delivery::~Delivery() {
  if (reply_) {
    try {
      reply_->set_value(result_);
    } catch (...) {
      // The promise was already satisfied or has no state: nobody is waiting.
    }
  }
  if (gate_) {
    // Passing through the gate's mutex first, a sender that has just found
    // the answer missing is already waiting when the wake-up comes; the
    // wake-up itself comes after the unlock, so it finds the mutex free.
    { std::lock_guard lock(gate_->mutex); }
    gate_->answered.notify_all();
  }
}

LRESULT Delivery::run(MessageReceiver &receiver) {
  if (ran_) return result_;
  // Marked before the call, so a handler that reaches this delivery again
  // cannot run it twice; if the handler throws, the result stays 0.
  ran_ = true;
  if (gate_) {
    std::lock_guard lock(gate_->mutex);
    if (gate_->closed) return result_;
  }
  result_ = receiver.handleMessage(message_);
  return result_;
}

MessageReceiver::~MessageReceiver() = default;

}  // namespace platform
