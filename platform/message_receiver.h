#pragma once
// The receiving side of window messages: a receiver is registered under a
// window handle, and messages sent or posted to that handle reach it as
// deliveries that it runs in its own thread.
#include <future>
#include <memory>
#include <optional>

#include "platform_export.h"
#include "window_messages.h"

namespace platform {

struct WindowMessage {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class MessageReceiver;
struct SendGateState;

// One message on its way to a receiver. It is run at most once; when it is
// destroyed, run or not, a waiting sender is released with the handler's
// result (0 if it never ran). A receiver that drops a delivery therefore
// never leaves a sender hanging.
class PLATFORM_SHARED_API Delivery {
 public:
  // A posted message: nobody waits for it.
  explicit Delivery(const WindowMessage &message);
  // A sent message: `reply` receives the result when the delivery is destroyed.
  Delivery(const WindowMessage &message, std::promise<LRESULT> reply);
  // A message sent through a gate (send_gate.h): it is not handled once the
  // gate is closed, and its sender is woken when it is destroyed.
  Delivery(const WindowMessage &message, std::promise<LRESULT> reply, std::shared_ptr<SendGateState> gate);
  ~Delivery();

  Delivery(const Delivery &) = delete;
  Delivery &operator=(const Delivery &) = delete;

  const WindowMessage &message() const noexcept { return message_; }
  bool hasRun() const noexcept { return ran_; }

  // Hands the message to receiver.handleMessage; called by the receiver in
  // its own thread. A second call does not run the handler again and returns
  // the first result; a message whose gate is closed is not handled (0).
  LRESULT run(MessageReceiver &receiver);

 private:
  WindowMessage message_;
  std::optional<std::promise<LRESULT>> reply_;
  std::shared_ptr<SendGateState> gate_;
  LRESULT result_ = 0;
  bool ran_ = false;
};

class PLATFORM_SHARED_API MessageReceiver {
 public:
  virtual ~MessageReceiver();

  // Handles one message; always called in the receiver's thread.
  virtual LRESULT handleMessage(const WindowMessage &message) = 0;

  // True when called from the receiver's thread. Called with the window
  // table locked: it must not send, post or register.
  virtual bool inReceiverThread() const = 0;

  // Takes a delivery to run later in the receiver's thread, or drops it.
  // Called from any thread with the window table locked: it must never block,
  // send, post or register.
  virtual void enqueue(std::unique_ptr<Delivery> delivery) = 0;
};

// Registers the receiver and returns its handle: non-zero and never handed
// out again in this process (0 only if the handles ran out). The receiver
// must stay alive until it is unregistered.
PLATFORM_SHARED_API HWND RegisterWindow(MessageReceiver &receiver);

// Removes the handle; unknown handles are ignored. Called from the receiver's
// thread, or from a thread that keeps the receiver alive until the receiver's
// thread has left its handler. When it returns, nothing more is enqueued to
// the receiver.
PLATFORM_SHARED_API void UnregisterWindow(HWND window);

}  // namespace platform
