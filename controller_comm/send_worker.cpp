#include "send_worker.h"

#include <atomic>
#include <system_error>
#include <thread>
#include <utility>

#include "frame_log.h"
#include "library_state.h"
#include "reply_wait.h"
#include "window_messages.h"

namespace tarnex {
namespace {

using transport::Clock;

std::atomic<bool> workerStartFault{false};

// Parses a text into the library's reply record.
std::optional<ParsedReply> ParseIntoRecord(std::string_view text) {
  return LibraryState::instance().parseReply(text);
}

int SendSerial(const SendJob &job) {
  transport::SerialPort &port = *job.serial;
  if (!port.isOpen()) return kWaitClosed;
  LogFrame(kSerialFrameLog, job.frame);
  // A late reply to an earlier request must not answer this one.
  port.flushInput();
  // A failed write is not reported: the wait then runs out.
  if (port.write(job.frame.data(), job.frame.size()) < 0 && !port.isOpen()) return kWaitClosed;
  const transport::Deadline deadline = Clock::now() + kSerialReplyTime;
  return WaitForReply(port, deadline, ExpectedReply{job.address, job.function}, ParseIntoRecord);
}

int SendUdp(const SendJob &job) {
  transport::CUdpLink &link = *job.udp;
  if (!link.isOpen()) return kWaitClosed;
  LogFrame(kUdpFrameLog, job.frame);
  link.drain(kStaleDatagramLimit);
  // A host that is no dotted quad, port 0 or a send error sends nothing;
  // the wait then runs out.
  link.SendTo(job.frame.data(), job.frame.size(), job.port, job.host.c_str());
  const transport::Deadline deadline = Clock::now() + kUdpReplyTime;
  return WaitForReply(link, deadline, ExpectedReply{job.address, job.function}, ParseIntoRecord);
}

// The worker: send and wait, take the entry sent off the queue, tell the
// window, and only then let the next send in.
void RunJob(const SendJob &job) noexcept {
  int result = kWaitClosed;
  try {
    result = SendAndWait(job);
  } catch (...) {
    result = kWaitClosed;
  }
  LibraryState &state = LibraryState::instance();
  try {
    if (job.queueEntry != 0) state.removeSentEntry(job.queueEntry);
    // Read now, not at the start: the window may have changed meanwhile. The
    // call waits for the handler, which may call back into the library, so
    // no lock is held across it.
    const auto [window, message] = state.notifyTarget();
    const WPARAM wParam = static_cast<WPARAM>(job.function) | (static_cast<WPARAM>(result) << 16);
    SendMessageA(window, static_cast<UINT>(message), wParam, 0);
  } catch (...) {
  }
  state.endSend();
}

}  // namespace

void SetWorkerStartFaultForTesting(bool fail) { workerStartFault = fail; }

int SendAndWait(const SendJob &job) {
  if (job.frame.empty()) return kWaitClosed;
  if (job.linkType == kLinkSerial && job.serial) return SendSerial(job);
  if (job.linkType == kLinkUdp && job.udp) return SendUdp(job);
  return kWaitClosed;
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
