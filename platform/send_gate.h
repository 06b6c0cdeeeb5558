#pragma once
// Sent messages that their sender can take back.
//
// A thread that sends through a gate waits for the handler's result as with
// SendMessageA. Closing the gate, from any thread, releases that wait at once
// with 0, and a message of the gate still waiting in a window's queue is then
// dropped when its turn comes instead of being handled. A handler that had
// already begun runs to its end; close() does not wait for it, so it may be
// called from the window's own thread, also from inside a handler. Sends
// through a closed gate return 0 without delivering anything.
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform_export.h"
#include "window_messages.h"

namespace platform {

// The part a queued message and its sender share.
struct SendGateState {
  std::mutex mutex;
  std::condition_variable answered;  // a delivery of the gate was destroyed, or the gate closed
  bool closed = false;
};

class PLATFORM_SHARED_API SendGate {
 public:
  SendGate();
  ~SendGate();
  SendGate(const SendGate &) = delete;
  SendGate &operator=(const SendGate &) = delete;

  // SendMessageA through the gate.
  LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void close();
  bool isClosed() const;

 private:
  std::shared_ptr<SendGateState> state_;
};

}  // namespace platform
