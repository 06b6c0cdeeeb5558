#pragma once
// The simulated controller on a UDP port of 127.0.0.1, answering each
// datagram's sender.
#include <cstdint>

#include "tools/controller_sim/sim_link.h"

namespace controller_sim {

class UdpSimLink final : public SimLink {
 public:
  // Binds 127.0.0.1:port (0 = a free port); throws std::system_error.
  UdpSimLink(SimCore &core, uint16_t port);
  ~UdpSimLink() override;

  uint16_t port() const { return port_; }

 private:
  void run() override;

  int fd_ = -1;
  uint16_t port_ = 0;
};

}  // namespace controller_sim
