// The window-message bridge: sends from workers run in the window thread
// and wait; the receiver going away releases them with 0; sends reach the
// window inside any loop it runs; sends from the window thread are direct.
#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <thread>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/message_bridge.h"
#include "platform/ui/panel.h"
#include "tests/support/ui/ui_fixtures.h"
#include "window_messages.h"

namespace {

using testsupport::UiTest;

constexpr UINT kNotice = WM_USER + 200;  // 1224

// A control that records the notices it handles.
class Receiver : public ui::Panel {
 public:
  explicit Receiver(ui::Component *owner) : ui::Panel(owner) {}
  std::function<LRESULT(const platform::WindowMessage &)> onMessage;
  std::vector<platform::WindowMessage> seen;
  std::vector<std::thread::id> threads;

 protected:
  LRESULT windowMessage(const platform::WindowMessage &message) override {
    seen.push_back(message);
    threads.push_back(std::this_thread::get_id());
    return onMessage ? onMessage(message) : 0;
  }
};

class BridgeTest : public UiTest {};

TEST_F(BridgeTest, WorkerSendRunsInTheWindowThreadAndWaitsForTheResult) {
  EXPECT_EQ(kNotice, 1224u);
  Receiver receiver(nullptr);
  const HWND handle = receiver.handle();
  ASSERT_NE(handle, 0u);
  EXPECT_EQ(receiver.handle(), handle);

  std::atomic<bool> handlerReturned{false};
  receiver.onMessage = [&](const platform::WindowMessage &m) -> LRESULT {
    QThread::msleep(50);  // the worker must still be waiting after this
    handlerReturned = true;
    return static_cast<LRESULT>(m.wParam) + 1;
  };
  std::atomic<bool> resultSeenAfterHandler{false};
  auto worker = std::async(std::launch::async, [&] {
    const LRESULT r = SendMessageA(handle, kNotice, 3 | (1 << 16), 0);
    resultSeenAfterHandler = handlerReturned.load();
    return r;
  });
  ASSERT_TRUE(testsupport::waitFor([&] {
    return worker.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  }));
  EXPECT_EQ(worker.get(), (3 | (1 << 16)) + 1);
  EXPECT_TRUE(resultSeenAfterHandler);
  ASSERT_EQ(receiver.seen.size(), 1u);
  EXPECT_EQ(receiver.seen[0].message, kNotice);
  EXPECT_EQ(receiver.seen[0].wParam, WPARAM(3 | (1 << 16)));
  EXPECT_EQ(receiver.threads[0], std::this_thread::get_id());
}

TEST_F(BridgeTest, ReceiverFreedWhileASendIsPendingReleasesTheWorkerWithZero) {
  auto *receiver = new Receiver(nullptr);
  receiver->onMessage = [](const platform::WindowMessage &) -> LRESULT { return 99; };
  const HWND handle = receiver->handle();
  std::atomic<bool> sending{false};
  auto worker = std::async(std::launch::async, [handle, &sending] {
    sending = true;
    return SendMessageA(handle, kNotice, 1, 0);
  });
  // Without handling events: the send stays queued (or, if it comes too
  // late, finds no receiver; both must give 0).
  while (!sending) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  delete receiver;
  ASSERT_EQ(worker.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_EQ(worker.get(), 0);
  // The handle is gone for good.
  EXPECT_EQ(SendMessageA(handle, kNotice, 1, 0), 0);
  EXPECT_EQ(PostMessage(handle, kNotice, 1, 0), 0);
}

TEST_F(BridgeTest, DestroyHandleFirstDropsPendingNoticesBeforeTeardown) {
  Receiver receiver(nullptr);
  int handled = 0;
  receiver.onMessage = [&](const platform::WindowMessage &) -> LRESULT { return ++handled; };
  const HWND handle = receiver.handle();
  EXPECT_EQ(PostMessage(handle, kNotice, 0, 0), 1);
  receiver.destroyHandle();
  testsupport::processEvents();
  EXPECT_EQ(handled, 0);
  // A new handle is a new number, never the old one.
  const HWND again = receiver.handle();
  EXPECT_NE(again, handle);
  EXPECT_EQ(SendMessageA(handle, kNotice, 0, 0), 0);
}

TEST_F(BridgeTest, UnknownHandleGivesZeroAtOnce) {
  for (HWND h : {HWND(0), HWND(0x7FFFFFFF)}) {
    auto worker = std::async(std::launch::async, [h] { return SendMessageA(h, kNotice, 1, 0); });
    ASSERT_EQ(worker.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(worker.get(), 0);
    EXPECT_EQ(SendMessageA(h, kNotice, 1, 0), 0);
  }
}

TEST_F(BridgeTest, SendDuringShowModalIsHandledInsideThatLoop) {
  testsupport::RealModalLoop real;
  ui::Form dialog(nullptr);
  Receiver receiver(nullptr);
  const HWND handle = receiver.handle();
  bool handledInModal = false;
  receiver.onMessage = [&](const platform::WindowMessage &) -> LRESULT {
    handledInModal = dialog.inModalLoop();
    dialog.setModalResult(ui::mrOk);
    return 7;
  };
  std::future<LRESULT> worker;
  QTimer::singleShot(0, [&] {
    worker = std::async(std::launch::async, [handle] { return SendMessageA(handle, kNotice, 0, 0); });
  });
  EXPECT_EQ(dialog.showModal(), ui::mrOk);
  EXPECT_TRUE(handledInModal);
  ASSERT_TRUE(worker.valid());
  EXPECT_EQ(worker.get(), 7);
}

TEST_F(BridgeTest, SendFromTheWindowThreadIsADirectCallAndPostWaitsForTheLoop) {
  Receiver receiver(nullptr);
  const HWND handle = receiver.handle();
  int depth = 0;
  receiver.onMessage = [&](const platform::WindowMessage &m) -> LRESULT {
    ++depth;
    // A handler may send again: still direct.
    const LRESULT inner = m.wParam == 0 ? SendMessageA(handle, kNotice, 1, 0) : 10;
    return inner + 1;
  };
  EXPECT_EQ(SendMessageA(handle, kNotice, 0, 0), 12);
  EXPECT_EQ(depth, 2);

  receiver.seen.clear();
  EXPECT_EQ(PostMessage(handle, kNotice, 5, 6), 1);
  EXPECT_TRUE(receiver.seen.empty());  // not before the loop runs
  ui::Application::processMessages();
  ASSERT_EQ(receiver.seen.size(), 1u);
  EXPECT_EQ(receiver.seen[0].lParam, 6);
}

TEST_F(BridgeTest, ManyWorkersAllGetTheirOwnAnswers) {
  Receiver receiver(nullptr);
  const HWND handle = receiver.handle();
  receiver.onMessage = [](const platform::WindowMessage &m) -> LRESULT { return static_cast<LRESULT>(m.wParam) * 2; };
  std::vector<std::future<LRESULT>> workers;
  for (int i = 1; i <= 8; ++i) {
    workers.push_back(std::async(std::launch::async, [handle, i] { return SendMessageA(handle, kNotice, i, 0); }));
  }
  ASSERT_TRUE(testsupport::waitFor([&] {
    for (auto &w : workers) {
      if (w.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return false;
    }
    return true;
  }));
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(workers[static_cast<size_t>(i - 1)].get(), i * 2);
}

}  // namespace
