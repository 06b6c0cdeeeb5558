#include "controller_comm/client/udp_port_probe.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace tarnex_client {

bool UdpPortInUse(int32_t port) {
  if (port < 1 || port > 65535) return false;
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<uint16_t>(port));
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  const bool inUse = ::bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0 && errno == EADDRINUSE;
  ::close(fd);
  return inUse;
}

}  // namespace tarnex_client
