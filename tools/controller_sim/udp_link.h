#pragma once
// The simulated controller on a UDP port of 127.0.0.1, answering each
// datagram's sender.
#include <cstdint>

#include "controller_sim/sim_link.h"

namespace controller_sim {

class UdpLink final : public SimLink {
 public:
  // Binds 127.0.0.1:port (0 = a free port); throws std::system_error.
  UdpLink(SimCore &core, uint16_t port);
  ~UdpLink() override;

  uint16_t port() const { return port_; }

 private:
  void run() override;

  int fd_ = -1;
  uint16_t port_ = 0;
};

}  // namespace controller_sim
