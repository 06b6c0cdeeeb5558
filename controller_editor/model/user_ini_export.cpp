#include "user_ini_export.h"

#include "file_io.h"
#include "ini_file.h"
#include "number_text.h"

namespace selkan {
namespace {

std::string key(const char *name, int64_t n) { return name + platform::FormatInteger(n); }

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

  const TPLCCtrl &plcs = project.PLCCtrl;
  ini.WriteInteger("PLCParms", "Count", plcs.Count());
  for (int32_t i = 0; i < plcs.Count(); ++i) {
    ini.WriteString("PLCParms", key("Name", i), plcs[i].Name);
    ini.WriteInteger("PLCParms", key("Addr", i), plcs[i].Addr);
    ini.WriteInteger("PLCParms", key("Comm", i), 1);
  }

  const TDeviceCtrl &devices = project.DeviceCtrl;
  ini.WriteInteger("DeviceParms", "Count", devices.Count());
  for (int32_t i = 0; i < devices.Count(); ++i) {
    ini.WriteString("DeviceParms", key("Name", i), devices[i].Name);
    ini.WriteInteger("DeviceParms", key("PLC_ID", i), devices[i].PLC_ID);
    ini.WriteInteger("DeviceParms", key("ID", i), devices[i].ID);
  }

  const TOutputCtrl &outputs = project.OutputCtrl;
  ini.WriteInteger("DoParms", "Count", outputs.Count());
  for (int32_t i = 0; i < outputs.Count(); ++i) {
    ini.WriteString("DoParms", key("Name", i), outputs[i].Name);
    ini.WriteInteger("DoParms", key("PLC_ID", i), outputs[i].PLC_ID);
    ini.WriteInteger("DoParms", key("ID", i), i);
    ini.WriteInteger("DoParms", key("LC_ID", i), outputs[i].LC_ID);
    ini.WriteInteger("DoParms", key("Output", i), outputs[i].Output);
  }

  ini.WriteInteger("PLCStatus", "Count", plcs.Count());
  const StatusRegion &region = project.Status;
  for (int32_t n = 0; n < plcs.Count(); ++n) {
    // Count() is 0 for controllers past the last block and at most 32.
    const std::string block = key("PLC", n);
    const int32_t count = region.Count(n);
    ini.WriteInteger(block, "Count", count);
    for (int32_t j = 0; j < count; ++j) {
      const std::string section = block + key("ItemStatus", j);
      const ConstStatusItem item = region.Item(n, j);
      ini.WriteInteger(section, "stType", item.stType());
      ini.WriteString(section, "stName", item.stName());
      ini.WriteInteger(section, "stID", item.stID());
      ini.WriteInteger(section, "stPrecision", item.stPrecision());
      ini.WriteFloat(section, "stParm1", item.stParm1());
      ini.WriteFloat(section, "stParm2", item.stParm2());
      ini.WriteFloat(section, "stParm3", item.stParm3());
    }
  }
  return ini.Save();
}

}  // namespace selkan
