#pragma once
// The library's links to screen controllers: serial ports by COM number,
// each with the receive buffer of its replies, one UDP link and one TCP
// client link.
#include <array>
#include <chrono>
#include <memory>

#include "screen_comm/ack_receiver.h"
#include "transport/com_port_path.h"
#include "transport/com_port_set.h"
#include "transport/udp_link.h"

namespace quodel {

// A TCP client socket; it is connected and closed, nothing more.
class TcpClientLink {
 public:
  TcpClientLink() = default;
  ~TcpClientLink() { close(); }
  TcpClientLink(const TcpClientLink &) = delete;
  TcpClientLink &operator=(const TcpClientLink &) = delete;

  // Connects to host (a dotted quad, else an IPv4 name to resolve) at port
  // 1..65535, waiting at most `bound`. False when the host is null or cannot
  // be resolved, the peer refuses, or the time runs out; nothing stays open.
  bool connect(const char *host, int port, std::chrono::milliseconds bound);
  bool isConnected() const { return fd_ >= 0; }
  void close();

 private:
  int fd_ = -1;
};

class ScreenLinks {
 public:
  static constexpr std::chrono::seconds kConnectBound{20};

  // Opens COM n with a fresh receive buffer; n, or 0 when the set refuses.
  int openComm(int n, int baud);
  void closeComm(int n);
  std::shared_ptr<transport::SerialPort> serialPort(int n) const { return ports_.acquire(n); }
  // The receive buffer of COM n; nullptr unless opened here.
  LineCutter *lineCutter(int n);
  void clearLineCutters();

  // Replaces the UDP link with one bound on localPort; the bound port, or 0
  // (and no link).
  int openUdp(int localPort);
  void closeUdp();
  transport::CUdpLink *udp() const { return udp_.get(); }

  // Replaces the TCP link with one connected to host:port; false (and no
  // link) on failure.
  bool openTcp(const char *host, int port);
  void closeTcp();

 private:
  static bool comInRange(int n) {
    return n >= transport::kMinComPort && n <= transport::kMaxComPort;
  }

  transport::CComPortSet ports_;
  std::array<std::unique_ptr<LineCutter>, transport::kMaxComPort> cutters_;
  std::unique_ptr<transport::CUdpLink> udp_;
  std::unique_ptr<TcpClientLink> tcp_;
};

}  // namespace quodel
