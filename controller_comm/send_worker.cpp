#include "controller_comm/send_worker.h"

#include <pthread.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "controller_comm/frame_log.h"
#include "controller_comm/library_state.h"
#include "controller_comm/reply_wait.h"
#include "platform/send_gate.h"
#include "tarnex.h"

namespace tarnex {
namespace {

using transport::Clock;

std::atomic<bool> workerStartFault{false};
std::atomic<uint64_t> workerStarts{0};

// The resident worker: one thread, parked on a condition variable between
// jobs. Its notices go through a gate that StopWorker closes, so a notice
// the window never handled cannot hold the worker, and is never handled
// after the worker ended.
class Worker {
 public:
  // Never destroyed: a process may end while a send runs.
  static Worker &instance() {
    static Worker *const worker = new Worker;
    return *worker;
  }

  bool start() {
    std::lock_guard life(lifecycle_);
    return startLocked();
  }

  bool submit(SendJob job) {
    std::lock_guard life(lifecycle_);
    if (!startLocked()) return false;
    {
      std::lock_guard lock(mutex_);
      job_ = std::move(job);
    }
    // Notified after the unlock, so the worker does not wake into a held mutex.
    work_.notify_one();
    return true;
  }

  void stop() {
    std::lock_guard life(lifecycle_);
    if (!thread_.joinable()) return;
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    work_.notify_one();
    gate_->close();
    if (thread_.get_id() == std::this_thread::get_id()) {
      // Only a handler run on the worker itself could get here; it ends
      // after its job.
      thread_.detach();
      return;
    }
    thread_.join();
    std::lock_guard lock(mutex_);
    stopping_ = false;
  }

 private:
  Worker() = default;

  bool startLocked() {
    if (thread_.joinable()) return true;
    if (workerStartFault) return false;
    try {
      gate_ = std::make_shared<platform::SendGate>();
      thread_ = std::thread([this, gate = gate_] { run(*gate); });
    } catch (...) {
      return false;
    }
    workerStarts.fetch_add(1);
    return true;
  }

  void run(platform::SendGate &gate) {
    pthread_setname_np(pthread_self(), "tarnex-send");
    LateReplyWatch watch;
    for (;;) {
      std::optional<SendJob> job;
      {
        std::unique_lock lock(mutex_);
        work_.wait(lock, [this] { return job_.has_value() || stopping_; });
        // A job handed over before the stop is still ended, so its send
        // lets go of the busy flag.
        if (!job_) return;
        job = std::move(job_);
        job_.reset();
      }
      runJob(*job, gate, watch);
    }
  }

  // Send and wait, take the entry sent off the queue, tell the window, and
  // only then let the next send in.
  static void runJob(const SendJob &job, platform::SendGate &gate, LateReplyWatch &watch) noexcept {
    int result = PlcResultBadSlot;
    try {
      result = SendAndWait(job, &watch);
    } catch (...) {
      result = PlcResultBadSlot;
    }
    LibraryState &state = LibraryState::instance();
    try {
      if (job.queueEntry != 0) state.removeSentEntry(job.queueEntry);
      // Read now, not at the start: the window may have changed meanwhile.
      // The call waits for the handler, which may call back into the
      // library, so no lock is held across it.
      const auto [window, message] = state.notifyTarget();
      const WPARAM wParam = static_cast<WPARAM>(job.expected.function) | (static_cast<WPARAM>(result) << 16);
      gate.send(window, static_cast<UINT>(message), wParam, 0);
    } catch (...) {
    }
    state.endSend();
  }

  std::mutex lifecycle_;  // start and stop, one at a time
  std::mutex mutex_;
  std::condition_variable work_;
  std::optional<SendJob> job_;
  bool stopping_ = false;
  std::shared_ptr<platform::SendGate> gate_;
  std::thread thread_;
};

}  // namespace

void SetWorkerStartFaultForTests(bool fail) { workerStartFault = fail; }

uint64_t WorkerStartsForTests() { return workerStarts.load(); }

bool StartWorker() { return Worker::instance().start(); }

void StopWorker() { Worker::instance().stop(); }

int SendAndWait(const SendJob &job, LateReplyWatch *watch) {
  if (job.frame.empty() || !job.link) return PlcResultBadSlot;
  transport::Link &link = *job.link;
  if (!link.isOpen()) return PlcResultBadSlot;
  if (watch != nullptr) watch->awaitQuiet(link);
  // A late reply to an earlier request must not answer this one.
  link.discardStaleInput();
  // A failed send is not reported (a host that is no dotted quad, port 0, a
  // write error): the wait then runs out, and nothing can come late.
  const bool sent = link.send(job.frame.data(), job.frame.size(), job.to) >= 0;
  if (!sent && !link.isOpen()) return PlcResultBadSlot;
  const transport::Deadline deadline = Clock::now() + link.replyTiming().replyTime;
  FrameLog::instance().post(job.frameLog, job.frame);
  LibraryState &state = LibraryState::instance();
  const int result =
      WaitForReply(link, deadline, [&](std::string_view text) { return state.takeReply(text, job.expected); });
  if (watch != nullptr) {
    if (result == PlcResultTimeOut && sent) {
      watch->timedOut(job.link);
    } else {
      watch->answered(link);
    }
  }
  return result;
}

int32_t StartSend(int32_t slot, const char *host, int32_t port, SendSource source) {
  LibraryState &state = LibraryState::instance();
  std::variant<int32_t, SendJob> begun = state.beginSend(slot, host, port, source);
  if (const int32_t *refused = std::get_if<int32_t>(&begun)) return *refused;
  SendJob &job = std::get<SendJob>(begun);
  const int32_t number = job.number;
  if (!Worker::instance().submit(std::move(job))) {
    state.endSend();
    return 0;
  }
  return number;
}

}  // namespace tarnex
