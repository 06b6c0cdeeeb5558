#pragma once
// What a send-and-wait asks of a device link, whatever carries it (a serial
// port or a UDP socket): its open state, waits that a close wakes at once,
// reads and sends of whole frames, and the two things in which the links
// differ: how stale input is dropped before a send and how long a reply may
// take. Any thread may close a link while another is inside a call; after
// close() every call reports a closed link.
#include <chrono>
#include <cstddef>
#include <string>

#include "transport/wait_result.h"

namespace transport {

// The peer a datagram goes to; serial links have only one peer and ignore it.
struct Destination {
  std::string host;  // dotted quad
  int port = 0;
};

// How long a reply may take on a link, counted from the end of the send.
struct ReplyTiming {
  std::chrono::milliseconds replyTime{0};
  // A text whose ':' arrived in time may still finish this long after the
  // reply time (0: no grace).
  std::chrono::milliseconds textGrace{0};
  // Reads of input already waiting once the time is up, at most: a worker
  // scheduled late must not miss a reply that is there, and a peer that
  // keeps sending must not keep the wait alive.
  int lateReads = 0;
};

class Link {
 public:
  virtual ~Link() = default;

  virtual bool isOpen() const = 0;

  // Waits until input is waiting, the deadline passes, the link is closed or
  // the device hangs up. Never spins on a hung-up device.
  virtual WaitResult waitReadable(Deadline deadline) = 0;

  // Sleeps until the deadline or until the link is closed (Timeout or
  // Closed) without looking at the descriptor: for a device that hung up.
  virtual WaitResult waitClosed(Deadline deadline) = 0;

  // Reads at most capacity bytes of waiting input without blocking. A link
  // that carries datagrams takes one whole and sets *truncated when it was
  // longer than capacity; a byte stream leaves the rest queued and sets
  // false. 0 when nothing is waiting, -1 when closed.
  virtual int receive(void *buf, size_t capacity, bool *truncated) = 0;

  // Puts len bytes on the link (to `to` on a datagram link). The count, or
  // -1 when closed or the send failed.
  virtual int send(const void *buf, size_t len, const Destination &to) = 0;

  // Drops input that arrived before a request, so a late reply to an
  // earlier one cannot answer it.
  virtual void discardStaleInput() = 0;

  virtual ReplyTiming replyTiming() const = 0;

  // Closes the link; waits for threads inside a call to leave (waiters wake
  // at once). Idempotent.
  virtual void close() = 0;
};

}  // namespace transport
