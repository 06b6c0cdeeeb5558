#include "tests/support/fake_plc_api.h"

#include <utility>

namespace tarnex_client::testing {
namespace {

uint8_t FunctionOf(const FakeCall &call) { return call.name == "CMD_Read" ? 3 : 16; }

}  // namespace

void FakePlcApi::end(uint16_t result) {
  if (!running) return;
  const uint8_t function = running->function;
  // The queue worker drops the head after the wait, before the notice.
  if (!queue.empty()) queue.pop_front();
  // The library is busy until the handler returns.
  if (onNotice) onNotice(function, result);
  running.reset();
}

void FakePlcApi::finish(uint16_t result) { end(result); }

void FakePlcApi::answerRead(uint8_t address, const std::vector<uint16_t> &words) {
  if (!running) return;
  reply.address = address;
  reply.function = 3;
  reply.firstRegister = 0;
  reply.count = static_cast<uint16_t>(words.size() > 128 ? 128 : words.size());
  for (size_t k = 0; k < reply.count; ++k) reply.data[k] = words[k];
  end(address == running->address && running->function == 3 ? PlcResultDone : PlcResultMismatch);
}

void FakePlcApi::answerWrite(uint8_t address) {
  if (!running) return;
  reply.address = address;
  reply.function = 16;
  reply.firstRegister = running->command.args.size() > 1 ? static_cast<uint16_t>(running->command.args[1]) : 0;
  reply.count = 1;
  reply.data[0] = 1;
  end(address == running->address && running->function == 16 ? PlcResultDone : PlcResultMismatch);
}

std::vector<FakeCall> FakePlcApi::callsNamed(const std::string &name) const {
  std::vector<FakeCall> out;
  for (const FakeCall &call : calls) {
    if (call.name == name) out.push_back(call);
  }
  return out;
}

std::vector<FakeCall> FakePlcApi::commands() const {
  std::vector<FakeCall> out;
  for (const FakeCall &call : calls) {
    if (call.name.rfind("CMD_", 0) == 0) out.push_back(call);
  }
  return out;
}

int32_t FakePlcApi::startup(int32_t mode) {
  calls.push_back({"PLC_Startup", {mode}, {}, {}});
  return 1;
}

int32_t FakePlcApi::cleanup() {
  calls.push_back({"PLC_Cleanup", {}, {}, {}});
  queue.clear();
  return 1;
}

void FakePlcApi::setNotify(HWND window, int32_t message) {
  calls.push_back({"PLC_SetNotify", {static_cast<int64_t>(window), message}, {}, {}});
}

int32_t FakePlcApi::openDev(int32_t devTypePort, int32_t baud, int32_t localPort) {
  calls.push_back({"PLC_OpenDev", {devTypePort, baud, localPort}, {}, {}});
  if (openResult == -1) queue.clear();
  return openResult;
}

void FakePlcApi::closeDev(int32_t slot) {
  calls.push_back({"PLC_CloseDev", {slot}, {}, {}});
  queue.clear();
}

PlcReply FakePlcApi::getData() {
  calls.push_back({"PLC_GetData", {}, {}, {}});
  return reply;
}

int32_t FakePlcApi::getCmdCount() { return static_cast<int32_t>(queue.size()); }

int32_t FakePlcApi::send(int32_t slot, const std::string &host, int32_t port) {
  calls.push_back({"PLC_Send", {slot, port}, {}, host});
  if (running) return 1;
  if (queue.empty()) return 0;
  Job job;
  job.command = queue.front();
  job.slot = slot;
  job.host = host;
  job.port = port;
  job.address = static_cast<uint8_t>(job.command.args[0] & 0xFF);
  job.function = FunctionOf(job.command);
  running = std::move(job);
  return nextJob_++;
}

int32_t FakePlcApi::queueCommand(FakeCall call) {
  calls.push_back(call);
  queue.push_back(std::move(call));
  return static_cast<int32_t>(queue.size());
}

int32_t FakePlcApi::cmdRead(int32_t address, int32_t firstRegister, int32_t count) {
  return queueCommand({"CMD_Read", {address, firstRegister, count}, {}, {}});
}

int32_t FakePlcApi::cmdWrite(int32_t address, int32_t firstRegister, const uint16_t *values, int32_t count) {
  std::vector<uint16_t> words;
  if (values && count > 0) words.assign(values, values + count);
  return queueCommand({"CMD_Write", {address, firstRegister, count}, std::move(words), {}});
}

int32_t FakePlcApi::cmdSetAW(int32_t address, int32_t n, int32_t value) {
  return queueCommand({"CMD_SetAW", {address, n, value}, {}, {}});
}

int32_t FakePlcApi::cmdSetTimerEnable(int32_t address, int32_t value) {
  return queueCommand({"CMD_SetTimerEnable", {address, value}, {}, {}});
}

int32_t FakePlcApi::cmdSetTimeCheck(int32_t address, int32_t a, int32_t b, int32_t c, int32_t d) {
  return queueCommand({"CMD_SetTimeCheck", {address, a, b, c, d}, {}, {}});
}

int32_t FakePlcApi::cmdPowerOnLC(int32_t address, int32_t n) {
  return queueCommand({"CMD_PowerOnLC", {address, n}, {}, {}});
}

int32_t FakePlcApi::cmdPowerOffLC(int32_t address, int32_t n) {
  return queueCommand({"CMD_PowerOffLC", {address, n}, {}, {}});
}

bool FakePlcApi::localUdpPortTaken(int32_t port) {
  calls.push_back({"LocalUdpPortTaken", {port}, {}, {}});
  return takenPorts.count(port) > 0;
}

SerialPortProblem FakePlcApi::serialPortProblem(int32_t comPort) {
  calls.push_back({"SerialPortProblem", {comPort}, {}, {}});
  const auto found = serialProblems.find(comPort);
  return found == serialProblems.end() ? SerialPortProblem{} : found->second;
}

}  // namespace tarnex_client::testing
