// Reading "User.ini" into controller records and writing single keys back.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <sstream>

#include "display_app/model/plc_config.h"
#include "platform/file_io.h"
#include "tests/display_app/model/model_fixture.h"
#include "tests/support/temp_dir.h"

namespace morvit::testing {
namespace {

struct IniFixture {
  explicit IniFixture(const std::string &utf8) : path((dir / "User.ini").string()) { WriteBytes(path, Gbk(utf8)); }
  testsupport::TempDir dir;
  std::string path;
};

TEST(LoadControllers, MissingSectionGivesNothing) {
  IniFixture ini("[Parms]\r\nTemWarn=60\r\n[DeviceParms]\r\nCount=1\r\nName0=x\r\nPLC_ID0=0\r\n");
  auto config = loadControllers(ini.path);
  ASSERT_TRUE(config.ok());
  EXPECT_TRUE(config.value().Controllers.empty());

  tarnex_client::testing::FakePlcApi api;
  PowerManagementModel model(api, tarnex_client::PlcLinkSettings{0, 9600});
  ASSERT_TRUE(model.loadControllers(ini.path).ok());
  EXPECT_TRUE(model.controllers().empty());
  EXPECT_TRUE(model.devices().empty());
  EXPECT_EQ(model.selectedController(), -1);
  EXPECT_TRUE(api.callsNamed("PLC_OpenDev").empty());
}

TEST(LoadControllers, MissingFileGivesDefaults) {
  testsupport::TempDir dir;
  auto config = loadControllers((dir / "User.ini").string());
  ASSERT_TRUE(config.ok());
  EXPECT_TRUE(config.value().Controllers.empty());
  EXPECT_EQ(config.value().AlarmTemperature, 54);
  EXPECT_FALSE(std::filesystem::exists(dir / "User.ini"));
}

// A file that is there but names no controller says so in the status bar;
// no file at all shows nothing.
TEST(LoadControllers, AFileWithoutControllersSaysSo) {
  struct Case {
    const char *what;
    std::optional<std::string> bytes;
    const char *text;
  } cases[] = {
      {"random bytes", std::string("\x8F\x00\xFF\x13" "garbage\x01\x02", 13), "User.ini 中没有可用的控制器。"},
      {"no controller section", std::string("[Parms]\r\nTemWarn=60\r\n"), "User.ini 中没有可用的控制器。"},
      {"no file", std::nullopt, ""},
  };
  for (const Case &c : cases) {
    testsupport::TempDir dir;
    const std::string path = (dir / "User.ini").string();
    if (c.bytes) WriteBytes(path, *c.bytes);
    tarnex_client::testing::FakePlcApi api;
    PowerManagementModel model(api, tarnex_client::PlcLinkSettings{0, 9600});
    ASSERT_TRUE(model.loadControllers(path).ok()) << c.what;
    EXPECT_TRUE(model.controllers().empty()) << c.what;
    EXPECT_EQ(model.statusText(kPanelAction), c.text) << c.what;
  }
}

TEST(LoadControllers, FieldsAndDefaults) {
  IniFixture ini(
      "[PLCParms]\r\nCount=3\r\n"
      "Name0=风扇柜\r\nAddr0=300\r\nComm0=$10\r\nConnMode0=1\r\nIP0=10.0.0.7\r\nPort0=0x1F90\r\n"
      "Name1=B\r\nAddr1=-1\r\nComm1=abc\r\n"
      "Addr2=70000\r\n");
  auto config = loadControllers(ini.path);
  ASSERT_TRUE(config.ok());
  const auto &c = config.value().Controllers;
  ASSERT_EQ(c.size(), 3u);
  EXPECT_EQ(c[0].Name, "风扇柜");
  EXPECT_EQ(c[0].Addr, 300);  // kept whole; replies compare its low 8 bits
  EXPECT_EQ(c[0].Comm, 16);
  EXPECT_EQ(c[0].ConnMode, 1);
  EXPECT_EQ(c[0].IP, "10.0.0.7");
  EXPECT_EQ(c[0].Port, 8080);
  // The 16-bit fields keep the low 16 bits; anything else is the default.
  EXPECT_EQ(c[1].Addr, 0xFFFF);
  EXPECT_EQ(c[1].Comm, 0);
  EXPECT_EQ(c[1].IP, "192.168.0.1");
  EXPECT_EQ(c[1].Port, 6666);
  EXPECT_EQ(c[2].Addr, 70000 & 0xFFFF);
  EXPECT_EQ(c[2].Name, "");
}

TEST(LoadControllers, AlarmTemperatureIsReadAsAFloat) {
  struct Case {
    const char *file;
    double expect;
  } cases[] = {
      {"[Parms]\r\nTemWarn=60\r\n", 60},
      {"[Parms]\r\nTemWarn=54.5\r\n", 54.5},
      {"[Parms]\r\nTemWarn=abc\r\n", 54},
      {"[Parms]\r\nTemWarn=nan\r\n", 54},
      {"[Parms]\r\n", 54},
      {"", 54},
  };
  for (const Case &c : cases) {
    IniFixture ini(c.file);
    auto config = loadControllers(ini.path);
    ASSERT_TRUE(config.ok());
    EXPECT_EQ(config.value().AlarmTemperature, c.expect) << c.file;
  }
}

// Counts are bounded by the view's tables (256 controllers of 32 status
// items) and by the entries the file holds: a huge count in a small file
// reads only what is there.
TEST(LoadControllers, CountsAreBoundedByTablesAndEntries) {
  struct Case {
    const char *what;
    std::string file;
    size_t controllers;
    size_t items;  // of controller 0
  } cases[] = {
      {"negative", "[PLCParms]\r\nCount=-1\r\nName0=a\r\n[PLC0]\r\nCount=-1\r\n[PLC0ItemStatus0]\r\n", 0, 0},
      {"not a number", "[PLCParms]\r\nCount=zz\r\nName0=a\r\n", 0, 0},
      {"no entries", "[PLCParms]\r\nCount=2147483647\r\n[PLC0]\r\nCount=2147483647\r\n", 1, 0},
      {"huge counts, two entries",
       "[PLCParms]\r\nCount=2147483647\r\nName0=a\r\nAddr1=2\r\n"
       "[PLC0]\r\nCount=2147483647\r\n[PLC0ItemStatus0]\r\nstType=4\r\n[PLC0ItemStatus2]\r\nstType=6\r\n",
       2, 3},
      {"count below the entries", "[PLCParms]\r\nCount=1\r\nName0=a\r\nName1=b\r\n", 1, 0},
  };
  // Entries past the tables' ends are not read.
  std::string full = "[PLCParms]\r\nCount=100000\r\n";
  for (int i = 0; i < 300; ++i) full += "Addr" + std::to_string(i) + "=1\r\n";
  full += "[PLC0]\r\nCount=100000\r\n";
  for (int j = 0; j < 40; ++j) full += "[PLC0ItemStatus" + std::to_string(j) + "]\r\nstType=1\r\n";
  for (const Case &c : cases) {
    IniFixture ini(c.file);
    auto config = loadControllers(ini.path);
    ASSERT_TRUE(config.ok()) << c.what;
    EXPECT_EQ(config.value().Controllers.size(), c.controllers) << c.what;
    ASSERT_EQ(config.value().Items.size(), c.controllers) << c.what;
    if (c.controllers > 0) {
      EXPECT_EQ(config.value().Items[0].size(), c.items) << c.what;
    }
  }
  IniFixture ini(full);
  auto config = loadControllers(ini.path);
  ASSERT_TRUE(config.ok());
  EXPECT_EQ(config.value().Controllers.size(), static_cast<size_t>(kMaxControllers));
  EXPECT_EQ(config.value().Items.at(0).size(), static_cast<size_t>(kMaxStatusItems));
  EXPECT_EQ(config.value().Items.at(1).size(), 0u);
}

// Device and output entries the file does not hold are no devices, however
// large the counts.
TEST(LoadDevices, HugeCountsReadOnlyTheEntriesPresent) {
  IniFixture ini(
      "[DeviceParms]\r\nCount=2147483647\r\nName0=A\r\nPLC_ID0=0\r\nID0=0\r\n"
      "[DoParms]\r\nCount=2147483647\r\nPLC_ID0=0\r\nLC_ID0=0\r\nOutput0=3\r\n");
  auto devices = loadDevices(ini.path, 0);
  ASSERT_TRUE(devices.ok());
  ASSERT_EQ(devices.value().size(), 1u);
  EXPECT_EQ(devices.value()[0].Name, "A");
  ASSERT_EQ(devices.value()[0].Outputs.size(), 1u);
  EXPECT_EQ(devices.value()[0].Outputs[0].Output, 3);
}

TEST(LoadControllers, StatusItemsAndCodePage936Names) {
  const std::string longName(200, 'n');
  IniFixture ini("[PLCParms]\r\nCount=1\r\n[PLC0]\r\nCount=2\r\n"
                 "[PLC0ItemStatus0]\r\nstType=6\r\nstName=柜内温度\r\nstID=1\r\nstPrecision=1\r\n"
                 "stParm1=-20\r\nstParm2=0.5\r\nstParm3=10\r\n"
                 "[PLC0ItemStatus1]\r\nstType=x\r\nstName=" + longName + "\r\n");
  auto config = loadControllers(ini.path);
  ASSERT_TRUE(config.ok());
  const auto &items = config.value().Items.at(0);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Type, 6);
  EXPECT_EQ(items[0].Name, "柜内温度");
  EXPECT_EQ(items[0].Channel, 1);
  EXPECT_EQ(items[0].Precision, 1);
  EXPECT_EQ(items[0].Base, -20);
  EXPECT_EQ(items[0].Offset, 0.5);
  EXPECT_EQ(items[0].Gain, 10);
  EXPECT_EQ(items[1].Type, 0);
  EXPECT_EQ(items[1].Name, longName);  // no fixed-size name field

  // The raw bytes B7 E7 C9 C8 are 风扇 in code page 936.
  testsupport::TempDir dir;
  const std::string path = (dir / "User.ini").string();
  WriteBytes(path, "[PLCParms]\r\nCount=1\r\nName0=\xB7\xE7\xC9\xC8\r\n");
  auto raw = loadControllers(path);
  ASSERT_TRUE(raw.ok());
  EXPECT_EQ(raw.value().Controllers.at(0).Name, "风扇");
}

TEST(LoadDevices, SelectsTheControllersDevicesAndJoinsOutputs) {
  IniFixture ini(
      "[DeviceParms]\r\nCount=4\r\n"
      "Name0=甲\r\nPLC_ID0=1\r\nID0=5\r\n"
      "Name1=乙\r\nPLC_ID1=0\r\nID1=5\r\n"
      "Name2=丙\r\nPLC_ID2=1\r\nID2=5\r\n"
      "Name3=丁\r\nPLC_ID3=65537\r\nID3=2\r\n"
      "[DoParms]\r\nCount=4\r\n"
      "PLC_ID0=1\r\nLC_ID0=5\r\nOutput0=3\r\n"
      "PLC_ID1=1\r\nLC_ID1=9\r\nOutput1=4\r\n"  // no device 9: ignored
      "PLC_ID2=0\r\nLC_ID2=5\r\nOutput2=6\r\n"  // controller 0's device
      "PLC_ID3=1\r\nLC_ID3=2\r\nOutput3=7\r\n");
  auto devices = loadDevices(ini.path, 1);
  ASSERT_TRUE(devices.ok());
  const auto &d = devices.value();
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0].Name, "甲");
  EXPECT_EQ(d[0].PositionInFile, 0);
  EXPECT_EQ(d[1].Name, "丙");
  EXPECT_EQ(d[1].PositionInFile, 2);
  EXPECT_EQ(d[2].Name, "丁");  // PLC_ID 65537 keeps its low 16 bits
  // An output whose LC_ID two devices share belongs to both.
  for (int i : {0, 1}) {
    ASSERT_EQ(d[static_cast<size_t>(i)].OutputCount(), 1) << i;
    EXPECT_EQ(d[static_cast<size_t>(i)].Outputs[0].Output, 3);
    EXPECT_EQ(d[static_cast<size_t>(i)].Outputs[0].State, 0);
  }
  ASSERT_EQ(d[2].OutputCount(), 1);
  EXPECT_EQ(d[2].Outputs[0].Output, 7);

  // Controller 0 has one device, read under position 1.
  auto zero = loadDevices(ini.path, 0);
  ASSERT_TRUE(zero.ok());
  ASSERT_EQ(zero.value().size(), 1u);
  EXPECT_EQ(zero.value()[0].PositionInFile, 1);
  EXPECT_EQ(zero.value()[0].Outputs.at(0).Output, 6);

  for (int32_t n : {-1, 70000}) {
    auto none = loadDevices(ini.path, n);
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none.value().empty()) << n;
  }
}

TEST(LoadDevices, FirstDeviceOfControllerOneIsAtPositionZero) {
  IniFixture ini("[DeviceParms]\r\nCount=2\r\nName0=A\r\nPLC_ID0=1\r\nID0=0\r\nName1=B\r\nPLC_ID1=0\r\nID1=0\r\n");
  auto devices = loadDevices(ini.path, 1);
  ASSERT_TRUE(devices.ok());
  ASSERT_EQ(devices.value().size(), 1u);
  EXPECT_EQ(devices.value()[0].Name, "A");
  EXPECT_EQ(devices.value()[0].PositionInFile, 0);
}

// The file without the lines of the given keys: what must stay byte for
// byte.
std::string WithoutKeys(const std::string &bytes, const std::set<std::string> &keys) {
  std::string out;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    end = end == std::string::npos ? bytes.size() : end + 1;
    const std::string line = bytes.substr(start, end - start);
    const size_t eq = line.find('=');
    std::string key = eq == std::string::npos ? "" : line.substr(0, eq);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    if (!keys.count(key)) out += line;
    start = end;
  }
  return out;
}

TEST(WriteBack, LinkSettingsRewriteFiveKeysPerControllerOnly) {
  const std::string original = Gbk(
      "; 由编辑器导出\r\n"
      "[PLCParms]\r\n"
      "Count=2\r\n"
      "Name0=一号\r\n"
      "Addr0 = 1\r\n"
      "Comm0=1\r\n"
      "Name1=二号\r\n"
      "Addr1=2\r\n"
      "Comm1=1\r\n"
      "ConnMode1=0\r\n"
      "\r\n"
      "[DeviceParms]\n"
      "Count=0\n");
  testsupport::TempDir dir;
  const std::string path = (dir / "User.ini").string();
  WriteBytes(path, original);
  auto config = loadControllers(path);
  ASSERT_TRUE(config.ok());
  TPlcParmArray controllers = config.value().Controllers;
  controllers[1].Addr = 7;
  controllers[1].ConnMode = 1;
  controllers[1].IP = "127.0.0.1";
  controllers[0].Port = 6001;
  ASSERT_TRUE(writeLinkSettings(path, controllers).ok());

  const std::string written = ReadBytes(path);
  const std::set<std::string> keys = {"Addr0", "ConnMode0", "Comm0", "IP0", "Port0",
                                      "Addr1", "ConnMode1", "Comm1", "IP1", "Port1"};
  EXPECT_EQ(WithoutKeys(written, keys), WithoutKeys(original, keys));
  auto reread = loadControllers(path);
  ASSERT_TRUE(reread.ok());
  const auto &c = reread.value().Controllers;
  EXPECT_EQ(c[0].Addr, 1);
  EXPECT_EQ(c[0].Port, 6001);
  EXPECT_EQ(c[0].IP, "192.168.0.1");
  EXPECT_EQ(c[1].Addr, 7);
  EXPECT_EQ(c[1].ConnMode, 1);
  EXPECT_EQ(c[1].IP, "127.0.0.1");
  EXPECT_EQ(c[1].Name, "二号");
  // Every key once.
  for (const std::string &key : keys) {
    size_t count = 0;
    for (size_t pos = written.find("\n" + key); pos != std::string::npos; pos = written.find("\n" + key, pos + 1))
      ++count;
    EXPECT_EQ(count, 1u) << key;
  }
}

TEST(WriteBack, DeviceNameAndAlarmTemperature) {
  IniFixture ini("[Parms]\r\nTemWarn=54\r\n[DeviceParms]\r\nCount=2\r\nName0=甲\r\nName1=乙\r\n");
  ASSERT_TRUE(writeDeviceName(ini.path, 1, "新屏").ok());
  ASSERT_TRUE(writeAlarmTemperature(ini.path, 54.5).ok());
  EXPECT_EQ(ReadBytes(ini.path), Gbk("[Parms]\r\nTemWarn=54.5\r\n[DeviceParms]\r\nCount=2\r\nName0=甲\r\nName1=新屏\r\n"));
  auto config = loadControllers(ini.path);
  ASSERT_TRUE(config.ok());
  EXPECT_EQ(config.value().AlarmTemperature, 54.5);
}

TEST(WriteBack, NamesTheFileCannotHoldAreRefused) {
  IniFixture ini("[DeviceParms]\r\nName0=甲\r\n");
  const std::string before = ReadBytes(ini.path);
  for (const char *name : {"表情😀", "两\n行", " 前后空白 ", "\"引号\""}) {
    auto written = writeDeviceName(ini.path, 0, name);
    ASSERT_FALSE(written.ok()) << name;
    EXPECT_EQ(written.error().message, "名称含有无法保存的字符。");
  }
  EXPECT_EQ(ReadBytes(ini.path), before);
}

TEST(WriteBack, FailedWriteLeavesTheFileAndReportsIt) {
  IniFixture ini("[Parms]\r\nTemWarn=54\r\n");
  const std::string before = ReadBytes(ini.path);
  platform::SetAtomicWriteFaultForTests(true);
  auto written = writeAlarmTemperature(ini.path, 60);
  platform::SetAtomicWriteFaultForTests(false);
  ASSERT_FALSE(written.ok());
  EXPECT_FALSE(written.error().message.empty());
  EXPECT_EQ(ReadBytes(ini.path), before);
}

TEST(WriteBack, GoesToTheFileFoundIgnoringCase) {
  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exeDir(dir.path());
  WriteBytes(dir / "user.ini", "[Parms]\r\nTemWarn=50\r\n");
  const std::string path = UserIniPath();
  EXPECT_EQ(std::filesystem::path(path).filename(), "user.ini");
  ASSERT_TRUE(writeAlarmTemperature(path, 61.5).ok());
  EXPECT_EQ(ReadBytes(dir / "user.ini"), "[Parms]\r\nTemWarn=61.5\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace morvit::testing
