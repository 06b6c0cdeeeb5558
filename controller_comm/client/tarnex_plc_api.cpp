#include "controller_comm/client/plc_api.h"
#include "controller_comm/client/serial_port_probe.h"
#include "controller_comm/client/udp_port_probe.h"
#include "tarnex.h"

namespace tarnex_client {

int32_t TarnexPlcApi::startup(int32_t mode) { return PLC_Startup(mode); }
int32_t TarnexPlcApi::cleanup() { return PLC_Cleanup(); }
void TarnexPlcApi::setNotify(HWND window, int32_t message) { PLC_SetNotify(window, message); }
int32_t TarnexPlcApi::openDev(int32_t devTypePort, int32_t baud, int32_t localPort) {
  return PLC_OpenDev(devTypePort, baud, localPort);
}
void TarnexPlcApi::closeDev(int32_t slot) { PLC_CloseDev(slot); }
PlcReply TarnexPlcApi::getData() {
  PlcReply reply{};
  PLC_GetData(&reply);
  return reply;
}
int32_t TarnexPlcApi::getCmdCount() { return PLC_GetCmdCount(); }
int32_t TarnexPlcApi::send(int32_t slot, const std::string &host, int32_t port) {
  return PLC_Send(slot, host.c_str(), port);
}
int32_t TarnexPlcApi::cmdRead(int32_t address, int32_t firstRegister, int32_t count) {
  return CMD_Read(address, firstRegister, count);
}
int32_t TarnexPlcApi::cmdWrite(int32_t address, int32_t firstRegister, const uint16_t *values, int32_t count) {
  return CMD_Write(address, firstRegister, values, count);
}
int32_t TarnexPlcApi::cmdSetAW(int32_t address, int32_t n, int32_t value) { return CMD_SetAW(address, n, value); }
int32_t TarnexPlcApi::cmdSetTimerEnable(int32_t address, int32_t value) { return CMD_SetTimerEnable(address, value); }
int32_t TarnexPlcApi::cmdSetTimeCheck(int32_t address, int32_t a, int32_t b, int32_t c, int32_t d) {
  return CMD_SetTimeCheck(address, a, b, c, d);
}
int32_t TarnexPlcApi::cmdPowerOnLC(int32_t address, int32_t n) { return CMD_PowerOnLC(address, n); }
int32_t TarnexPlcApi::cmdPowerOffLC(int32_t address, int32_t n) { return CMD_PowerOffLC(address, n); }
bool TarnexPlcApi::localUdpPortTaken(int32_t port) { return UdpPortInUse(port); }
SerialPortProblem TarnexPlcApi::serialPortProblem(int32_t comPort) { return DiagnoseSerialPort(comPort); }

}  // namespace tarnex_client
