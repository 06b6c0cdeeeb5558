#pragma once
// The controller link library as the programs call it: one interface for the
// calls they make, so their logic can be tested on a recording stand-in, and
// the implementation over the library.
#include <cstdint>
#include <string>

#include "controller_comm/client/serial_port_probe.h"
#include "plc_reply.h"
#include "tarnex.h"
#include "window_messages.h"

namespace tarnex_client {

// How a window opens its link. Production uses the defaults; tests set the
// local UDP port to 0 (an ephemeral port) so parallel runs never collide.
struct PlcLinkSettings {
  int32_t localUdpPort = 8889;
  int32_t baud = 9600;
};

// The completion notice's message number, as a window's message handler
// compares it; its results are the PlcResult* values of the library.
inline constexpr UINT kPlcNoticeMessage = PlcNotifyMessage;

// The kind of link a device slot opens; the library refuses None.
enum class LinkKind : uint8_t { None = 0, Serial = 1, Udp = 2 };

// The open request as the library takes it: the link kind in bits 0-7, the
// COM port number (serial links) in bits 16-31.
constexpr int32_t LinkRequest(LinkKind kind, int32_t comPort) {
  return static_cast<int32_t>((static_cast<uint32_t>(comPort) << 16) | static_cast<uint32_t>(kind));
}
// The parts of an open request, read as the library reads them.
constexpr LinkKind LinkRequestKind(int32_t request) {
  return static_cast<LinkKind>(static_cast<uint32_t>(request) & 0xFFu);
}
constexpr int32_t LinkRequestComPort(int32_t request) {
  return static_cast<int32_t>(static_cast<uint32_t>(request) >> 16);
}

// A completion notice: the function of the finished command and its result
// (a PlcResult* value), from the notice's first parameter.
struct PlcNotice {
  uint16_t function = 0;
  uint16_t result = 0;
};
constexpr PlcNotice DecodePlcNotice(WPARAM wParam) {
  const auto w = static_cast<uint64_t>(wParam);
  return PlcNotice{static_cast<uint16_t>(w & 0xFFFF), static_cast<uint16_t>((w >> 16) & 0xFFFF)};
}

// What send returns: nothing was started (no link, nothing queued), another
// send still runs (its notice is its own), or the number of the started job.
inline constexpr int32_t kSendNothingStarted = 0;
inline constexpr int32_t kSendBusy = 1;
inline constexpr int32_t kFirstSendJob = 2;
constexpr bool SendStarted(int32_t sendResult) { return sendResult >= kFirstSendJob; }

// Library send modes: the display program queues its commands, the editor
// sends the frame built last.
inline constexpr int32_t kQueuedMode = -1;
inline constexpr int32_t kDirectMode = 0;

class IPlcApi {
 public:
  virtual ~IPlcApi() = default;

  virtual int32_t startup(int32_t mode) = 0;
  virtual int32_t cleanup() = 0;
  virtual void setNotify(HWND window, int32_t message) = 0;
  // devTypePort: a LinkRequest. Slot or -1.
  virtual int32_t openDev(int32_t devTypePort, int32_t baud, int32_t localPort) = 0;
  virtual void closeDev(int32_t slot) = 0;
  virtual PlcReply getData() = 0;
  virtual int32_t getCmdCount() = 0;
  // kSendBusy, kSendNothingStarted or a started job (SendStarted).
  virtual int32_t send(int32_t slot, const std::string &host, int32_t port) = 0;

  virtual int32_t cmdRead(int32_t address, int32_t firstRegister, int32_t count) = 0;
  virtual int32_t cmdWrite(int32_t address, int32_t firstRegister, const uint16_t *values, int32_t count) = 0;
  virtual int32_t cmdSetAW(int32_t address, int32_t n, int32_t value) = 0;
  virtual int32_t cmdSetTimerEnable(int32_t address, int32_t value) = 0;
  virtual int32_t cmdSetTimeCheck(int32_t address, int32_t a, int32_t b, int32_t c, int32_t d) = 0;
  virtual int32_t cmdPowerOnLC(int32_t address, int32_t n) = 0;
  virtual int32_t cmdPowerOffLC(int32_t address, int32_t n) = 0;

  // True when a UDP socket cannot bind the local port because another
  // socket holds it (asked after a failed open, to say why it failed).
  virtual bool localUdpPortTaken(int32_t port) = 0;
  // Why the serial port COM n does not open (asked after a failed open, to
  // say why it failed).
  virtual SerialPortProblem serialPortProblem(int32_t comPort) = 0;
};

// The calls go to the controller link library in this process. Tests derive
// from it to watch the calls on their way to the library.
class TarnexPlcApi : public IPlcApi {
 public:
  int32_t startup(int32_t mode) override;
  int32_t cleanup() override;
  void setNotify(HWND window, int32_t message) override;
  int32_t openDev(int32_t devTypePort, int32_t baud, int32_t localPort) override;
  void closeDev(int32_t slot) override;
  PlcReply getData() override;
  int32_t getCmdCount() override;
  int32_t send(int32_t slot, const std::string &host, int32_t port) override;
  int32_t cmdRead(int32_t address, int32_t firstRegister, int32_t count) override;
  int32_t cmdWrite(int32_t address, int32_t firstRegister, const uint16_t *values, int32_t count) override;
  int32_t cmdSetAW(int32_t address, int32_t n, int32_t value) override;
  int32_t cmdSetTimerEnable(int32_t address, int32_t value) override;
  int32_t cmdSetTimeCheck(int32_t address, int32_t a, int32_t b, int32_t c, int32_t d) override;
  int32_t cmdPowerOnLC(int32_t address, int32_t n) override;
  int32_t cmdPowerOffLC(int32_t address, int32_t n) override;
  bool localUdpPortTaken(int32_t port) override;
  SerialPortProblem serialPortProblem(int32_t comPort) override;
};

}  // namespace tarnex_client
