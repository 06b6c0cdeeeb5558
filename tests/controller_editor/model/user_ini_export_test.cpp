// The user.ini export, and reading it back the way the display program does.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>

#include "controller_editor/model/project_file.h"
#include "controller_editor/model/user_ini_export.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/number_text.h"
#include "tests/controller_editor/model/test_projects.h"
#include "tests/support/temp_dir.h"

using namespace selkan;
namespace fs = std::filesystem;

namespace {

std::string readText(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeText(const fs::path &p, const std::string &text) { std::ofstream(p, std::ios::binary) << text; }

std::string fixture(const char *name) { return readText(fs::path(SELKAN_FIXTURES_DIR) / name); }

// Exports into a fresh directory and returns the file's bytes.
std::string exported(const Project &p) {
  testsupport::TempDir dir;
  auto r = ExportUserIni(p, UserIniPath(dir.str()));
  EXPECT_TRUE(r.ok()) << (r.ok() ? "" : r.error().message);
  return readText(dir / "user.ini");
}

struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

}  // namespace

TEST(UserIniExportTest, ExampleMatchesTheFixtureByteForByte) {
  const std::string expected = fixture("user_ini_example.ini");
  ASSERT_EQ(expected.size(), 212u);
  EXPECT_EQ(exported(selkan_test::ExampleProject()), expected);
}

TEST(UserIniExportTest, EmptyProjectGivesFourCountSections) {
  const std::string text = exported(Project());
  EXPECT_EQ(text,
            "[PLCParms]\r\nCount=0\r\n[DeviceParms]\r\nCount=0\r\n[DoParms]\r\nCount=0\r\n[PLCStatus]\r\nCount=0\r\n");
  EXPECT_EQ(text.size(), 87u);
}

TEST(UserIniExportTest, ReplacesEverySectionAndKeepsLinesBeforeTheFirst) {
  testsupport::TempDir dir;
  writeText(dir / "User.ini",
            "; written by hand\r\n[Parms]\r\nTemWarn=60\r\n[PLCParms]\r\nCount=1\r\nConnMode0=1\r\nIP0=10.0.0.9\r\n"
            "[PLC7]\r\nCount=3\r\n");
  // The display program's "User.ini" is the file rewritten, whatever case
  // the export was asked for in.
  ASSERT_TRUE(ExportUserIni(Project(), (dir / "user.ini").string()).ok());
  EXPECT_FALSE(fs::exists(dir / "user.ini"));
  EXPECT_EQ(readText(dir / "User.ini"),
            "; written by hand\r\n[PLCParms]\r\nCount=0\r\n[DeviceParms]\r\nCount=0\r\n[DoParms]\r\nCount=0\r\n"
            "[PLCStatus]\r\nCount=0\r\n");
  EXPECT_EQ(UserIniPath(dir.str()), (dir / "User.ini").string());
}

TEST(UserIniExportTest, StatusItemsAndTheirLimits) {
  Project p = selkan_test::ItemProject();  // a 64-byte name with no terminator
  for (int i = 0; i < 3; ++i) AddController(p);
  auto item = p.Status.Item(0, 0);
  item.SetParm1(1.0);
  item.SetParm2(0.1);
  item.SetParm3(-20.0);
  const std::string name64 = item.stName();
  ASSERT_EQ(name64.size(), 64u);

  std::vector<uint8_t> raw(p.Status.Bytes().begin(), p.Status.Bytes().end());
  raw[8 + 3336] = 40;                       // block 1: Count 40
  std::memset(&raw[8 + 3336 * 2], 0xFF, 4);  // block 2: Count -1
  p.Status.Assign(raw);

  const platform::IniFile ini = platform::IniFile::Parse(exported(p));
  EXPECT_EQ(ini.ReadString("PLC0ItemStatus0", "stName", ""), name64);
  EXPECT_EQ(ini.ReadString("PLC0ItemStatus0", "stParm1", ""), "1");
  EXPECT_EQ(ini.ReadString("PLC0ItemStatus0", "stParm2", ""), "0.1");
  EXPECT_EQ(ini.ReadString("PLC0ItemStatus0", "stParm3", ""), "-20");
  EXPECT_EQ(ini.ReadInteger("PLC0ItemStatus0", "stType", 0), 3);
  EXPECT_EQ(ini.ReadInteger("PLC1", "Count", -1), 32);
  EXPECT_TRUE(ini.HasSection("PLC1ItemStatus31"));
  EXPECT_FALSE(ini.HasSection("PLC1ItemStatus32"));
  EXPECT_EQ(ini.ReadInteger("PLC2", "Count", -1), 0);
  EXPECT_FALSE(ini.HasSection("PLC2ItemStatus0"));
  EXPECT_EQ(p.Status.RawCount(1), 40);  // the stored counts are left alone
}

TEST(UserIniExportTest, ControllersPastTheLastBlockGetCountZero) {
  Project p;
  for (int32_t n = 0; n < 257; ++n) {
    TPLCParm c;
    c.Name = "P";
    p.PLCCtrl.Add(c);
  }
  for (int32_t n = 0; n < 256; ++n) p.Status.SetCount(n, 1);
  const platform::IniFile ini = platform::IniFile::Parse(exported(p));
  EXPECT_EQ(ini.ReadInteger("PLCStatus", "Count", 0), 257);
  EXPECT_EQ(ini.ReadInteger("PLC255", "Count", 0), 1);
  EXPECT_EQ(ini.ReadInteger("PLC256", "Count", -1), 0);
  EXPECT_FALSE(ini.HasSection("PLC256ItemStatus0"));
}

TEST(UserIniExportTest, NamesCannotInjectKeys) {
  Project p = selkan_test::ExampleProject();
  p.PLCCtrl.SetName(0, "X\r\n[PLCParms]\r\nCount=999");
  p.DeviceCtrl.SetName(0, std::string("a\nb\0c", 5));
  p.Status.SetCount(0, 1);
  p.Status.Item(0, 0).SetName("s\r\n[Parms]");
  const std::string text = exported(p);
  const platform::IniFile ini = platform::IniFile::Parse(text);
  EXPECT_EQ(ini.ReadString("PLCParms", "Name0", ""), "X  [PLCParms]  Count=999");
  EXPECT_EQ(ini.ReadInteger("PLCParms", "Count", 0), 1);
  EXPECT_EQ(ini.ReadString("DeviceParms", "Name0", ""), "a b c");
  EXPECT_EQ(ini.ReadString("PLC0ItemStatus0", "stName", ""), "s  [Parms]");
  EXPECT_FALSE(ini.HasSection("Parms"));
  EXPECT_EQ(ini.SectionNames().size(), 6u);
}

TEST(UserIniExportTest, SameBytesUnderACommaLocale) {
  Project p = selkan_test::ItemProject();
  AddController(p);
  p.Status.Item(0, 0).SetParm2(0.5);
  const std::string plain = exported(p);
  ASSERT_NE(plain.find("stParm2=0.5\r\n"), std::string::npos);

  const std::locale old = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  const std::string underComma = exported(p);
  std::locale::global(old);
  EXPECT_EQ(underComma, plain);

  // Where the system has a German locale, under that C locale as well.
  const std::string oldC = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {
    const std::string underGerman = exported(p);
    std::setlocale(LC_ALL, oldC.c_str());
    EXPECT_EQ(underGerman, plain);
  }
}

TEST(UserIniExportTest, FailedWriteLeavesTheOldFile) {
  testsupport::TempDir dir;
  const std::string path = UserIniPath(dir.str());
  writeText(path, "[Parms]\r\nTemWarn=60\r\n");
  platform::SetAtomicWriteFaultForTests(true);
  auto r = ExportUserIni(selkan_test::LargestProject(), path);
  platform::SetAtomicWriteFaultForTests(false);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().message.rfind("无法写入文件 \"" + path + "\"：", 0), 0u) << r.error().message;
  EXPECT_EQ(readText(path), "[Parms]\r\nTemWarn=60\r\n");
  // Beside it only the temporary file of the write stopped before its rename.
  const std::string name = fs::path(path).filename().string();
  for (const auto &entry : fs::directory_iterator(dir.path())) {
    const std::string found = entry.path().filename().string();
    EXPECT_TRUE(found == name || found.rfind("." + name + ".tmp-", 0) == 0) << found;
  }

  writeText(dir / "notadir", "");
  const std::string bad = (dir / "notadir" / "user.ini").string();
  auto r2 = ExportUserIni(Project(), bad);
  ASSERT_FALSE(r2.ok());
  EXPECT_NE(r2.error().message.find(bad), std::string::npos) << r2.error().message;
}

// The display program reads the export key by key: controllers with their
// link keys and status items, then per controller its devices and their
// outputs, joined by PLC_ID and LC_ID = the device's ID.
TEST(UserIniReaderTest, ExportReadsBackAsTheDisplayProgramReadsIt) {
  Project p = selkan_test::ExampleProject();
  AddController(p);
  p.PLCCtrl.SetName(1, "\xB6\xFE\xBA\xC5");  // 二号
  p.PLCCtrl.SetAddress(1, 31);
  for (int k = 0; k < 3; ++k) AddOutput(p, 1);
  const int32_t fan = AddDevice(p, 1);
  AddEntry(p, fan, 2);
  AddEntry(p, fan, 3);
  AddDevice(p, 1);  // no outputs
  p.Status.SetCount(1, 2);
  auto item = p.Status.Item(1, 1);
  item.SetType(6);
  item.SetName("\xB5\xB1\xC7\xB0\xCE\xC2\xB6\xC8");  // 当前温度
  item.SetID(4);
  item.SetPrecision(2);
  item.SetParm1(-20);
  item.SetParm2(268);
  item.SetParm3(6);

  const platform::IniFile ini = platform::IniFile::Parse(exported(p));
  EXPECT_EQ(ini.ReadInteger("Parms", "TemWarn", 54), 54);
  const int32_t controllers = ini.ReadInteger("PLCParms", "Count", 0);
  ASSERT_EQ(controllers, p.PLCCtrl.Count());
  for (int32_t i = 0; i < controllers; ++i) {
    const std::string n = platform::FormatInteger(i);
    EXPECT_EQ(ini.ReadString("PLCParms", "Name" + n, ""), p.PLCCtrl[i].Name);
    EXPECT_EQ(ini.ReadInteger("PLCParms", "Addr" + n, 0), p.PLCCtrl[i].Addr);
    EXPECT_EQ(ini.ReadInteger("PLCParms", "Comm" + n, 0), 1);
    EXPECT_EQ(ini.ReadInteger("PLCParms", "ConnMode" + n, 0), 0);
    EXPECT_EQ(ini.ReadString("PLCParms", "IP" + n, "192.168.0.1"), "192.168.0.1");
    EXPECT_EQ(ini.ReadInteger("PLCParms", "Port" + n, 6666), 6666);

    const std::string block = "PLC" + n;
    const int32_t count = ini.ReadInteger(block, "Count", 0);
    ASSERT_EQ(count, p.Status.Count(i));
    for (int32_t j = 0; j < count; ++j) {
      const std::string section = block + "ItemStatus" + platform::FormatInteger(j);
      const ConstStatusItem it = p.Status.Item(i, j);
      EXPECT_EQ(ini.ReadInteger(section, "stType", 0), it.stType());
      EXPECT_EQ(ini.ReadString(section, "stName", ""), it.stName());
      EXPECT_EQ(ini.ReadInteger(section, "stID", 0), it.stID());
      EXPECT_EQ(ini.ReadInteger(section, "stPrecision", 0), it.stPrecision());
      EXPECT_EQ(ini.ReadFloat(section, "stParm1", 0), it.stParm1());
      EXPECT_EQ(ini.ReadFloat(section, "stParm2", 0), it.stParm2());
      EXPECT_EQ(ini.ReadFloat(section, "stParm3", 0), it.stParm3());
    }

    // Devices of controller i and the outputs joined to them.
    struct ReadDevice {
      std::string name;
      int32_t id;
      std::vector<int32_t> outputs;
    };
    std::vector<ReadDevice> devices;
    const int32_t deviceCount = ini.ReadInteger("DeviceParms", "Count", 0);
    for (int32_t d = 0; d < deviceCount; ++d) {
      const std::string dn = platform::FormatInteger(d);
      if (static_cast<uint16_t>(ini.ReadInteger("DeviceParms", "PLC_ID" + dn, 0)) != i) continue;
      devices.push_back({ini.ReadString("DeviceParms", "Name" + dn, ""), ini.ReadInteger("DeviceParms", "ID" + dn, 0), {}});
    }
    const int32_t outputCount = ini.ReadInteger("DoParms", "Count", 0);
    for (int32_t k = 0; k < outputCount; ++k) {
      const std::string kn = platform::FormatInteger(k);
      const int32_t plc = ini.ReadInteger("DoParms", "PLC_ID" + kn, 0);
      const int32_t lc = ini.ReadInteger("DoParms", "LC_ID" + kn, 0);
      for (ReadDevice &d : devices) {
        if (plc == i && lc == d.id) d.outputs.push_back(ini.ReadInteger("DoParms", "Output" + kn, 0));
      }
    }

    const std::vector<int32_t> modelDevices = DevicesOf(p, i);
    ASSERT_EQ(devices.size(), modelDevices.size());
    for (size_t d = 0; d < devices.size(); ++d) {
      const TDeviceParm &m = p.DeviceCtrl[modelDevices[d]];
      EXPECT_EQ(devices[d].name, m.Name);
      EXPECT_EQ(devices[d].id, m.ID);
      std::vector<int32_t> modelOutputs;
      for (uint32_t e : m.Entries) modelOutputs.push_back(p.OutputCtrl[EntryOutput(e)].Output);
      EXPECT_EQ(devices[d].outputs, modelOutputs) << m.Name;
    }
  }
}

TEST(UserIniReaderTest, DisplayProgramWriteBackTouchesOneLine) {
  const std::string golden = fixture("user_ini_example.ini");
  platform::IniFile ini = platform::IniFile::Parse(golden);
  ASSERT_TRUE(ini.WriteString("PLCParms", "IP0", "127.0.0.1"));
  std::string expected = golden;
  const std::string anchor = "Comm0=1\r\n";
  expected.insert(expected.find(anchor) + anchor.size(), "IP0=127.0.0.1\r\n");
  EXPECT_EQ(ini.ToBytes(), expected);
}
