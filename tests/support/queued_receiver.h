#pragma once
// A window whose thread is under the caller's control: messages sent or
// posted to it from other threads wait in its queue until the thread that
// created it calls pump(). Sends from that thread itself are direct calls.
// Tests use it as a window thread they step by hand.
#include <chrono>
#include <cstddef>
#include <functional>
#include <limits>
#include <memory>
#include <thread>

#include "platform/message_receiver.h"
#include "tests/support/delivery_queue.h"

namespace platform {

class QueuedReceiver final : public MessageReceiver {
 public:
  using Handler = std::function<LRESULT(const WindowMessage &)>;
  using Clock = std::chrono::steady_clock;

  // Registers the window; the calling thread becomes its thread.
  explicit QueuedReceiver(Handler handler);
  // Unregisters the window and releases every sender still queued with 0.
  // Called from the window's thread.
  ~QueuedReceiver() override;

  QueuedReceiver(const QueuedReceiver &) = delete;
  QueuedReceiver &operator=(const QueuedReceiver &) = delete;

  HWND handle() const noexcept { return handle_; }

  // Handles queued messages in arrival order, waiting for more as they
  // arrive, until `deadline` passes or `limit` messages have been handled;
  // returns how many were handled. A deadline already past handles what is
  // queued now, without waiting. From any thread but the window's it handles
  // nothing and returns 0. An exception from the handler propagates; that
  // message's sender gets 0.
  std::size_t pump(Clock::time_point deadline,
                   std::size_t limit = std::numeric_limits<std::size_t>::max());

  // Messages waiting to be handled.
  std::size_t pending() const;

  LRESULT handleMessage(const WindowMessage &message) override;
  bool inReceiverThread() const override;
  void enqueue(std::unique_ptr<Delivery> delivery) override;

 private:
  Handler handler_;
  const std::thread::id threadId_;
  DeliveryQueue queue_;
  HWND handle_ = 0;
};

}  // namespace platform
