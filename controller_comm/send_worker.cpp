#include "send_worker.h"

#include <atomic>
#include <system_error>
#include <thread>
#include <utility>

#include "frame_log.h"
#include "library_state.h"
#include "reply_wait.h"
#include "tarnex.h"
#include "window_messages.h"

namespace tarnex {
namespace {

using transport::Clock;

std::atomic<bool> workerStartFault{false};

// The worker: send and wait, take the entry sent off the queue, tell the
// window, and only then let the next send in.
void RunJob(const SendJob &job) noexcept {
  int result = PlcResultBadSlot;
  try {
    result = SendAndWait(job);
  } catch (...) {
    result = PlcResultBadSlot;
  }
  LibraryState &state = LibraryState::instance();
  try {
    if (job.queueEntry != 0) state.removeSentEntry(job.queueEntry);
    // Read now, not at the start: the window may have changed meanwhile. The
    // call waits for the handler, which may call back into the library, so
    // no lock is held across it.
    const auto [window, message] = state.notifyTarget();
    const WPARAM wParam = static_cast<WPARAM>(job.expected.function) | (static_cast<WPARAM>(result) << 16);
    SendMessageA(window, static_cast<UINT>(message), wParam, 0);
  } catch (...) {
  }
  state.endSend();
}

}  // namespace

void SetWorkerStartFaultForTests(bool fail) { workerStartFault = fail; }

int SendAndWait(const SendJob &job) {
  if (job.frame.empty() || !job.link) return PlcResultBadSlot;
  transport::Link &link = *job.link;
  if (!link.isOpen()) return PlcResultBadSlot;
  if (job.frameLog != nullptr) LogFrame(job.frameLog, job.frame);
  // A late reply to an earlier request must not answer this one.
  link.discardStaleInput();
  // A failed send is not reported (a host that is no dotted quad, port 0, a
  // write error): the wait then runs out.
  if (link.send(job.frame.data(), job.frame.size(), job.to) < 0 && !link.isOpen()) return PlcResultBadSlot;
  const transport::Deadline deadline = Clock::now() + link.replyTiming().replyTime;
  LibraryState &state = LibraryState::instance();
  return WaitForReply(link, deadline, [&](std::string_view text) { return state.takeReply(text, job.expected); });
}

int32_t StartSend(int32_t slot, const char *host, int32_t port, SendSource source) {
  LibraryState &state = LibraryState::instance();
  std::variant<int32_t, SendJob> begun = state.beginSend(slot, host, port, source);
  if (const int32_t *refused = std::get_if<int32_t>(&begun)) return *refused;
  SendJob &job = std::get<SendJob>(begun);
  const int32_t number = job.number;
  try {
    if (workerStartFault) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    // Detached: nothing ever joins a worker, which may be delivering its
    // notice to the very thread that would join it.
    std::thread([job = std::move(job)] { RunJob(job); }).detach();
  } catch (...) {
    state.endSend();
    return 0;
  }
  return number;
}

}  // namespace tarnex
