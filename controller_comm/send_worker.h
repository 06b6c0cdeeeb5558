#pragma once
// Sending a prepared frame in a worker thread: the job taken when the send
// is accepted, the send-and-wait on its link, and the completion notice.
//
// Everything a worker needs is copied into its job when the send is
// accepted, so commands built, queues emptied and slots closed afterwards
// never change what it sends or how it judges the reply. The job holds its
// link through a shared_ptr: a caller closing the slot closes the link, and
// the worker then ends with result 0.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "transport/serial_port.h"
#include "transport/udp_link.h"

namespace tarnex {

struct SendJob {
  int32_t number = 0;  // job number, 2 .. INT32_MAX
  int32_t slot = -1;
  uint8_t linkType = 0;  // LinkType; kLinkNone for no link
  std::shared_ptr<transport::SerialPort> serial;
  std::shared_ptr<transport::CUdpLink> udp;
  std::string host;   // UDP links: dotted quad of the controller
  uint16_t port = 0;  // UDP links: the controller's port
  std::string frame;  // ':' .. CR LF; empty when there is nothing to send
  uint8_t address = 0;
  uint8_t function = 0;
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
// 1, 16 or 20. Logs the frame and empties the receive side before it goes
// out.
int SendAndWait(const SendJob &job);

// Test seam: while set, no worker thread starts (as when the system has no
// thread to give).
void SetWorkerStartFaultForTesting(bool fail);

// Deadlines from the end of the write or send.
inline constexpr std::chrono::milliseconds kSerialReplyTime{2000};
inline constexpr std::chrono::milliseconds kUdpReplyTime{1000};
// Stale datagrams discarded before a send, at most.
inline constexpr int kStaleDatagramLimit = 256;

}  // namespace tarnex
