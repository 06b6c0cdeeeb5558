#include "tests/support/loopback_udp.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

namespace testsupport {
namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<uint16_t>(port));
  return a;
}

}  // namespace

LoopbackUdp::LoopbackUdp() {
  fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ < 0) throw std::runtime_error("socket failed");
  sockaddr_in local = Loopback(0);
  socklen_t length = sizeof local;
  if (::bind(fd_, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0 ||
      ::getsockname(fd_, reinterpret_cast<sockaddr *>(&local), &length) != 0) {
    ::close(fd_);
    throw std::runtime_error("bind on 127.0.0.1 failed");
  }
  port_ = ntohs(local.sin_port);
}

LoopbackUdp::~LoopbackUdp() { ::close(fd_); }

bool LoopbackUdp::sendTo(int port, std::string_view bytes) {
  const sockaddr_in remote = Loopback(port);
  const ssize_t sent = ::sendto(fd_, bytes.data(), bytes.size(), 0,
                                reinterpret_cast<const sockaddr *>(&remote), sizeof remote);
  return sent == static_cast<ssize_t>(bytes.size());
}

std::optional<LoopbackUdp::Datagram> LoopbackUdp::receive(Deadline deadline) {
  std::vector<char> buf(65536);
  for (;;) {
    sockaddr_in sender{};
    socklen_t length = sizeof sender;
    const ssize_t got = ::recvfrom(fd_, buf.data(), buf.size(), MSG_DONTWAIT,
                                   reinterpret_cast<sockaddr *>(&sender), &length);
    if (got >= 0) return Datagram{std::string(buf.data(), static_cast<size_t>(got)),
                                  ntohs(sender.sin_port)};
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return std::nullopt;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return std::nullopt;
    pollfd p{fd_, POLLIN, 0};
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    ::poll(&p, 1, static_cast<int>(ms));
  }
}

}  // namespace testsupport
