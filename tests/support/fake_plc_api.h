#pragma once
// A stand-in for the controller link library: records every call, keeps a
// command queue and one running send like the library's queued mode, and
// delivers the completion notice when the test ends the send.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "controller_comm/client/plc_api.h"

namespace tarnex_client::testing {

struct FakeCall {
  std::string name;           // the export's name, e.g. "CMD_Read"
  std::vector<int64_t> args;  // its integer arguments in order
  std::vector<uint16_t> words;  // CMD_Write's values
  std::string host;           // PLC_Send's host
};

class FakePlcApi final : public IPlcApi {
 public:
  // What PLC_OpenDev returns next (-1 = the link does not open).
  int32_t openResult = 0;
  // Local UDP ports another program holds, as localUdpPortTaken reports them.
  std::set<int32_t> takenPorts;
  // What serialPortProblem reports for a COM port (None for the others).
  std::map<int32_t, SerialPortProblem> serialProblems;
  // Every call, in order.
  std::vector<FakeCall> calls;
  // Commands queued and not yet sent to the end.
  std::deque<FakeCall> queue;
  // The send under way: the queue head's copy, the slot, host and port.
  struct Job {
    FakeCall command;
    int32_t slot = -1;
    std::string host;
    int32_t port = 0;
    uint8_t address = 0;
    uint8_t function = 0;
  };
  std::optional<Job> running;
  // The reply record PLC_GetData copies.
  PlcReply reply{};
  // Takes the notices (the view's handler).
  std::function<void(uint16_t function, uint16_t result)> onNotice;

  // Ends the running send with a result: the queue head goes and the notice
  // is delivered with the job's function. Nothing when no send runs.
  void finish(uint16_t result);
  // Ends the running send with a read reply from address: the record holds
  // the words; the result is 1, or 20 when the job asked another address or
  // function.
  void answerRead(uint8_t address, const std::vector<uint16_t> &words);
  // Ends the running send with a write reply from address.
  void answerWrite(uint8_t address);

  // Calls of one export, in order.
  std::vector<FakeCall> callsNamed(const std::string &name) const;
  // The command exports called (CMD_*), in order.
  std::vector<FakeCall> commands() const;
  void clearCalls() { calls.clear(); }

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

 private:
  int32_t queueCommand(FakeCall call);
  void end(uint16_t result);
  int32_t nextJob_ = 2;
};

}  // namespace tarnex_client::testing
