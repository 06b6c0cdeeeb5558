// The process-wide table of window handles, and the delivery of sent and
// posted messages through it.
#include "window_messages.h"

#include <chrono>
#include <future>
#include <limits>
#include <mutex>
#include <unordered_map>

#include "platform/message_receiver.h"
#include "platform/send_gate.h"
#include "platform/send_through.h"

namespace platform {
namespace {

struct WindowTable {
  std::mutex mutex;
  std::unordered_map<HWND, MessageReceiver *> receivers;
  HWND lastHandle = 0;
};

// Never destroyed: a worker still sending while the process exits must find
// a live table.
WindowTable &windowTable() {
  static WindowTable *table = new WindowTable;
  return *table;
}

// The receiver registered under `window`, or nullptr; the table is locked.
MessageReceiver *findReceiver(WindowTable &table, HWND window) {
  auto it = table.receivers.find(window);
  return it == table.receivers.end() ? nullptr : it->second;
}

}  // namespace

HWND RegisterWindow(MessageReceiver &receiver) {
  WindowTable &table = windowTable();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (table.lastHandle == std::numeric_limits<HWND>::max()) return 0;
  const HWND window = table.lastHandle + 1;
  table.receivers.emplace(window, &receiver);
  table.lastHandle = window;
  return window;
}

void UnregisterWindow(HWND window) {
  WindowTable &table = windowTable();
  std::lock_guard<std::mutex> lock(table.mutex);
  table.receivers.erase(window);
}

}  // namespace platform

using platform::Delivery;
using platform::MessageReceiver;
using platform::WindowMessage;

namespace platform {

LRESULT SendThrough(HWND window, const WindowMessage &msg, const std::shared_ptr<SendGateState> &gate) {
  try {
    MessageReceiver *sameThread = nullptr;
    std::future<LRESULT> answer;
    {
      WindowTable &table = windowTable();
      std::lock_guard<std::mutex> lock(table.mutex);
      MessageReceiver *receiver = findReceiver(table, window);
      if (!receiver) return 0;
      if (receiver->inReceiverThread()) {
        sameThread = receiver;
      } else {
        // Enqueued under the lock, so the receiver cannot be unregistered and
        // destroyed in between.
        std::promise<LRESULT> reply;
        answer = reply.get_future();
        receiver->enqueue(gate ? std::make_unique<Delivery>(msg, std::move(reply), gate)
                               : std::make_unique<Delivery>(msg, std::move(reply)));
      }
    }
    // The receiver's own thread cannot unregister it while it is in here, so
    // the pointer stays valid without the lock; handlers may send again.
    if (sameThread) {
      if (gate) {
        std::lock_guard lock(gate->mutex);
        if (gate->closed) return 0;
      }
      return sameThread->handleMessage(msg);
    }
    // Ready once the delivery is destroyed, whether it ran or was dropped.
    if (!gate) return answer.get();
    std::unique_lock lock(gate->mutex);
    gate->answered.wait(lock, [&] {
      return gate->closed || answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    if (gate->closed && answer.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return 0;
    lock.unlock();
    return answer.get();
  } catch (...) {
    return 0;
  }
}

}  // namespace platform

extern "C" LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return platform::SendThrough(window, platform::WindowMessage{message, wParam, lParam}, nullptr);
}

extern "C" int PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    platform::WindowTable &table = platform::windowTable();
    std::lock_guard<std::mutex> lock(table.mutex);
    MessageReceiver *receiver = platform::findReceiver(table, window);
    if (!receiver) return 0;
    receiver->enqueue(std::make_unique<Delivery>(WindowMessage{message, wParam, lParam}));
    return 1;
  } catch (...) {
    return 0;
  }
}
