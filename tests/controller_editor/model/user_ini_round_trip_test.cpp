// The user.ini the editor exports, read by the display program's loader:
// controllers, devices with their outputs, and status items come back as the
// editor's project holds them.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "controller_editor/model/project.h"
#include "controller_editor/model/status_editing.h"
#include "controller_editor/model/user_ini_export.h"
#include "display_app/model/plc_config.h"
#include "platform/cp936.h"
#include "tests/support/temp_dir.h"

namespace {

using selkan::Project;

std::string gbk(const std::string &utf8) { return cp936::FromUtf8(utf8); }

// A status item as the editor's tab writes it, with typed scaling texts.
struct ItemInput {
  int32_t type;
  const char *name;
  int32_t channelIndex;
  int32_t precisionIndex;
  std::array<std::string, 3> scaling;
};

const selkan::StatusTab &tabOfType(int32_t type) {
  for (const selkan::StatusTab &tab : selkan::StatusTabs()) {
    if (tab.type == type) return tab;
  }
  ADD_FAILURE() << "no tab of type " << type;
  return selkan::StatusTabs().front();
}

void addItems(Project &p, int32_t ctrl, const std::vector<ItemInput> &items) {
  for (const ItemInput &in : items) {
    selkan::StatusInput input;
    input.name = gbk(in.name);
    input.channelIndex = in.channelIndex;
    input.precisionIndex = in.precisionIndex;
    input.scaling = in.scaling;
    ASSERT_TRUE(selkan::AddStatusItem(p, ctrl, tabOfType(in.type), input).ok()) << in.name;
  }
}

// Two controllers with Chinese names: outputs with and without a device,
// devices of both controllers interleaved in the list, one output that was
// renumbered, and status items of every kind with scaling the user typed.
Project twoControllerProject() {
  Project p;
  EXPECT_TRUE(selkan::AddController(p));
  EXPECT_TRUE(selkan::AddController(p));
  p.PLCCtrl.SetName(0, gbk("一号配电柜"));
  p.PLCCtrl.SetAddress(0, 3);
  p.PLCCtrl.SetName(1, gbk("二号网络柜"));
  p.PLCCtrl.SetAddress(1, 200);

  for (int i = 0; i < 4; ++i) EXPECT_GE(selkan::AddOutput(p, 0), 0);
  for (int i = 0; i < 3; ++i) EXPECT_GE(selkan::AddOutput(p, 1), 0);
  p.OutputCtrl.SetOutput(3, 9);  // controller 0's fourth output is number 9

  const int32_t fan = selkan::AddDevice(p, 0);
  const int32_t aircon = selkan::AddDevice(p, 1);
  const int32_t light = selkan::AddDevice(p, 0);
  p.DeviceCtrl.SetName(fan, gbk("风扇"));
  p.DeviceCtrl.SetName(aircon, gbk("空调机组"));
  p.DeviceCtrl.SetName(light, gbk("照明（东侧）"));
  EXPECT_TRUE(selkan::AddEntry(p, fan, 0));
  EXPECT_TRUE(selkan::AddEntry(p, fan, 3));
  EXPECT_TRUE(selkan::AddEntry(p, light, 1));
  EXPECT_TRUE(selkan::AddEntry(p, aircon, 6));
  EXPECT_TRUE(selkan::AddEntry(p, aircon, 4));
  // Output 2 of controller 0 and output 5 of controller 1 stay unassigned.

  addItems(p, 0,
           {
               {1, "烟感", 0, 0, {}},
               {2, "报警温度", 0, 1, {}},
               {3, "关闭温度", 2, 2, {"-20.5", "268", "6"}},
               {4, "电源监视", 9, 0, {}},
               {5, "压力传感器", 7, 2, {"0.1", "-3.25", "1234.5678"}},
               {6, "当前温度", 0, 1, {"-20", "268", "6"}},
               {7, "环境亮度", 4, 0, {"100", "0", "0.001"}},
           });
  addItems(p, 1,
           {
               {6, "柜内温度", 3, 2, {"-40", "500", "12.5"}},
               {4, "门禁", 0, 0, {}},
           });
  return p;
}

// What the display program should read for controller n: every device of n
// in list order with its position in the list, and the outputs of n whose
// device is that device, in list order.
morvit::TDevParmArray expectedDevices(const Project &p, int32_t n) {
  morvit::TDevParmArray devices;
  for (int32_t i = 0; i < p.DeviceCtrl.Count(); ++i) {
    const selkan::TDeviceParm &d = p.DeviceCtrl[i];
    if (d.PLC_ID != n) continue;
    morvit::TDevParm device;
    device.Name = cp936::ToUtf8(d.Name);
    device.PlcId = static_cast<uint16_t>(n);
    device.Id = static_cast<uint16_t>(d.ID);
    device.PositionInFile = i;
    for (const selkan::TOutputParm &o : p.OutputCtrl.Items()) {
      if (o.PLC_ID == n && o.LC_ID == d.ID) {
        device.Outputs.push_back(morvit::TDoParm{device.PlcId, device.Id, static_cast<uint16_t>(o.Output), 0});
      }
    }
    devices.push_back(std::move(device));
  }
  return devices;
}

void expectSameDevices(const morvit::TDevParmArray &read, const morvit::TDevParmArray &expected) {
  ASSERT_EQ(read.size(), expected.size());
  for (size_t i = 0; i < read.size(); ++i) {
    SCOPED_TRACE(expected[i].Name);
    EXPECT_EQ(read[i].Name, expected[i].Name);
    EXPECT_EQ(read[i].PlcId, expected[i].PlcId);
    EXPECT_EQ(read[i].Id, expected[i].Id);
    EXPECT_EQ(read[i].PositionInFile, expected[i].PositionInFile);
    ASSERT_EQ(read[i].Outputs.size(), expected[i].Outputs.size());
    for (size_t k = 0; k < read[i].Outputs.size(); ++k) {
      EXPECT_EQ(read[i].Outputs[k].PlcId, expected[i].Outputs[k].PlcId);
      EXPECT_EQ(read[i].Outputs[k].DeviceId, expected[i].Outputs[k].DeviceId);
      EXPECT_EQ(read[i].Outputs[k].Output, expected[i].Outputs[k].Output);
      EXPECT_EQ(read[i].Outputs[k].State, 0);
    }
  }
}

// The status items of every controller, field by field. The scaling is
// compared exactly: what a user types survives the file's decimal text.
void expectSameItems(const Project &p, const morvit::ControllerConfig &config) {
  ASSERT_EQ(config.Items.size(), static_cast<size_t>(p.PLCCtrl.Count()));
  for (int32_t n = 0; n < p.PLCCtrl.Count(); ++n) {
    const std::vector<morvit::StatusItem> &items = config.Items[static_cast<size_t>(n)];
    ASSERT_EQ(items.size(), static_cast<size_t>(p.Status.Count(n)));
    for (int32_t j = 0; j < p.Status.Count(n); ++j) {
      const selkan::ConstStatusItem item = p.Status.Item(n, j);
      const morvit::StatusItem &read = items[static_cast<size_t>(j)];
      SCOPED_TRACE(cp936::ToUtf8(item.stName()));
      EXPECT_EQ(read.Type, item.stType());
      EXPECT_EQ(read.Name, cp936::ToUtf8(item.stName()));
      EXPECT_EQ(read.Channel, item.stID());
      EXPECT_EQ(read.Precision, item.stPrecision());
      EXPECT_EQ(read.Base, item.stParm1());
      EXPECT_EQ(read.Offset, item.stParm2());
      EXPECT_EQ(read.Gain, item.stParm3());
    }
  }
}

TEST(UserIniRoundTrip, TheDisplayProgramReadsWhatTheEditorExports) {
  const Project p = twoControllerProject();
  testsupport::TempDir dir;
  ASSERT_TRUE(selkan::ExportUserIni(p, selkan::UserIniPath(dir.str())).ok());

  // The display program finds the editor's "user.ini" under its own name.
  const testsupport::ExecutableDirOverride exeDir(dir.path());
  const std::string path = morvit::UserIniPath();
  auto config = morvit::loadControllers(path);
  ASSERT_TRUE(config.ok()) << config.error().message;
  EXPECT_TRUE(config.value().FileFound);
  EXPECT_EQ(config.value().AlarmTemperature, morvit::kDefaultAlarmTemperature);

  const morvit::TPlcParmArray &controllers = config.value().Controllers;
  ASSERT_EQ(controllers.size(), 2u);
  EXPECT_EQ(controllers[0].Name, "一号配电柜");
  EXPECT_EQ(controllers[1].Name, "二号网络柜");
  for (int32_t n = 0; n < 2; ++n) {
    const morvit::TPlcParm &c = controllers[static_cast<size_t>(n)];
    EXPECT_EQ(c.Addr, p.PLCCtrl[n].Addr);
    // The editor knows no link settings: every controller is serial on COM1
    // with the default network address until the display program sets them.
    EXPECT_EQ(c.Comm, 1);
    EXPECT_EQ(c.ConnMode, 0);
    EXPECT_EQ(c.IP, "192.168.0.1");
    EXPECT_EQ(c.Port, 6666);
  }
  expectSameItems(p, config.value());

  for (int32_t n = 0; n < 2; ++n) {
    SCOPED_TRACE(n);
    auto devices = morvit::loadDevices(path, n);
    ASSERT_TRUE(devices.ok());
    const morvit::TDevParmArray expected = expectedDevices(p, n);
    ASSERT_EQ(expected.size(), 2u - static_cast<size_t>(n));  // the fixture is what it claims
    expectSameDevices(devices.value(), expected);
  }
  // The unassigned outputs belong to no device.
  EXPECT_EQ(expectedDevices(p, 0)[0].Outputs.size(), 2u);
  EXPECT_EQ(expectedDevices(p, 0)[1].Outputs.size(), 1u);
}

TEST(UserIniRoundTrip, TheDisplayProgramsLinkSettingsLeaveTheExportReadable) {
  const Project p = twoControllerProject();
  testsupport::TempDir dir;
  const std::string path = selkan::UserIniPath(dir.str());
  ASSERT_TRUE(selkan::ExportUserIni(p, path).ok());

  // Controller 0 on a serial port, controller 1 on the network.
  auto first = morvit::loadControllers(path);
  ASSERT_TRUE(first.ok());
  morvit::TPlcParmArray links = first.value().Controllers;
  links[0].Comm = 4;
  links[1].ConnMode = 1;
  links[1].IP = "10.1.2.3";
  links[1].Port = 7001;
  ASSERT_TRUE(morvit::writeLinkSettings(path, links).ok());
  ASSERT_TRUE(morvit::writeAlarmTemperature(path, 61.5).ok());

  auto config = morvit::loadControllers(path);
  ASSERT_TRUE(config.ok());
  const morvit::TPlcParmArray &controllers = config.value().Controllers;
  ASSERT_EQ(controllers.size(), 2u);
  for (size_t n = 0; n < 2; ++n) {
    SCOPED_TRACE(n);
    const morvit::TPlcParm &c = controllers[n];
    EXPECT_EQ(c.Name, links[n].Name);
    EXPECT_EQ(c.Addr, links[n].Addr);
    EXPECT_EQ(c.ConnMode, links[n].ConnMode);
    EXPECT_EQ(c.Comm, links[n].Comm);
    EXPECT_EQ(c.IP, links[n].IP);
    EXPECT_EQ(c.Port, links[n].Port);
  }
  EXPECT_EQ(config.value().AlarmTemperature, 61.5);
  expectSameItems(p, config.value());
  for (int32_t n = 0; n < 2; ++n) {
    SCOPED_TRACE(n);
    auto devices = morvit::loadDevices(path, n);
    ASSERT_TRUE(devices.ok());
    expectSameDevices(devices.value(), expectedDevices(p, n));
  }
}

// Exports one controller, a device and a status item, all named typed, and
// expects the display program to read the three names as typed.
void expectNameComesBack(const std::string &typed) {
  SCOPED_TRACE(typed);
  Project p;
  ASSERT_TRUE(selkan::AddController(p));
  p.PLCCtrl.SetName(0, gbk(typed));
  const int32_t device = selkan::AddDevice(p, 0);
  p.DeviceCtrl.SetName(device, gbk(typed));
  addItems(p, 0, {{1, typed.c_str(), 0, 0, {}}});

  testsupport::TempDir dir;
  const std::string path = selkan::UserIniPath(dir.str());
  ASSERT_TRUE(selkan::ExportUserIni(p, path).ok());
  auto config = morvit::loadControllers(path);
  ASSERT_TRUE(config.ok());
  ASSERT_EQ(config.value().Controllers.size(), 1u);
  EXPECT_EQ(config.value().Controllers[0].Name, typed);
  ASSERT_EQ(config.value().Items.at(0).size(), 1u);
  EXPECT_EQ(config.value().Items[0][0].Name, typed);
  auto devices = morvit::loadDevices(path, 0);
  ASSERT_TRUE(devices.ok());
  ASSERT_EQ(devices.value().size(), 1u);
  EXPECT_EQ(devices.value()[0].Name, typed);
}

TEST(UserIniRoundTrip, NamesComeBackAsTyped) {
  for (const char *typed : {"中文名称", "A=B", "x;y", "[柜]", "名称 中间有空格", "引号\"在中间", "#1号", "",
                            "很长的名称很长的名称很长的名称很长的名称"}) {
    expectNameComesBack(typed);
  }
}

// The file's reader trims blanks around a value and drops one pair of
// enclosing quotes: the export writes such names inside one more pair.
TEST(UserIniRoundTrip, NamesWithEnclosingBlanksOrQuotesComeBackAsTyped) {
  for (const char *typed : {" 前后空格 ", "\"引号\"", "'单引号'"}) expectNameComesBack(typed);
}

}  // namespace
