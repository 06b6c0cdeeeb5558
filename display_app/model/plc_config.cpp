#include "display_app/model/plc_config.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>

#include "controller_comm/client/user_ini_names.h"
#include "platform/app_dir.h"
#include "platform/cp936.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace morvit {
namespace {

using platform::Error;
using platform::IniFile;
using platform::Result;
using user_ini::Key;
namespace names = user_ini;

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

std::vector<StatusItem> ReadStatusItems(const IniFile &ini, int32_t controller) {
  const int32_t count = PresentCount(ClampCount(ini.ReadInteger(names::ControllerSection(controller), names::kCount, 0), kMaxStatusItems),
                                     [&](int32_t j) { return ini.HasSection(names::StatusItemSection(controller, j)); });
  std::vector<StatusItem> items;
  items.reserve(static_cast<size_t>(count));
  for (int32_t j = 0; j < count; ++j) {
    const std::string section = names::StatusItemSection(controller, j);
    StatusItem item;
    item.Type = ini.ReadInteger(section, names::kStType, 0);
    item.Name = ReadText(ini, section, names::kStName, "");
    item.Channel = ini.ReadInteger(section, names::kStId, 0);
    item.Precision = ini.ReadInteger(section, names::kStPrecision, 0);
    item.Base = ini.ReadFloat(section, names::kStParm1, 0);
    item.Offset = ini.ReadFloat(section, names::kStParm2, 0);
    item.Gain = ini.ReadFloat(section, names::kStParm3, 0);
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
  config.AlarmTemperature = ini.ReadFloat(names::kParms, names::kTemWarn, kDefaultAlarmTemperature);
  if (!std::isfinite(config.AlarmTemperature)) config.AlarmTemperature = kDefaultAlarmTemperature;

  std::error_code ec;
  config.FileFound = std::filesystem::exists(path, ec);

  // A controller is there when the file holds one of its link keys or its
  // status item count.
  const int32_t count =
      PresentCount(ClampCount(ini.ReadInteger(names::kControllers, names::kCount, 0), kMaxControllers), [&](int32_t i) {
        return AnyKey(ini, names::kControllers, {names::kAddr, names::kName, names::kConnMode, names::kComm, names::kIP, names::kPort}, i) ||
               ini.HasSection(names::ControllerSection(i));
      });
  config.Controllers.reserve(static_cast<size_t>(count));
  config.Items.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    TPlcParm c;
    c.Addr = Low16(ini.ReadInteger(names::kControllers, Key(names::kAddr, i), 0));
    c.Name = ReadText(ini, names::kControllers, Key(names::kName, i), "");
    c.ConnMode = Low16(ini.ReadInteger(names::kControllers, Key(names::kConnMode, i), 0));
    c.Comm = Low16(ini.ReadInteger(names::kControllers, Key(names::kComm, i), 0));
    c.IP = ReadText(ini, names::kControllers, Key(names::kIP, i), names::kDefaultIP);
    c.Port = ini.ReadInteger(names::kControllers, Key(names::kPort, i), names::kDefaultPort);
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
  const int32_t deviceCount = ClampCount(ini.ReadInteger(names::kDevices, names::kCount, 0), kMaxCount);
  for (int32_t i = 0; i < deviceCount; ++i) {
    if (!AnyKey(ini, names::kDevices, {names::kName, names::kId, names::kPlcId}, i)) continue;
    if (Low16(ini.ReadInteger(names::kDevices, Key(names::kPlcId, i), 0)) != controller) continue;
    TDevParm device;
    device.Name = ReadText(ini, names::kDevices, Key(names::kName, i), "");
    device.PlcId = controller;
    device.Id = Low16(ini.ReadInteger(names::kDevices, Key(names::kId, i), 0));
    device.PositionInFile = i;
    devices.push_back(std::move(device));
  }

  const int32_t outputCount = ClampCount(ini.ReadInteger(names::kOutputs, names::kCount, 0), kMaxCount);
  for (int32_t k = 0; k < outputCount && !devices.empty(); ++k) {
    if (!AnyKey(ini, names::kOutputs, {names::kPlcId, names::kLcId, names::kOutput}, k)) continue;
    const uint16_t plcId = Low16(ini.ReadInteger(names::kOutputs, Key(names::kPlcId, k), 0));
    const uint16_t deviceId = Low16(ini.ReadInteger(names::kOutputs, Key(names::kLcId, k), 0));
    bool outputRead = false;
    uint16_t output = 0;
    for (TDevParm &device : devices) {
      if (device.PlcId != plcId || device.Id != deviceId) continue;
      if (!outputRead) {
        output = Low16(ini.ReadInteger(names::kOutputs, Key(names::kOutput, k), 0));
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
      ini.WriteInteger(names::kControllers, Key(names::kAddr, n), c.Addr);
      ini.WriteInteger(names::kControllers, Key(names::kConnMode, n), c.ConnMode);
      ini.WriteInteger(names::kControllers, Key(names::kComm, n), c.Comm);
      ini.WriteString(names::kControllers, Key(names::kIP, n), cp936::FromUtf8(c.IP));
      ini.WriteInteger(names::kControllers, Key(names::kPort, n), c.Port);
    }
  });
}

Result<void> writeDeviceName(const std::string &path, int32_t positionInFile, std::string_view name) {
  if (!CanStoreName(name)) return Error{0, "名称含有无法保存的字符。"};
  if (positionInFile < 0) return Error{0, "设备不在配置文件中。"};
  const std::string bytes = cp936::FromUtf8(name);
  return platform::UpdateIniFile(
      path, [&](IniFile &ini) { ini.WriteString(names::kDevices, Key(names::kName, positionInFile), bytes); });
}

Result<void> writeAlarmTemperature(const std::string &path, double value) {
  if (!std::isfinite(value)) return Error{0, "数值超出控制器的范围。"};
  return platform::UpdateIniFile(path, [&](IniFile &ini) { ini.WriteFloat(names::kParms, names::kTemWarn, value); });
}

}  // namespace morvit
