#pragma once
// A UDP socket on 127.0.0.1 with a port the system picks, for tests that talk
// to a link under test.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace testsupport {

class LoopbackUdp {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  struct Datagram {
    std::string bytes;
    int port = 0;  // the sender's port
  };

  LoopbackUdp();  // throws std::runtime_error when the socket cannot be bound
  ~LoopbackUdp();
  LoopbackUdp(const LoopbackUdp &) = delete;
  LoopbackUdp &operator=(const LoopbackUdp &) = delete;

  int port() const { return port_; }

  // Sends one datagram to 127.0.0.1:port.
  bool sendTo(int port, std::string_view bytes);

  // The next datagram (up to 64 KiB), or nullopt at the deadline.
  std::optional<Datagram> receive(Deadline deadline);

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace testsupport
