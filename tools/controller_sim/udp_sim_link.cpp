#include "tools/controller_sim/udp_sim_link.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

namespace controller_sim {
namespace {

constexpr size_t kMaxDatagram = 65536;
constexpr size_t kMaxNoiseDatagram = 4096;

class UdpOutput final : public ReplyOutput {
 public:
  UdpOutput(int fd, const sockaddr_in &peer) : fd_(fd), peer_(peer) {}
  bool send(std::string_view bytes) override {
    const ssize_t n = sendto(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                             reinterpret_cast<const sockaddr *>(&peer_), sizeof peer_);
    return n == static_cast<ssize_t>(bytes.size());
  }
  size_t maxNoiseChunk() const override { return kMaxNoiseDatagram; }

 private:
  int fd_;
  sockaddr_in peer_;
};

[[noreturn]] void ThrowSystemError(const std::string &what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

UdpSimLink::UdpSimLink(SimCore &core, uint16_t port) : SimLink(core) {
  fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ < 0) ThrowSystemError("无法创建 UDP 套接字");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(port);
  socklen_t len = sizeof addr;
  if (bind(fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
      getsockname(fd_, reinterpret_cast<sockaddr *>(&addr), &len) != 0) {
    const int err = errno;
    close(fd_);
    throw std::system_error(err, std::generic_category(), "无法绑定 UDP 端口 127.0.0.1:" + std::to_string(port));
  }
  port_ = ntohs(addr.sin_port);
}

UdpSimLink::~UdpSimLink() {
  stop();
  close(fd_);
}

void UdpSimLink::run() {
  std::vector<char> buffer(kMaxDatagram);
  while (!stop_.triggered()) {
    const auto forever = std::chrono::steady_clock::now() + std::chrono::hours(24);
    const int revents = stop_.waitFor(fd_, POLLIN, forever);
    if (revents < 0) return;
    if (!(revents & POLLIN)) continue;
    sockaddr_in peer{};
    socklen_t peer_len = sizeof peer;
    const ssize_t n = recvfrom(fd_, buffer.data(), buffer.size(), MSG_TRUNC,
                               reinterpret_cast<sockaddr *>(&peer), &peer_len);
    if (n < 0) continue;  // EAGAIN, or an ICMP error left by an earlier reply
    const DeliveryTiming timing{std::chrono::steady_clock::now(), static_cast<size_t>(n), {}};
    const bool cut_short = static_cast<size_t>(n) > buffer.size();
    const std::string_view text(buffer.data(), cut_short ? buffer.size() : static_cast<size_t>(n));
    UdpOutput out(fd_, peer);
    answer(text, cut_short, out, timing);
  }
}

}  // namespace controller_sim
