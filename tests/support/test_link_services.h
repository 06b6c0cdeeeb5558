#pragma once
// The link services the tests hand the programs' windows, which build their
// call interface from them as they do in the programs:
// - LocalLinkServices: the real link library, its local UDP port left to the
//   system so parallel runs never collide;
// - ServicesOver: a call interface the test keeps (a recording fake, the
//   library behind a loopback guard); each window gets a forwarder to it,
//   and the test's interface outlives the window.
#include <memory>
#include <string>

#include "controller_comm/client/link_services.h"

namespace testsupport {

inline tarnex_client::LinkServices LocalLinkServices() { return tarnex_client::TarnexLinkServices({0, 9600}); }

// Every call goes on to the interface the test keeps.
class BorrowedPlcApi final : public tarnex_client::IPlcApi {
 public:
  explicit BorrowedPlcApi(tarnex_client::IPlcApi &api) : api_(api) {}

  int32_t startup(int32_t mode) override { return api_.startup(mode); }
  int32_t cleanup() override { return api_.cleanup(); }
  void setNotify(HWND window, int32_t message) override { api_.setNotify(window, message); }
  int32_t openDev(int32_t devTypePort, int32_t baud, int32_t localPort) override {
    return api_.openDev(devTypePort, baud, localPort);
  }
  void closeDev(int32_t slot) override { api_.closeDev(slot); }
  PlcReply getData() override { return api_.getData(); }
  int32_t getCmdCount() override { return api_.getCmdCount(); }
  int32_t send(int32_t slot, const std::string &host, int32_t port) override { return api_.send(slot, host, port); }
  int32_t cmdRead(int32_t address, int32_t firstRegister, int32_t count) override {
    return api_.cmdRead(address, firstRegister, count);
  }
  int32_t cmdWrite(int32_t address, int32_t firstRegister, const uint16_t *values, int32_t count) override {
    return api_.cmdWrite(address, firstRegister, values, count);
  }
  int32_t cmdSetAW(int32_t address, int32_t n, int32_t value) override { return api_.cmdSetAW(address, n, value); }
  int32_t cmdSetTimerEnable(int32_t address, int32_t value) override { return api_.cmdSetTimerEnable(address, value); }
  int32_t cmdSetTimeCheck(int32_t address, int32_t a, int32_t b, int32_t c, int32_t d) override {
    return api_.cmdSetTimeCheck(address, a, b, c, d);
  }
  int32_t cmdPowerOnLC(int32_t address, int32_t n) override { return api_.cmdPowerOnLC(address, n); }
  int32_t cmdPowerOffLC(int32_t address, int32_t n) override { return api_.cmdPowerOffLC(address, n); }
  bool localUdpPortTaken(int32_t port) override { return api_.localUdpPortTaken(port); }
  tarnex_client::SerialPortProblem serialPortProblem(int32_t comPort) override {
    return api_.serialPortProblem(comPort);
  }

 private:
  tarnex_client::IPlcApi &api_;
};

inline tarnex_client::LinkServices ServicesOver(tarnex_client::IPlcApi &api,
                                                tarnex_client::PlcLinkSettings link = {0, 9600}) {
  return {[&api] { return std::make_unique<BorrowedPlcApi>(api); }, link};
}

}  // namespace testsupport
