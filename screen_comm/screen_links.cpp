#include "screen_comm/screen_links.h"

#include <errno.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>

#include "transport/dotted_quad.h"

namespace quodel {
namespace {

std::optional<in_addr_t> ResolveIpv4(const char *host) {
  if (std::optional<in_addr_t> quad = transport::ParseDottedQuad(host)) return quad;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo *found = nullptr;
  if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) return std::nullopt;
  const in_addr_t address = reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr.s_addr;
  ::freeaddrinfo(found);
  return address;
}

// Waits for a non-blocking connect to finish; true when it succeeded.
bool AwaitConnect(int fd, std::chrono::milliseconds bound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{fd, POLLOUT, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
  }
}

}  // namespace

bool TcpClientLink::connect(const char *host, int port, std::chrono::milliseconds bound) {
  close();
  if (host == nullptr || *host == '\0' || port <= 0 || port > 65535) return false;
  const std::optional<in_addr_t> address = ResolveIpv4(host);
  if (!address) return false;
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in remote{};
  remote.sin_family = AF_INET;
  remote.sin_addr.s_addr = *address;
  remote.sin_port = htons(static_cast<uint16_t>(port));
  int rc;
  do {
    rc = ::connect(fd, reinterpret_cast<const sockaddr *>(&remote), sizeof remote);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0 && (errno != EINPROGRESS || !AwaitConnect(fd, bound))) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void TcpClientLink::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

int ScreenLinks::openComm(int n, int baud) {
  if (ports_.Open(n, baud) != n) return 0;
  cutters_[n - 1] = std::make_unique<LineCutter>();
  return n;
}

void ScreenLinks::closeComm(int n) {
  ports_.Close(n);
  if (comInRange(n)) cutters_[n - 1].reset();
}

LineCutter *ScreenLinks::lineCutter(int n) {
  return comInRange(n) ? cutters_[n - 1].get() : nullptr;
}

void ScreenLinks::clearLineCutters() {
  for (auto &cutter : cutters_)
    if (cutter) cutter->clear();
}

int ScreenLinks::openUdp(int localPort) {
  closeUdp();
  auto link = std::make_unique<transport::CUdpLink>();
  if (!link->Create(localPort)) return 0;
  udp_ = std::move(link);
  return udp_->localPort();
}

void ScreenLinks::closeUdp() {
  if (udp_) udp_->Close();
  udp_.reset();
}

bool ScreenLinks::openTcp(const char *host, int port) {
  closeTcp();
  auto link = std::make_unique<TcpClientLink>();
  if (!link->connect(host, port, kConnectBound)) return false;
  tcp_ = std::move(link);
  return true;
}

void ScreenLinks::closeTcp() { tcp_.reset(); }

}  // namespace quodel
