#include "transport/udp_link.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <climits>

#include "transport/dotted_quad.h"

namespace transport {

CUdpLink::~CUdpLink() { Close(); }

bool CUdpLink::Create(int localPort) {
  if (localPort < 0 || localPort > 65535) return false;
  if (isOpen()) return false;
  // No SO_REUSEADDR/SO_REUSEPORT: a second link on a bound port must fail.
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(static_cast<uint16_t>(localPort));
  socklen_t length = sizeof local;
  if (::bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr *>(&local), &length) != 0) {
    ::close(fd);
    return false;
  }
  if (!guard_.attach(fd)) return false;  // attach closed fd
  localPort_ = ntohs(local.sin_port);
  return true;
}

int CUdpLink::localPort() const { return isOpen() ? localPort_.load() : 0; }

int CUdpLink::SendTo(const void *buf, size_t len, int port, const char *host) {
  const std::optional<in_addr_t> address = ParseDottedQuad(host);
  if (!address || port <= 0 || port > 65535) return -1;
  if (buf == nullptr && len > 0) return -1;
  LinkGuard::Use use = guard_.enter();
  if (!use) return -1;
  sockaddr_in remote{};
  remote.sin_family = AF_INET;
  remote.sin_addr.s_addr = *address;
  remote.sin_port = htons(static_cast<uint16_t>(port));
  for (;;) {
    const ssize_t sent = ::sendto(use.fd(), buf, len, MSG_DONTWAIT | MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr *>(&remote), sizeof remote);
    if (sent >= 0) return static_cast<int>(sent);
    if (errno != EINTR) return -1;
  }
}

int CUdpLink::ReceiveFrom(void *buf, size_t capacity, std::string *addr, int *port,
                          bool *truncated) {
  if (truncated != nullptr) *truncated = false;
  LinkGuard::Use use = guard_.enter();
  if (!use) return -1;
  if (buf == nullptr) capacity = 0;
  if (capacity > static_cast<size_t>(INT_MAX)) capacity = INT_MAX;
  sockaddr_in sender{};
  socklen_t length = sizeof sender;
  ssize_t got;
  do {
    // MSG_TRUNC makes recvfrom report the datagram's full length.
    got = ::recvfrom(use.fd(), buf, capacity, MSG_DONTWAIT | MSG_TRUNC,
                     reinterpret_cast<sockaddr *>(&sender), &length);
  } while (got < 0 && errno == EINTR);
  if (got < 0) return 0;  // nothing waiting (or a transient error)
  if (addr != nullptr) {
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &sender.sin_addr, text, sizeof text);
    *addr = text;
  }
  if (port != nullptr) *port = ntohs(sender.sin_port);
  const size_t full = static_cast<size_t>(got);
  if (truncated != nullptr) *truncated = full > capacity;
  return static_cast<int>(full < capacity ? full : capacity);
}

bool CUdpLink::PeekFrom(void *buf, size_t capacity, size_t *length) {
  size_t ignored = 0;
  if (length == nullptr) length = &ignored;
  *length = 0;
  LinkGuard::Use use = guard_.enter();
  if (!use) return false;
  if (buf == nullptr) capacity = 0;
  ssize_t got;
  do {
    got = ::recv(use.fd(), buf, capacity, MSG_DONTWAIT | MSG_PEEK | MSG_TRUNC);
  } while (got < 0 && errno == EINTR);
  if (got < 0) return false;
  *length = static_cast<size_t>(got);
  return true;
}

WaitResult CUdpLink::waitReadable(Deadline deadline) { return guard_.waitReadable(deadline); }

WaitResult CUdpLink::waitClosed(Deadline deadline) { return guard_.waitClosed(deadline); }

int CUdpLink::drain(int max) {
  LinkGuard::Use use = guard_.enter();
  if (!use) return 0;
  int discarded = 0;
  while (discarded < max) {
    char byte;
    const ssize_t got = ::recv(use.fd(), &byte, sizeof byte, MSG_DONTWAIT | MSG_TRUNC);
    if (got < 0) {
      if (errno == EINTR) continue;
      break;
    }
    ++discarded;
  }
  return discarded;
}

int CUdpLink::receive(void *buf, size_t capacity, bool *truncated) {
  return ReceiveFrom(buf, capacity, nullptr, nullptr, truncated);
}

int CUdpLink::send(const void *buf, size_t len, const Destination &to) {
  return SendTo(buf, len, to.port, to.host.c_str());
}

void CUdpLink::discardStaleInput() {
  constexpr int kStaleDatagramLimit = 256;
  drain(kStaleDatagramLimit);
}

ReplyTiming CUdpLink::replyTiming() const {
  return ReplyTiming{.replyTime = std::chrono::milliseconds(1000),
                     .textGrace = std::chrono::milliseconds(0),
                     .lateReads = 16};
}

void CUdpLink::Close() { guard_.close(); }

}  // namespace transport
