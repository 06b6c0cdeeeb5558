#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <limits>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/message_receiver.h"
#include "platform/send_gate.h"
#include "tests/support/queued_receiver.h"
#include "tests/support/thread_receiver.h"
#include "window_messages.h"

extern "C" LRESULT window_messages_send_from_c(HWND window, WPARAM wParam);
extern "C" int window_messages_post_from_c(HWND window, WPARAM wParam);

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// Deadlines here only guard against a hang; nothing is timed.
Clock::time_point hangGuard() { return Clock::now() + std::chrono::seconds(20); }

bool waitFor(const std::function<bool()> &condition) {
  const auto deadline = hangGuard();
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

LRESULT sendFromOtherThread(HWND window, UINT message, WPARAM wParam) {
  LRESULT result = -1;
  std::thread([&] { result = SendMessageA(window, message, wParam, 0); }).join();
  return result;
}

// Keeps every delivery it is given (or drops it at once) so a test can run
// and release deliveries by hand, as a window framework's event loop would.
class HoldingReceiver final : public MessageReceiver {
 public:
  explicit HoldingReceiver(bool drop) : drop_(drop) { handle_ = RegisterWindow(*this); }
  ~HoldingReceiver() override { UnregisterWindow(handle_); }

  LRESULT handleMessage(const WindowMessage &message) override {
    ++calls;
    return static_cast<LRESULT>(message.wParam) + 1000;
  }
  bool inReceiverThread() const override { return false; }
  void enqueue(std::unique_ptr<Delivery> delivery) override {
    if (drop_) return;
    std::lock_guard<std::mutex> lock(mutex_);
    held_.push_back(std::move(delivery));
  }

  std::unique_ptr<Delivery> take() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (held_.empty()) return nullptr;
    auto delivery = std::move(held_.front());
    held_.erase(held_.begin());
    return delivery;
  }

  HWND handle() const { return handle_; }
  int calls = 0;

 private:
  const bool drop_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Delivery>> held_;
  HWND handle_ = 0;
};

TEST(WindowMessages, UnknownHandlesAnswerZeroAtOnce) {
  HWND gone = 0;
  {
    QueuedReceiver receiver([](const WindowMessage &) { return LRESULT{7}; });
    gone = receiver.handle();
    ASSERT_NE(gone, 0u);
    ASSERT_EQ(SendMessageA(gone, WM_USER, 0, 0), 7);
  }
  const struct {
    const char *what;
    HWND window;
  } cases[] = {
      {"null handle", 0},
      {"unregistered handle", gone},
      {"never issued", std::numeric_limits<HWND>::max()},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SendMessageA(c.window, WM_USER, 1, 2), 0);
    EXPECT_EQ(sendFromOtherThread(c.window, WM_USER, 1), 0);
    EXPECT_EQ(PostMessage(c.window, WM_USER, 1, 2), 0);
    EXPECT_EQ(window_messages_send_from_c(c.window, 1), 0);
    EXPECT_EQ(window_messages_post_from_c(c.window, 1), 0);
  }
}

TEST(WindowMessages, SendFromAnotherThreadRunsInTheWindowThreadAndSeesItsEffects) {
  const auto windowThread = std::this_thread::get_id();
  std::thread::id handledOn;
  int effect = 0;  // deliberately plain: the send must order it
  QueuedReceiver receiver([&](const WindowMessage &m) {
    handledOn = std::this_thread::get_id();
    effect = static_cast<int>(m.wParam) + 1;
    return static_cast<LRESULT>(m.wParam * 2 + static_cast<WPARAM>(m.lParam));
  });

  LRESULT result = 0;
  int effectSeenBySender = 0;
  std::thread sender([&] {
    result = SendMessageA(receiver.handle(), WM_USER + 3, 21, 100);
    effectSeenBySender = effect;
  });
  EXPECT_EQ(receiver.pump(hangGuard(), 1), 1u);
  sender.join();

  EXPECT_EQ(handledOn, windowThread);
  EXPECT_EQ(result, 142);
  EXPECT_EQ(effectSeenBySender, 22);
}

TEST(WindowMessages, ThreadReceiverHandlesEverySenderOnItsOwnThread) {
  std::mutex mutex;
  std::set<std::thread::id> handledOn;
  ThreadReceiver receiver([&](const WindowMessage &m) {
    std::lock_guard<std::mutex> lock(mutex);
    handledOn.insert(std::this_thread::get_id());
    return static_cast<LRESULT>(m.wParam * 2);
  });

  EXPECT_EQ(SendMessageA(receiver.handle(), WM_USER, 5, 0), 10);
  EXPECT_EQ(sendFromOtherThread(receiver.handle(), WM_USER, 6), 12);
  EXPECT_EQ(window_messages_send_from_c(receiver.handle(), 7), 14);

  std::lock_guard<std::mutex> lock(mutex);
  ASSERT_EQ(handledOn.size(), 1u);
  EXPECT_NE(*handledOn.begin(), std::this_thread::get_id());
}

// The handler sends to its own window: each level is a direct call, so the
// recursion neither queues nor deadlocks, whoever sent the outer message.
TEST(WindowMessages, SendFromTheWindowThreadIsADirectCallAlsoRecursively) {
  std::atomic<HWND> self{0};
  std::atomic<int> calls{0};
  auto countDown = [&](const WindowMessage &m) -> LRESULT {
    ++calls;
    if (m.wParam == 0) return 100;
    return SendMessageA(self.load(), m.message, m.wParam - 1, 0) + 1;
  };

  auto sendCountDown = [&](HWND window) {
    calls = 0;
    self = window;
    EXPECT_EQ(SendMessageA(window, WM_USER, 5, 0), 105);
    EXPECT_EQ(calls.load(), 6);
  };

  {
    SCOPED_TRACE("queued receiver, sent from its own thread");
    QueuedReceiver receiver(countDown);
    sendCountDown(receiver.handle());
    EXPECT_EQ(receiver.pending(), 0u);
  }
  {
    SCOPED_TRACE("thread receiver, outer message from another thread");
    ThreadReceiver receiver(countDown);
    sendCountDown(receiver.handle());
  }
}

TEST(WindowMessages, DestroyingAQueuedReceiverReleasesItsWaitingSendersWithZero) {
  std::atomic<int> calls{0};
  auto receiver = std::make_unique<QueuedReceiver>([&](const WindowMessage &) {
    ++calls;
    return LRESULT{1};
  });
  const HWND window = receiver->handle();

  LRESULT results[2] = {-1, -1};
  std::thread first([&] { results[0] = SendMessageA(window, WM_USER, 1, 0); });
  std::thread second([&] { results[1] = SendMessageA(window, WM_USER, 2, 0); });
  const bool queued = waitFor([&] { return receiver->pending() == 2; });
  receiver.reset();
  first.join();
  second.join();

  ASSERT_TRUE(queued);
  EXPECT_EQ(results[0], 0);
  EXPECT_EQ(results[1], 0);
  EXPECT_EQ(calls.load(), 0);
  EXPECT_EQ(SendMessageA(window, WM_USER, 1, 0), 0);
}

// A send through a gate answers as a plain one; closed from the window's
// own thread while the message waits in its queue, the sender is released
// with 0 at once and the message is never handled, also when pumped later.
TEST(WindowMessages, ClosingASendGateTakesBackItsQueuedMessage) {
  std::vector<WPARAM> handled;
  QueuedReceiver receiver([&](const WindowMessage &m) {
    handled.push_back(m.wParam);
    return LRESULT{7};
  });
  const HWND window = receiver.handle();
  SendGate gate;

  LRESULT answered = -1;
  std::thread sender([&] { answered = gate.send(window, WM_USER, 1, 0); });
  ASSERT_TRUE(waitFor([&] { return receiver.pending() == 1; }));
  EXPECT_EQ(receiver.pump(hangGuard(), 1), 1u);
  sender.join();
  EXPECT_EQ(answered, 7);

  std::thread taken([&] { answered = gate.send(window, WM_USER, 2, 0); });
  ASSERT_TRUE(waitFor([&] { return receiver.pending() == 1; }));
  gate.close();
  taken.join();  // released without a pump
  EXPECT_EQ(answered, 0);
  receiver.pump(Clock::now(), 10);
  EXPECT_EQ(gate.send(window, WM_USER, 3, 0), 0) << "a closed gate delivers nothing";
  EXPECT_EQ(handled, std::vector<WPARAM>{1});
}

// While the thread is busy with one message, the receiver is destroyed: the
// senders still queued are answered 0 without waiting for the busy handler,
// queued posts never run, and the message in hand completes normally.
TEST(WindowMessages, DestroyingAThreadReceiverDropsItsQueueWithoutWaitingForTheBusyHandler) {
  std::promise<void> entered;
  std::promise<void> gate;
  std::shared_future<void> opened = gate.get_future().share();
  std::mutex mutex;
  std::vector<WPARAM> handled;
  auto receiver = std::make_unique<ThreadReceiver>([&](const WindowMessage &m) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      handled.push_back(m.wParam);
    }
    if (m.wParam == 1) {
      entered.set_value();
      opened.wait();
    }
    return static_cast<LRESULT>(m.wParam * 10);
  });
  const HWND window = receiver->handle();

  LRESULT busyResult = -1;
  std::thread busySender([&] { busyResult = SendMessageA(window, WM_USER, 1, 0); });
  entered.get_future().wait();
  EXPECT_EQ(PostMessage(window, WM_USER, 2, 0), 1);

  LRESULT queuedResult = -1;
  std::thread queuedSender([&] { queuedResult = SendMessageA(window, WM_USER, 3, 0); });
  std::thread destroyer([&] { receiver.reset(); });
  queuedSender.join();  // returns although the handler is still blocked
  EXPECT_EQ(queuedResult, 0);

  gate.set_value();
  destroyer.join();
  busySender.join();
  EXPECT_EQ(busyResult, 10);
  std::lock_guard<std::mutex> lock(mutex);
  EXPECT_EQ(handled, std::vector<WPARAM>{1});
}

// A receiver of its own (as the window framework bridge is) gets deliveries
// and decides when to run or drop them.
// Sends wParam to the receiver from another thread and returns the delivery
// it holds; `sent` becomes ready when the delivery is gone.
std::unique_ptr<Delivery> sendAndHold(HoldingReceiver &receiver, WPARAM wParam,
                                      std::future<LRESULT> &sent) {
  sent = std::async(std::launch::async, [&receiver, wParam] {
    return SendMessageA(receiver.handle(), WM_USER, wParam, 0);
  });
  std::unique_ptr<Delivery> delivery;
  waitFor([&] { return (delivery = receiver.take()) != nullptr; });
  return delivery;
}

TEST(WindowMessages, ADeliveryRunsAtMostOnceAndReleasesItsSenderWhenDestroyed) {
  {
    SCOPED_TRACE("run twice, then destroyed");
    HoldingReceiver receiver(false);
    std::future<LRESULT> sent;
    std::unique_ptr<Delivery> delivery = sendAndHold(receiver, 5, sent);
    ASSERT_TRUE(delivery);
    EXPECT_FALSE(delivery->hasRun());
    EXPECT_EQ(delivery->message().wParam, 5u);
    EXPECT_EQ(delivery->run(receiver), 1005);
    EXPECT_EQ(delivery->run(receiver), 1005);
    EXPECT_TRUE(delivery->hasRun());
    EXPECT_EQ(receiver.calls, 1);
    delivery.reset();
    EXPECT_EQ(sent.get(), 1005);
  }
  {
    SCOPED_TRACE("destroyed without running");
    HoldingReceiver receiver(false);
    std::future<LRESULT> sent;
    std::unique_ptr<Delivery> delivery = sendAndHold(receiver, 5, sent);
    ASSERT_TRUE(delivery);
    delivery.reset();
    EXPECT_EQ(sent.get(), 0);
    EXPECT_EQ(receiver.calls, 0);
  }
  {
    SCOPED_TRACE("dropped by enqueue");
    HoldingReceiver receiver(true);
    EXPECT_EQ(sendFromOtherThread(receiver.handle(), WM_USER, 5), 0);
    EXPECT_EQ(PostMessage(receiver.handle(), WM_USER, 5, 0), 1);
    EXPECT_EQ(receiver.calls, 0);
  }
}

TEST(WindowMessages, PostedMessagesRunLaterInOrder) {
  {
    SCOPED_TRACE("queued receiver, posted from its own thread");
    std::vector<WPARAM> handled;
    QueuedReceiver receiver([&](const WindowMessage &m) {
      handled.push_back(m.wParam);
      return LRESULT{0};
    });
    EXPECT_EQ(PostMessage(receiver.handle(), WM_USER, 1, 0), 1);
    EXPECT_EQ(PostMessage(receiver.handle(), WM_USER, 2, 0), 1);
    EXPECT_EQ(window_messages_post_from_c(receiver.handle(), 3), 1);
    EXPECT_TRUE(handled.empty());
    EXPECT_EQ(receiver.pending(), 3u);
    EXPECT_EQ(receiver.pump(Clock::now()), 3u);
    EXPECT_EQ(handled, (std::vector<WPARAM>{1, 2, 3}));
  }
  {
    SCOPED_TRACE("thread receiver; a send after the posts comes last");
    std::mutex mutex;
    std::vector<WPARAM> handled;
    ThreadReceiver receiver([&](const WindowMessage &m) {
      std::lock_guard<std::mutex> lock(mutex);
      handled.push_back(m.wParam);
      return LRESULT{0};
    });
    for (WPARAM i = 1; i <= 50; ++i) ASSERT_EQ(PostMessage(receiver.handle(), WM_USER, i, 0), 1);
    SendMessageA(receiver.handle(), WM_USER, 51, 0);
    std::vector<WPARAM> expected;
    for (WPARAM i = 1; i <= 51; ++i) expected.push_back(i);
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(handled, expected);
  }
}

TEST(WindowMessages, PumpStopsAtTheLimitAndLeavesTheRestQueued) {
  int calls = 0;
  QueuedReceiver receiver([&](const WindowMessage &) { return LRESULT{++calls}; });
  for (WPARAM i = 0; i < 5; ++i) PostMessage(receiver.handle(), WM_USER, i, 0);

  EXPECT_EQ(receiver.pump(hangGuard(), 2), 2u);
  EXPECT_EQ(receiver.pending(), 3u);
  std::size_t offThread = 99;
  std::thread([&] { offThread = receiver.pump(Clock::now()); }).join();
  EXPECT_EQ(offThread, 0u);
  EXPECT_EQ(receiver.pump(Clock::now()), 3u);
  EXPECT_EQ(receiver.pump(Clock::now()), 0u);
  EXPECT_EQ(calls, 5);
}

TEST(WindowMessages, HandlesAreNeverReused) {
  std::set<HWND> seen;
  auto fresh = [&](HWND window) {
    EXPECT_NE(window, 0u);
    EXPECT_TRUE(seen.insert(window).second) << "handle " << window << " handed out twice";
  };
  for (int i = 0; i < 200; ++i) {
    QueuedReceiver receiver(nullptr);
    fresh(receiver.handle());
  }
  for (int i = 0; i < 5; ++i) {
    ThreadReceiver receiver(nullptr);
    fresh(receiver.handle());
  }
  HoldingReceiver holder(false);
  fresh(holder.handle());
  const HWND again = RegisterWindow(holder);
  fresh(again);
  UnregisterWindow(again);
}

TEST(WindowMessages, AFailingHandlerAnswersZeroAndTheThreadCarriesOn) {
  ThreadReceiver receiver([](const WindowMessage &m) -> LRESULT {
    if (m.wParam == 0) throw std::runtime_error("handler failed");
    return static_cast<LRESULT>(m.wParam);
  });
  EXPECT_EQ(SendMessageA(receiver.handle(), WM_USER, 0, 0), 0);
  EXPECT_EQ(SendMessageA(receiver.handle(), WM_USER, 4, 0), 4);
}

// Eight threads send 1,000 messages each; every sender gets its own answer.
TEST(WindowMessages, ManyThreadsSendingAllGetTheirOwnResults) {
  constexpr int kThreads = 8;
  constexpr int kSends = 1000;
  auto doubled = [](const WindowMessage &m) {
    return static_cast<LRESULT>(m.wParam * 2 + static_cast<WPARAM>(m.lParam));
  };
  auto sendAll = [](HWND window) {
    std::atomic<int> wrong{0};
    std::vector<std::thread> senders;
    for (int t = 0; t < kThreads; ++t) {
      senders.emplace_back([&, t] {
        for (int i = 0; i < kSends; ++i) {
          const WPARAM w = static_cast<WPARAM>(t * kSends + i);
          if (SendMessageA(window, WM_USER, w, t) != static_cast<LRESULT>(w * 2 + t)) ++wrong;
        }
      });
    }
    for (auto &s : senders) s.join();
    return wrong.load();
  };

  {
    SCOPED_TRACE("thread receiver");
    ThreadReceiver receiver(doubled);
    EXPECT_EQ(sendAll(receiver.handle()), 0);
  }
  {
    SCOPED_TRACE("queued receiver pumped by this thread");
    QueuedReceiver receiver(doubled);
    std::future<int> wrong =
        std::async(std::launch::async, [&] { return sendAll(receiver.handle()); });
    EXPECT_EQ(receiver.pump(hangGuard(), kThreads * kSends),
              static_cast<std::size_t>(kThreads * kSends));
    EXPECT_EQ(wrong.get(), 0);
  }
}

}  // namespace
}  // namespace platform
