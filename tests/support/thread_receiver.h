#pragma once
// A window that lives on a thread of its own: every message sent or posted to
// its handle is handled there, one at a time, in arrival order.
#include <functional>
#include <memory>
#include <thread>

#include "platform/message_receiver.h"
#include "tests/support/delivery_queue.h"

namespace platform {

class ThreadReceiver final : public MessageReceiver {
 public:
  using Handler = std::function<LRESULT(const WindowMessage &)>;

  // Starts the thread and registers the window. A handler that throws
  // answers 0 and the thread carries on.
  explicit ThreadReceiver(Handler handler);
  // Unregisters the window, releases every sender still queued with 0 and
  // joins the thread (after the message in hand, if any, is handled). Not to
  // be called from the handler.
  ~ThreadReceiver() override;

  ThreadReceiver(const ThreadReceiver &) = delete;
  ThreadReceiver &operator=(const ThreadReceiver &) = delete;

  HWND handle() const noexcept { return handle_; }

  LRESULT handleMessage(const WindowMessage &message) override;
  bool inReceiverThread() const override;
  void enqueue(std::unique_ptr<Delivery> delivery) override;

 private:
  void runLoop();

  Handler handler_;
  DeliveryQueue queue_;
  std::thread thread_;
  std::thread::id threadId_;
  HWND handle_ = 0;
};

}  // namespace platform
