#pragma once
// Sending a prepared frame: the job taken when a send is accepted, the
// library's one resident worker thread that runs the jobs, the
// send-and-wait on a link, and the completion notice.
//
// Everything the worker needs is copied into its job when the send is
// accepted, so commands built, queues emptied and slots closed afterwards
// never change what it sends or how it judges the reply. The job holds its
// link through a shared_ptr: a caller closing the slot closes the link, and
// the worker then ends the job with result 0.
#include <cstdint>
#include <memory>
#include <string>

#include "controller_comm/late_reply.h"
#include "controller_comm/reply_match.h"
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
// send from the queue or the worker could not be started, else the job
// number handed to the worker.
int32_t StartSend(int32_t slot, const char *host, int32_t port, SendSource source);

// The worker: started by PLC_Startup or the first send, parked between
// jobs. StartWorker returns false when no thread could be started.
bool StartWorker();
// Ends the worker: a notice it is still waiting to deliver is taken back
// (never handled), a job handed to it is ended first, and the thread is
// joined, so no code of the library runs for a send once it returns. Never
// waits for a window thread, so the notice window's own thread may call it,
// also from inside a notice handler. The worker's links must be closed
// first (LibraryState::cleanup), or the job's wait runs its course.
void StopWorker();

// The worker's send-and-wait: 0 (no link, a closed link, nothing to send),
// 1, 16 or 20. Drops the link's stale input before the request goes out,
// after a late reply expected on it (watch) has been waited out, and posts
// the frame to the frame log once it is on the wire; the reply time is the
// link's.
int SendAndWait(const SendJob &job, LateReplyWatch *watch = nullptr);

// Test seams: while set, no worker thread starts (as when the system has no
// thread to give); and how many worker threads this process started.
void SetWorkerStartFaultForTests(bool fail);
uint64_t WorkerStartsForTests();

}  // namespace tarnex
