#include "plc_config.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>

#include "app_dir.h"
#include "cp936.h"
#include "file_io.h"
#include "ini_file.h"

namespace morvit {
namespace {

using platform::Error;
using platform::IniFile;
using platform::Result;

std::string Key(const char *name, int32_t i) { return name + std::to_string(i); }

int32_t ClampCount(int32_t count, int32_t limit) { return std::clamp<int32_t>(count, 0, limit); }

uint16_t Low16(int32_t value) { return static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu); }

std::string ReadText(const IniFile &ini, std::string_view section, const std::string &key, std::string_view def) {
  return cp936::ToUtf8(ini.ReadString(section, key, def));
}

// True when the section holds any of the keys with index i.
bool AnyKey(const IniFile &ini, std::string_view section, std::initializer_list<const char *> names, int32_t i) {
  return std::any_of(names.begin(), names.end(), [&](const char *name) { return ini.HasKey(section, Key(name, i)); });
}

// One past the last index below count for which present(i) holds: entries
// after the last one the file holds are not read, whatever its count says.
template <typename Present>
int32_t PresentCount(int32_t count, Present present) {
  for (int32_t i = count; i > 0; --i) {
    if (present(i - 1)) return i;
  }
  return 0;
}

std::string ItemSection(int32_t controller, int32_t item) { return Key("PLC", controller) + Key("ItemStatus", item); }

std::vector<StatusItem> ReadStatusItems(const IniFile &ini, int32_t controller) {
  const int32_t count = PresentCount(ClampCount(ini.ReadInteger(Key("PLC", controller), "Count", 0), kMaxStatusItems),
                                     [&](int32_t j) { return ini.HasSection(ItemSection(controller, j)); });
  std::vector<StatusItem> items;
  items.reserve(static_cast<size_t>(count));
  for (int32_t j = 0; j < count; ++j) {
    const std::string section = ItemSection(controller, j);
    StatusItem item;
    item.Type = ini.ReadInteger(section, "stType", 0);
    item.Name = ReadText(ini, section, "stName", "");
    item.Channel = ini.ReadInteger(section, "stID", 0);
    item.Precision = ini.ReadInteger(section, "stPrecision", 0);
    item.Base = ini.ReadFloat(section, "stParm1", 0);
    item.Offset = ini.ReadFloat(section, "stParm2", 0);
    item.Gain = ini.ReadFloat(section, "stParm3", 0);
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace

std::string UserIniPath() { return platform::ResolveConfigFile(platform::ExecutableDir(), "User.ini"); }

bool CanStoreName(std::string_view name) {
  bool lossless = false;
  std::string bytes = cp936::FromUtf8(name, &lossless);
  if (!lossless) return false;
  // The file holds one line per key, trims blanks and drops one pair of
  // enclosing quotes when reading.
  if (bytes.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return false;
  if (!bytes.empty() && (bytes.front() == ' ' || bytes.front() == '\t' || bytes.back() == ' ' || bytes.back() == '\t'))
    return false;
  if (bytes.size() >= 2 && (bytes.front() == '"' || bytes.front() == '\'') && bytes.back() == bytes.front())
    return false;
  return true;
}

Result<ControllerConfig> loadControllers(const std::string &path) {
  auto loaded = IniFile::Load(path);
  if (!loaded.ok()) return loaded.error();
  const IniFile &ini = loaded.value();

  ControllerConfig config;
  config.AlarmTemperature = ini.ReadFloat("Parms", "TemWarn", kDefaultAlarmTemperature);
  if (!std::isfinite(config.AlarmTemperature)) config.AlarmTemperature = kDefaultAlarmTemperature;

  std::error_code ec;
  config.FileFound = std::filesystem::exists(path, ec);

  // A controller is there when the file holds one of its link keys or its
  // status item count.
  const int32_t count =
      PresentCount(ClampCount(ini.ReadInteger("PLCParms", "Count", 0), kMaxControllers), [&](int32_t i) {
        return AnyKey(ini, "PLCParms", {"Addr", "Name", "ConnMode", "Comm", "IP", "Port"}, i) ||
               ini.HasSection(Key("PLC", i));
      });
  config.Controllers.reserve(static_cast<size_t>(count));
  config.Items.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    TPlcParm c;
    c.Addr = Low16(ini.ReadInteger("PLCParms", Key("Addr", i), 0));
    c.Name = ReadText(ini, "PLCParms", Key("Name", i), "");
    c.ConnMode = Low16(ini.ReadInteger("PLCParms", Key("ConnMode", i), 0));
    c.Comm = Low16(ini.ReadInteger("PLCParms", Key("Comm", i), 0));
    c.IP = ReadText(ini, "PLCParms", Key("IP", i), "192.168.0.1");
    c.Port = ini.ReadInteger("PLCParms", Key("Port", i), 6666);
    config.Controllers.push_back(std::move(c));
    config.Items.push_back(ReadStatusItems(ini, i));
  }
  return config;
}

Result<TDevParmArray> loadDevices(const std::string &path, int32_t n) {
  TDevParmArray devices;
  if (n < 0) return devices;
  auto loaded = IniFile::Load(path);
  if (!loaded.ok()) return loaded.error();
  const IniFile &ini = loaded.value();
  if (n > 0xFFFF) return devices;  // no 16-bit PLC_ID equals it
  const uint16_t controller = Low16(n);

  // An entry none of whose keys the file holds is no device (nor output).
  const int32_t deviceCount = ClampCount(ini.ReadInteger("DeviceParms", "Count", 0), kMaxCount);
  for (int32_t i = 0; i < deviceCount; ++i) {
    if (!AnyKey(ini, "DeviceParms", {"Name", "ID", "PLC_ID"}, i)) continue;
    if (Low16(ini.ReadInteger("DeviceParms", Key("PLC_ID", i), 0)) != controller) continue;
    TDevParm device;
    device.Name = ReadText(ini, "DeviceParms", Key("Name", i), "");
    device.PlcId = controller;
    device.Id = Low16(ini.ReadInteger("DeviceParms", Key("ID", i), 0));
    device.PositionInFile = i;
    devices.push_back(std::move(device));
  }

  const int32_t outputCount = ClampCount(ini.ReadInteger("DoParms", "Count", 0), kMaxCount);
  for (int32_t k = 0; k < outputCount && !devices.empty(); ++k) {
    if (!AnyKey(ini, "DoParms", {"PLC_ID", "LC_ID", "Output"}, k)) continue;
    const uint16_t plcId = Low16(ini.ReadInteger("DoParms", Key("PLC_ID", k), 0));
    const uint16_t deviceId = Low16(ini.ReadInteger("DoParms", Key("LC_ID", k), 0));
    bool outputRead = false;
    uint16_t output = 0;
    for (TDevParm &device : devices) {
      if (device.PlcId != plcId || device.Id != deviceId) continue;
      if (!outputRead) {
        output = Low16(ini.ReadInteger("DoParms", Key("Output", k), 0));
        outputRead = true;
      }
      device.Outputs.push_back(TDoParm{plcId, deviceId, output, 0});
    }
  }
  return devices;
}

Result<void> writeLinkSettings(const std::string &path, const TPlcParmArray &controllers) {
  for (const TPlcParm &c : controllers) {
    if (!CanStoreName(c.IP)) return Error{0, "地址含有无法保存的字符。"};
  }
  return platform::UpdateIniFile(path, [&](IniFile &ini) {
    for (size_t i = 0; i < controllers.size(); ++i) {
      const TPlcParm &c = controllers[i];
      const auto n = static_cast<int32_t>(i);
      ini.WriteInteger("PLCParms", Key("Addr", n), c.Addr);
      ini.WriteInteger("PLCParms", Key("ConnMode", n), c.ConnMode);
      ini.WriteInteger("PLCParms", Key("Comm", n), c.Comm);
      ini.WriteString("PLCParms", Key("IP", n), cp936::FromUtf8(c.IP));
      ini.WriteInteger("PLCParms", Key("Port", n), c.Port);
    }
  });
}

Result<void> writeDeviceName(const std::string &path, int32_t positionInFile, std::string_view name) {
  if (!CanStoreName(name)) return Error{0, "名称含有无法保存的字符。"};
  if (positionInFile < 0) return Error{0, "设备不在配置文件中。"};
  const std::string bytes = cp936::FromUtf8(name);
  return platform::UpdateIniFile(
      path, [&](IniFile &ini) { ini.WriteString("DeviceParms", Key("Name", positionInFile), bytes); });
}

Result<void> writeAlarmTemperature(const std::string &path, double value) {
  if (!std::isfinite(value)) return Error{0, "数值超出控制器的范围。"};
  return platform::UpdateIniFile(path, [&](IniFile &ini) { ini.WriteFloat("Parms", "TemWarn", value); });
}

}  // namespace morvit
