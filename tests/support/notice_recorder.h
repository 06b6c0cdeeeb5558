#pragma once
// A window on a thread of its own that records every completion notice of
// the controller link library: the message, both words of wParam, lParam,
// the thread it ran on and the reply record as PLC_GetData copied it inside
// the handler. A test may also run its own code inside the handler.
//
// Waits end early when what they wait for arrives and give up after a hang
// guard (10 s by default): they never measure time.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "plc_reply.h"
#include "tests/support/thread_receiver.h"
#include "window_messages.h"

namespace testsupport {

inline constexpr std::chrono::seconds kHangGuard{10};

struct Notice {
  UINT message = 0;
  uint16_t function = 0;  // low word of wParam
  uint16_t result = 0;    // high word of wParam
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::thread::id thread;
  PlcReply reply{};  // PLC_GetData inside the handler
};

class NoticeRecorder {
 public:
  using InHandler = std::function<void(const Notice &)>;

  NoticeRecorder();
  ~NoticeRecorder();  // unregisters the window and joins its thread
  NoticeRecorder(const NoticeRecorder &) = delete;
  NoticeRecorder &operator=(const NoticeRecorder &) = delete;

  HWND handle() const { return receiver_->handle(); }
  // The thread every notice should run on.
  std::thread::id receiverThread() const;

  // Runs inside the handler after the notice is recorded (nullptr: nothing).
  void setInHandler(InHandler inHandler);

  // The next notice not yet returned by next(), waiting up to guard.
  std::optional<Notice> next(std::chrono::milliseconds guard = kHangGuard);
  // Waits until `count` notices have arrived in all; false at the guard.
  bool waitForCount(size_t count, std::chrono::milliseconds guard = kHangGuard);
  // True when no further notice arrives within the time given (for "no
  // notice follows"; a quiet period, not a measurement).
  bool quietFor(std::chrono::milliseconds period);

  size_t count() const;
  std::vector<Notice> notices() const;

 private:
  LRESULT handle(const platform::WindowMessage &message);

  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<Notice> notices_;
  size_t nextIndex_ = 0;
  InHandler inHandler_;
  std::thread::id receiverThread_;
  std::unique_ptr<platform::ThreadReceiver> receiver_;
};

}  // namespace testsupport
