#pragma once
// The sections and keys of the controller configuration file "User.ini",
// which the controller editor writes and the display program reads and
// partly writes back, with the defaults and limits both read them with.
// Keys of one record carry its position: Name0, Addr0, ... Name1, ...
#include <cstdint>
#include <string>
#include <string_view>

namespace user_ini {

// --- sections -----------------------------------------------------------------

inline constexpr const char *kControllers = "PLCParms";
inline constexpr const char *kDevices = "DeviceParms";
inline constexpr const char *kOutputs = "DoParms";
inline constexpr const char *kControllerCount = "PLCStatus";
inline constexpr const char *kParms = "Parms";

// --- keys -----------------------------------------------------------------------

// The number of records of a list section, and of a controller's status items.
inline constexpr const char *kCount = "Count";

// Per record, followed by its position.
inline constexpr const char *kName = "Name";
inline constexpr const char *kAddr = "Addr";
inline constexpr const char *kConnMode = "ConnMode";
inline constexpr const char *kComm = "Comm";
inline constexpr const char *kIP = "IP";
inline constexpr const char *kPort = "Port";
inline constexpr const char *kPlcId = "PLC_ID";
inline constexpr const char *kId = "ID";
inline constexpr const char *kLcId = "LC_ID";
inline constexpr const char *kOutput = "Output";

// Of a status item section.
inline constexpr const char *kStType = "stType";
inline constexpr const char *kStName = "stName";
inline constexpr const char *kStId = "stID";
inline constexpr const char *kStPrecision = "stPrecision";
inline constexpr const char *kStParm1 = "stParm1";
inline constexpr const char *kStParm2 = "stParm2";
inline constexpr const char *kStParm3 = "stParm3";

// Of Parms: the alarm temperature.
inline constexpr const char *kTemWarn = "TemWarn";

// --- values ---------------------------------------------------------------------

// The COM port the editor writes for every controller.
inline constexpr int32_t kExportedComm = 1;
inline constexpr int32_t kConnModeSerial = 0;
inline constexpr int32_t kConnModeNetwork = 1;
// What a controller without IP and Port keys gets.
inline constexpr const char *kDefaultIP = "192.168.0.1";
inline constexpr int32_t kDefaultPort = 6666;
inline constexpr double kDefaultAlarmTemperature = 54;

// Controller positions 0..255 have status items, at most 32 each.
inline constexpr int32_t kMaxControllers = 256;
inline constexpr int32_t kMaxStatusItems = 32;

// --- names with positions ---------------------------------------------------------

// name followed by the decimal position: Key("Name", 3) is "Name3".
inline std::string Key(std::string_view name, int64_t position) {
  return std::string(name) + std::to_string(position);
}

// "PLC<n>": the status item count of controller n.
inline std::string ControllerSection(int64_t controller) { return Key("PLC", controller); }

// "PLC<n>ItemStatus<j>": status item j of controller n.
inline std::string StatusItemSection(int64_t controller, int64_t item) {
  return ControllerSection(controller) + Key("ItemStatus", item);
}

}  // namespace user_ini
