#pragma once
// The real link library for end-to-end tests, with one guard: a send to any
// host but 127.0.0.1 fails the test and sends nothing, so a default address
// left in a window (192.168.0.x) never reaches the network.
#include <string>

#include "controller_comm/client/plc_api.h"

namespace testsupport {

class LoopbackOnlyPlcApi final : public tarnex_client::TarnexPlcApi {
 public:
  int32_t send(int32_t slot, const std::string &host, int32_t port) override;
};

}  // namespace testsupport
