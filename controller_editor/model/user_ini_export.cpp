#include "controller_editor/model/user_ini_export.h"

#include "controller_comm/client/user_ini_names.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace selkan {

// Every status block the project holds is one the display program reads.
static_assert(StatusRegion::kBlocks == user_ini::kMaxControllers);
static_assert(StatusRegion::kItems == user_ini::kMaxStatusItems);

namespace {

// A profile reader trims the blanks round a value and drops one pair of
// enclosing quotes: a name that would lose either is written inside one
// more pair of quotes, so the display program reads it as typed.
std::string StoredName(const std::string &name) {
  if (name.empty()) return name;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool quoted = name.size() >= 2 && (name.front() == '"' || name.front() == '\'') && name.back() == name.front();
  return blank(name.front()) || blank(name.back()) || quoted ? "\"" + name + "\"" : name;
}

}  // namespace

std::string UserIniPath(const std::string &exeDir) { return platform::ResolveConfigFile(exeDir, "user.ini"); }

platform::Result<void> ExportUserIni(const Project &project, const std::string &path) {
  // The same file whatever the letter case it was given in, so the display
  // program's "User.ini" is rewritten and never joined by a second file.
  std::string target = path;
  if (auto slash = path.rfind('/'); slash != std::string::npos) {
    target = platform::ResolveConfigFile(path.substr(0, slash + 1), path.substr(slash + 1));
  } else {
    target = platform::ResolveConfigFile(".", path);
    if (target.rfind("./", 0) == 0) target.erase(0, 2);
  }

  auto loaded = platform::IniFile::Load(target);
  if (!loaded.ok()) return loaded.error();
  platform::IniFile &ini = loaded.value();
  for (const std::string &section : ini.SectionNames()) ini.EraseSection(section);

  namespace names = user_ini;
  using user_ini::Key;

  const TPLCCtrl &plcs = project.PLCCtrl;
  ini.WriteInteger(names::kControllers, names::kCount, plcs.Count());
  for (int32_t i = 0; i < plcs.Count(); ++i) {
    ini.WriteString(names::kControllers, Key(names::kName, i), StoredName(plcs[i].Name));
    ini.WriteInteger(names::kControllers, Key(names::kAddr, i), plcs[i].Addr);
    ini.WriteInteger(names::kControllers, Key(names::kComm, i), names::kExportedComm);
  }

  const TDeviceCtrl &devices = project.DeviceCtrl;
  ini.WriteInteger(names::kDevices, names::kCount, devices.Count());
  for (int32_t i = 0; i < devices.Count(); ++i) {
    ini.WriteString(names::kDevices, Key(names::kName, i), StoredName(devices[i].Name));
    ini.WriteInteger(names::kDevices, Key(names::kPlcId, i), devices[i].PLC_ID);
    ini.WriteInteger(names::kDevices, Key(names::kId, i), devices[i].ID);
  }

  const TOutputCtrl &outputs = project.OutputCtrl;
  ini.WriteInteger(names::kOutputs, names::kCount, outputs.Count());
  for (int32_t i = 0; i < outputs.Count(); ++i) {
    ini.WriteString(names::kOutputs, Key(names::kName, i), StoredName(outputs[i].Name));
    ini.WriteInteger(names::kOutputs, Key(names::kPlcId, i), outputs[i].PLC_ID);
    ini.WriteInteger(names::kOutputs, Key(names::kId, i), i);
    ini.WriteInteger(names::kOutputs, Key(names::kLcId, i), outputs[i].LC_ID);
    ini.WriteInteger(names::kOutputs, Key(names::kOutput, i), outputs[i].Output);
  }

  ini.WriteInteger(names::kControllerCount, names::kCount, plcs.Count());
  const StatusRegion &region = project.Status;
  for (int32_t n = 0; n < plcs.Count(); ++n) {
    // Count() is 0 for controllers past the last block and at most 32.
    const int32_t count = region.Count(n);
    ini.WriteInteger(names::ControllerSection(n), names::kCount, count);
    for (int32_t j = 0; j < count; ++j) {
      const std::string section = names::StatusItemSection(n, j);
      const ConstStatusItem item = region.Item(n, j);
      ini.WriteInteger(section, names::kStType, item.stType());
      ini.WriteString(section, names::kStName, StoredName(item.stName()));
      ini.WriteInteger(section, names::kStId, item.stID());
      ini.WriteInteger(section, names::kStPrecision, item.stPrecision());
      ini.WriteFloat(section, names::kStParm1, item.stParm1());
      ini.WriteFloat(section, names::kStParm2, item.stParm2());
      ini.WriteFloat(section, names::kStParm3, item.stParm3());
    }
  }
  return ini.Save();
}

}  // namespace selkan
