#pragma once
// The UDP socket of one device link: non-blocking datagrams, bound on every
// local address. Any thread may close it while another sends, receives or
// waits; after Close every call reports a closed link. A link is created
// once; open a new object to bind again.
#include <atomic>
#include <cstddef>
#include <string>

#include "transport/link.h"
#include "transport/link_guard.h"
#include "transport/wait_result.h"

namespace transport {

class CUdpLink final : public Link {
 public:
  CUdpLink() = default;
  ~CUdpLink() override;  // closes
  CUdpLink(const CUdpLink &) = delete;
  CUdpLink &operator=(const CUdpLink &) = delete;

  // Binds a datagram socket to localPort (0: any free port) on every local
  // address. False when the port is outside 0..65535 or already bound, the
  // socket cannot be made, or this link was created or closed before.
  bool Create(int localPort);

  // The bound local port; 0 when not created or closed.
  int localPort() const;

  // Sends one datagram to host:port. host must be a dotted quad (four
  // decimal numbers 0..255; leading zeros are decimal). Returns the bytes
  // sent, or -1 (bad host or port, closed link, send error).
  int SendTo(const void *buf, size_t len, int port, const char *host);

  // Takes one waiting datagram without blocking and copies at most capacity
  // bytes of it; *truncated tells whether it was longer. The sender's dotted
  // address and port go to *addr and *port. Any out pointer may be null.
  // Returns the bytes copied: 0 when nothing is waiting or the datagram was
  // empty, -1 when closed.
  int ReceiveFrom(void *buf, size_t capacity, std::string *addr, int *port, bool *truncated);

  // Copies at most capacity bytes of the next waiting datagram without
  // taking it, and its full length to *length. False (*length 0) when
  // nothing is waiting or the link is closed.
  bool PeekFrom(void *buf, size_t capacity, size_t *length);

  // Discards up to max waiting datagrams; returns how many were discarded.
  int drain(int max);

  // Closes the socket; waits for threads inside a call to leave (they wake at
  // once), so the port can be bound again when it returns. Idempotent.
  void Close();

  // Link: receive is ReceiveFrom without the sender, send is SendTo, close
  // is Close; up to 256 stale datagrams are drained; a reply has 1 s, and
  // at most 16 datagrams already waiting are still read after it.
  bool isOpen() const override { return guard_.isOpen(); }
  WaitResult waitReadable(Deadline deadline) override;
  WaitResult waitClosed(Deadline deadline) override;
  int receive(void *buf, size_t capacity, bool *truncated) override;
  int send(const void *buf, size_t len, const Destination &to) override;
  void discardStaleInput() override;
  ReplyTiming replyTiming() const override;
  void close() override { Close(); }

 private:
  LinkGuard guard_;
  std::atomic<int> localPort_{0};
};

}  // namespace transport
