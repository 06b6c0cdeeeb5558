#pragma once
// Inside the window-message library: a sent message's delivery, through a
// gate or not (null), shared by SendMessageA and SendGate.
#include <memory>

#include "platform/message_receiver.h"

namespace platform {

LRESULT SendThrough(HWND window, const WindowMessage &msg, const std::shared_ptr<SendGateState> &gate);

}  // namespace platform
