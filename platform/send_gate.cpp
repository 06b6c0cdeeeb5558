#include "platform/send_gate.h"

#include "platform/send_through.h"

namespace platform {

SendGate::SendGate() : state_(std::make_shared<SendGateState>()) {}

SendGate::~SendGate() = default;

LRESULT SendGate::send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (isClosed()) return 0;
  return SendThrough(window, WindowMessage{message, wParam, lParam}, state_);
}

void SendGate::close() {
  {
    std::lock_guard lock(state_->mutex);
    state_->closed = true;
  }
  state_->answered.notify_all();
}

bool SendGate::isClosed() const {
  std::lock_guard lock(state_->mutex);
  return state_->closed;
}

}  // namespace platform
