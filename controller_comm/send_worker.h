#pragma once
// Sending a prepared frame in a worker thread: the job taken when the send
// is accepted, the send-and-wait on its link, and the completion notice.
//
// Everything a worker needs is copied into its job when the send is
// accepted, so commands built, queues emptied and slots closed afterwards
// never change what it sends or how it judges the reply. The job holds its
// link through a shared_ptr: a caller closing the slot closes the link, and
// the worker then ends with result 0.
#include <cstdint>
#include <memory>
#include <string>

#include "reply_match.h"
#include "transport/link.h"

namespace tarnex {

struct SendJob {
  int32_t number = 0;  // job number, 2 .. INT32_MAX
  int32_t slot = -1;
  std::shared_ptr<transport::Link> link;  // null for no link
  const char *frameLog = nullptr;         // the link's frame log file name
  transport::Destination to;              // UDP links: the controller
  std::string frame;  // ':' .. CR LF; empty when there is nothing to send
  ExpectedReply expected;  // address and function of the frame, and what it asks
  uint64_t queueEntry = 0;  // the queue entry sent (queue worker), else 0
};

// Which frame a send takes.
enum class SendSource {
  ByMode,     // the frame built last in direct mode, the queue head in queued mode
  QueueHead,  // the queue head in either mode
};

// PLC_Send and PLC_QSend: 1 while a send runs, 0 when there is nothing to
// send from the queue or no worker could be started, else the job number
// of the started worker.
int32_t StartSend(int32_t slot, const char *host, int32_t port, SendSource source);

// The worker's send-and-wait: 0 (no link, a closed link, nothing to send),
// 1, 16 or 20. Logs the frame and drops the link's stale input before it
// goes out; the reply time is the link's.
int SendAndWait(const SendJob &job);

// Test seam: while set, no worker thread starts (as when the system has no
// thread to give).
void SetWorkerStartFaultForTests(bool fail);

}  // namespace tarnex
