#pragma once
// The controllers, devices, outputs and status items of "User.ini", and the
// few keys the display program writes back into it.
//
// Text is UTF-8 in memory and code page 936 in the file. Every write-back is
// one atomic update of the file that leaves every other byte as it was.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controller_comm/client/user_ini_names.h"
#include "platform/result.h"

namespace morvit {

// One controller (section PLCParms, keys with its position).
struct TPlcParm {
  uint16_t Addr = 0;  // the controller answers to the low 8 bits
  std::string Name;
  uint16_t Comm = 0;      // COM port number of a serial link
  uint16_t ConnMode = 0;  // 0 serial, 1 network
  std::string IP = user_ini::kDefaultIP;
  int32_t Port = user_ini::kDefaultPort;  // UDP port; its low 16 bits are sent
};
using TPlcParmArray = std::vector<TPlcParm>;

// One output of a device (section DoParms).
struct TDoParm {
  uint16_t PlcId = 0;     // controller position
  uint16_t DeviceId = 0;  // the device number it belongs to
  uint16_t Output = 0;    // output number 0..9
  uint16_t State = 0;     // 1 on, 0 off
};
using TDoParmArray = std::vector<TDoParm>;

// One device of the selected controller (section DeviceParms).
struct TDevParm {
  std::string Name;
  uint16_t PlcId = 0;  // controller position
  uint16_t Id = 0;     // the number the controller knows the device by
  TDoParmArray Outputs;
  int32_t PositionInFile = 0;  // the %d under which it was read

  uint16_t OutputCount() const { return static_cast<uint16_t>(Outputs.size()); }
};
using TDevParmArray = std::vector<TDevParm>;

enum StatusItemType : int32_t {
  kItemSmoke = 1,
  kItemAlarmTemperature = 2,
  kItemShutdownTemperature = 3,
  kItemDigitalInput = 4,
  kItemAnalogInput = 5,
  kItemMeasuredTemperature = 6,
  kItemBrightness = 7,
};

// One status item of a controller (section PLC<n>ItemStatus<j>).
struct StatusItem {
  int32_t Type = 0;
  std::string Name;
  int32_t Channel = 0;    // DI or AI channel number
  int32_t Precision = 0;  // decimals: 0, 1 or 2
  double Base = 0;        // stParm1
  double Offset = 0;      // stParm2
  double Gain = 0;        // stParm3
  std::string ValueText;  // what the status grid shows
};

// Counts read from the file are kept within these bounds, and within the
// entries the file holds: the view's tables have room for 256 controllers of
// 32 status items each; devices and outputs are read up to kMaxCount entries.
inline constexpr int32_t kMaxControllers = user_ini::kMaxControllers;
inline constexpr int32_t kMaxStatusItems = user_ini::kMaxStatusItems;
inline constexpr int32_t kMaxCount = 4096;
inline constexpr double kDefaultAlarmTemperature = user_ini::kDefaultAlarmTemperature;

struct ControllerConfig {
  bool FileFound = false;  // false: there was no file, and these are the defaults
  double AlarmTemperature = kDefaultAlarmTemperature;
  TPlcParmArray Controllers;
  std::vector<std::vector<StatusItem>> Items;  // by controller position
};

// The file the program reads and writes: "User.ini" in the executable's
// directory, found without regard to case.
std::string UserIniPath();

// The controllers, their status items and the alarm temperature. A missing
// file gives an empty configuration; an unreadable one an error.
platform::Result<ControllerConfig> loadControllers(const std::string &path);

// The devices of controller n in file order, each with its outputs. An output
// that matches two devices belongs to both. n < 0 gives no devices. An entry
// none of whose keys the file holds is neither device nor output.
platform::Result<TDevParmArray> loadDevices(const std::string &path, int32_t n);

// Addr, ConnMode, Comm, IP and Port of every controller into PLCParms.
platform::Result<void> writeLinkSettings(const std::string &path, const TPlcParmArray &controllers);

// DeviceParms Name<positionInFile>. Refuses a name code page 936 cannot hold
// or one holding a line break, writing nothing.
platform::Result<void> writeDeviceName(const std::string &path, int32_t positionInFile, std::string_view name);

// Parms TemWarn as a floating-point value.
platform::Result<void> writeAlarmTemperature(const std::string &path, double value);

// True when the name survives a trip through the file unchanged.
bool CanStoreName(std::string_view name);

}  // namespace morvit
