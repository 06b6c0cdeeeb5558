#pragma once
// Why a serial port does not open: the device the COM number names, looked
// at the way the link library opens it.
#include <cstdint>
#include <string>

namespace tarnex_client {

enum class SerialFault {
  None,          // the port opens and locks now, or nothing explains the failure
  BadNumber,     // the COM number is outside 1..256
  Missing,       // no such device (also a link to one that is gone)
  NoPermission,  // the user may not open the device
  Busy,          // another program holds the port
  NotSerial,     // the entry is no serial device
};

struct SerialPortProblem {
  SerialFault fault = SerialFault::None;
  // The device: the path COM n resolves to, or for a link in the
  // executable's directory the link's target.
  std::string path;
  // NoPermission: the group whose members may use the device ("dialout"
  // unless the device names another).
  std::string group;

  bool operator==(const SerialPortProblem &) const = default;
};

// Opens the device COM n resolves to as the link library does (read and
// write, no controlling terminal, not blocking), tries its exclusive lock
// and whether it is a terminal, and closes it again. Meant for after a
// failed open: the probe itself holds the port for that moment.
SerialPortProblem DiagnoseSerialPort(int32_t comPort);

}  // namespace tarnex_client
