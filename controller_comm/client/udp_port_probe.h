#pragma once
// Whether a local UDP port is held by another socket.
#include <cstdint>

namespace tarnex_client {

// Tries to bind a UDP socket to the port on every local address, as the
// link library's UDP link does, and closes it at once. True only when the
// bind fails because the port is in use; false for ports outside 1..65535
// and for any other failure.
bool UdpPortInUse(int32_t port);

}  // namespace tarnex_client
