#pragma once
// What the programs say when a link does not open: "打开设备失败" with the
// reason in brackets when one is found, such as
// "打开设备失败（/dev/ttyS1 不存在）" or
// "打开设备失败（本地端口 8889 已被占用）".
#include <cstdint>
#include <string>
#include <string_view>

#include "controller_comm/client/plc_api.h"
#include "controller_comm/client/serial_port_probe.h"

namespace tarnex_client {

// The reason in a few words ("/dev/ttyS1 不存在"); empty for None.
// comPort names the port when its number is bad.
std::string SerialFaultText(const SerialPortProblem &problem, int32_t comPort);

// Why the open of devTypePort ((COM port << 16) | link type, as openDev
// took it) failed: the serial port's problem, or the fixed local UDP port
// another program holds. Asked of the api after the failed open; empty
// when nothing explains it.
std::string OpenFailureReason(IPlcApi &api, int32_t devTypePort, int32_t localUdpPort);

// "打开设备失败（reason）", or fallback when there is no reason.
std::string OpenFailureText(IPlcApi &api, int32_t devTypePort, int32_t localUdpPort, std::string_view fallback);

}  // namespace tarnex_client
