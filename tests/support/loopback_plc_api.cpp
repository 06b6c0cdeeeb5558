#include "tests/support/loopback_plc_api.h"

#include <gtest/gtest.h>

namespace testsupport {

int32_t LoopbackOnlyPlcApi::send(int32_t slot, const std::string &host, int32_t port) {
  if (host != "127.0.0.1") {
    ADD_FAILURE() << "a send to " << host << ":" << port << " outside the loopback address";
    return 0;
  }
  return TarnexPlcApi::send(slot, host, port);
}

}  // namespace testsupport
