// The power management model's commands: what each sends, what it refuses
// and what it writes into "User.ini".
#include <gtest/gtest.h>

#include "display_app/model/plc_config.h"
#include "platform/file_io.h"
#include "tests/display_app/model/model_fixture.h"

namespace morvit::testing {
namespace {

using Status = CommandResult::Status;

PlcReply StatusReply(std::initializer_list<std::pair<int, uint16_t>> values) {
  PlcReply reply{};
  reply.address = 1;
  reply.function = 3;
  reply.count = 64;
  for (auto [reg, value] : values) reply.data[reg] = value;
  return reply;
}

// The demo file with controller 0's devices and items replaced.
std::string DemoWith(const std::string &from, const std::string &to) {
  std::string ini = kDemoIni;
  ini.replace(ini.find(from), from.size(), to);
  return ini;
}

TEST(Commands, NothingWithoutADevice) {
  ModelHarness h(DemoWith("PLC_ID0=0\r\nID0=0\r\nName1=右屏\r\nPLC_ID1=0", "PLC_ID0=1\r\nID0=0\r\nName1=右屏\r\nPLC_ID1=1"));
  h.load();
  ASSERT_TRUE(h.model.devices().empty());
  h.api.clearCalls();
  EXPECT_EQ(h.model.powerOn().status, Status::Nothing);
  EXPECT_EQ(h.model.powerOff().status, Status::Nothing);
  EXPECT_EQ(h.model.setClock().status, Status::Nothing);
  EXPECT_EQ(h.model.setShutdownLimit("50").status, Status::Nothing);
  EXPECT_EQ(h.model.sendWeekPlan(WeekPlan{}).status, Status::Nothing);
  EXPECT_EQ(h.model.renameDevice("x").status, Status::Nothing);
  EXPECT_EQ(h.model.timePlanClick(true).status, Status::Nothing);
  EXPECT_TRUE(h.api.calls.empty());
}

TEST(Commands, PowerOnAndOff) {
  ModelHarness h;
  h.load();
  h.api.clearCalls();
  CommandResult on = h.model.powerOn();
  ASSERT_EQ(on.status, Status::Done);
  // The command is queued, then the queue head goes out at once.
  ASSERT_GE(h.api.calls.size(), 2u);
  EXPECT_EQ(h.api.calls[0].name, "CMD_PowerOnLC");
  EXPECT_EQ(h.api.calls[1].name, "PLC_Send");
  EXPECT_EQ(h.model.statusText(kPanelAction), "开启左屏...");
  EXPECT_EQ(h.model.lastReadPhase(), PollPhase::None);
  h.model.selectDevice(1);
  ASSERT_EQ(h.model.powerOff().status, Status::Done);
  EXPECT_EQ(h.model.statusText(kPanelAction), "关闭右屏...");
  const auto commands = h.api.commands();
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].name, "CMD_PowerOnLC");
  EXPECT_EQ(commands[0].args, (std::vector<int64_t>{1, 0}));
  EXPECT_EQ(commands[1].name, "CMD_PowerOffLC");
  EXPECT_EQ(commands[1].args, (std::vector<int64_t>{1, 1}));
  EXPECT_EQ(h.api.callsNamed("PLC_Send").size(), 2u);
}

TEST(Commands, DeviceNumbersOutsideTheSwitchBlockAreRefused) {
  struct Case {
    const char *id;
    const char *message;
  } cases[] = {{"32", "设备号 32 超出 0..31。"}, {"52", "设备号 52 超出 0..31。"}, {"-1", "设备号 65535 超出 0..31。"}};
  for (const Case &c : cases) {
    ModelHarness h(DemoWith("ID0=0\r\nName1=右屏", std::string("ID0=") + c.id + "\r\nName1=右屏"));
    h.load();
    h.api.clearCalls();
    for (CommandResult r : {h.model.powerOn(), h.model.powerOff()}) {
      EXPECT_EQ(r.status, Status::Refused) << c.id;
      EXPECT_EQ(r.message, c.message);
    }
    EXPECT_TRUE(h.api.calls.empty()) << c.id;
    EXPECT_EQ(h.model.statusText(kPanelAction), "打开设备成功");
  }
}

TEST(Commands, ClockArguments) {
  struct Case {
    LocalDateTime now;
    int dayOfYear;
    int dayOfWeek;
  } cases[] = {
      {{2024, 3, 5, 14, 7, 9}, 65, 2},   // a Tuesday
      {{2024, 3, 3, 0, 0, 0}, 63, 7},    // a Sunday
      {{2024, 3, 4, 0, 0, 0}, 64, 1},    // a Monday
      {{2023, 1, 1, 23, 59, 59}, 1, 7},
      {{2024, 12, 31, 0, 0, 0}, 366, 2},
      {{2100, 3, 1, 0, 0, 0}, 60, 1},    // 2100 is no leap year
  };
  for (const Case &c : cases) {
    ModelHarness h;
    h.now = c.now;
    h.load();
    h.api.clearCalls();
    ASSERT_EQ(h.model.setClock().status, Status::Done);
    EXPECT_EQ(h.model.statusText(kPanelAction), "校时...");
    const auto commands = h.api.commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].name, "CMD_SetTimeCheck");
    const auto &n = c.now;
    EXPECT_EQ(commands[0].args, (std::vector<int64_t>{1, n.year + (n.month << 16), n.day + (c.dayOfYear << 16),
                                                      c.dayOfWeek + (n.hour << 16), n.minute + (n.second << 16)}))
        << n.year << "-" << n.month << "-" << n.day;
  }
}

TEST(Commands, PlanWords) {
  WeekPlan monday;
  monday.setEnabled(1, 1, true);
  monday.setOnTime(1, 1, PlanTime{7, 30});
  monday.setOffTime(1, 1, PlanTime{18, 5});
  auto words = BuildPlanWords(monday);
  EXPECT_EQ(words[0], 0x0020);
  EXPECT_EQ(words[1], 0);
  EXPECT_EQ(words[2 + 8 + 2], 7 * 256 + 30);  // registers 93 and 94
  EXPECT_EQ(words[2 + 8 + 3], 18 * 256 + 5);

  WeekPlan saturday;
  saturday.setEnabled(6, 3, true);
  saturday.setOnTime(6, 3, PlanTime{23, 1});
  saturday.setOffTime(6, 3, PlanTime{23, 59});
  words = BuildPlanWords(saturday);
  EXPECT_EQ(words[0], 0);
  EXPECT_EQ(words[1], 1 << 11);
  EXPECT_EQ(words[56], 23 * 256 + 1);  // register 137
  EXPECT_EQ(words[57], 23 * 256 + 59); // register 138

  // The dialog's indexes: flag [7(p-1)+d], times [14(p-1)+d] and +7.
  WeekPlan plan;
  plan.Enabled[7 * 2 + 4] = true;
  plan.Times[14 * 2 + 4] = PlanTime{1, 2};
  plan.Times[14 * 2 + 7 + 4] = PlanTime{3, 4};
  EXPECT_TRUE(plan.enabled(4, 2));
  EXPECT_EQ(plan.onTime(4, 2), (PlanTime{1, 2}));
  EXPECT_EQ(plan.offTime(4, 2), (PlanTime{3, 4}));
}

TEST(Commands, SendWeekPlanKeepsAndWritesIt) {
  ModelHarness h;
  h.load();
  h.api.clearCalls();
  WeekPlan plan;
  plan.setEnabled(1, 1, true);
  plan.setOnTime(1, 1, PlanTime{7, 30});
  ASSERT_EQ(h.model.sendWeekPlan(plan).status, Status::Done);
  EXPECT_EQ(h.model.weekPlan(), plan);
  EXPECT_EQ(h.model.statusText(kPanelAction), "设置定时计划...");
  const auto commands = h.api.commands();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].name, "CMD_Write");
  EXPECT_EQ(commands[0].args, (std::vector<int64_t>{1, 81, 58}));
  const auto words = BuildPlanWords(plan);
  EXPECT_EQ(commands[0].words, std::vector<uint16_t>(words.begin(), words.end()));
}

TEST(Commands, PlanSwitchSendsUserClicksOnly) {
  ModelHarness h;
  // The view's check box: set from the change callback; its click handler
  // goes to the model, as the view wires it.
  bool box = false;
  std::vector<CommandResult> clicks;
  h.model.setChangeCallback([&](uint32_t bits) {
    if ((bits & kChangePlan) && box != h.model.timePlanChecked()) {
      box = h.model.timePlanChecked();
      clicks.push_back(h.model.timePlanClick(box));
    }
  });
  h.load();
  h.api.answerRead(1, ModelHarness::Block(64, 75, {{64, 3}}));
  EXPECT_TRUE(box);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].status, Status::Nothing);
  EXPECT_TRUE(h.api.callsNamed("CMD_SetTimerEnable").empty());

  // Right after the plan read is queued again, a click still goes out.
  ASSERT_TRUE(h.model.selectController(0).ok());
  ASSERT_EQ(h.model.lastReadPhase(), PollPhase::Plan);
  box = false;
  CommandResult off = h.model.timePlanClick(false);
  EXPECT_EQ(off.status, Status::Done);
  EXPECT_EQ(h.model.statusText(kPanelAction), "禁用定时计划...");
  EXPECT_FALSE(h.model.enabled(Control::WeekDay));
  box = true;  // the user's click checks the box first
  CommandResult on = h.model.timePlanClick(true);
  EXPECT_EQ(on.status, Status::Done);
  EXPECT_EQ(h.model.statusText(kPanelAction), "开启定时计划...");
  EXPECT_TRUE(h.model.enabled(Control::WeekDay));
  const auto sent = h.api.callsNamed("CMD_SetTimerEnable");
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].args, (std::vector<int64_t>{1, 0}));
  EXPECT_EQ(sent[1].args, (std::vector<int64_t>{1, 3}));
}

TEST(Commands, ShutdownLimit) {
  ModelHarness h;
  h.load();
  EXPECT_EQ(h.model.shutdownLimitInput().label, "关闭温度");
  h.api.clearCalls();
  CommandResult r = h.model.setShutdownLimit("54.5");
  ASSERT_EQ(r.status, Status::Done);
  EXPECT_EQ(h.model.statusText(kPanelAction), "设置关闭温度...");
  const auto commands = h.api.commands();
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].name, "CMD_SetAW");
  EXPECT_EQ(commands[0].args, (std::vector<int64_t>{1, 0, 545}));
  EXPECT_EQ(h.model.lastReadPhase(), PollPhase::Plan);  // unchanged

  struct Case {
    const char *text;
    const char *message;
  } refusals[] = {
      {"abc", "不是数字：abc"},
      {"", "不是数字："},
      {"54,5", "不是数字：54,5"},
      {"nan", "不是数字：nan"},
      {"6553.6", "数值超出控制器的范围。"},
      {"-0.1", "数值超出控制器的范围。"},
      {"1e300", "数值超出控制器的范围。"},
  };
  for (const Case &c : refusals) {
    h.api.clearCalls();
    CommandResult refused = h.model.setShutdownLimit(c.text);
    EXPECT_EQ(refused.status, Status::Refused) << c.text;
    EXPECT_EQ(refused.message, c.message);
    EXPECT_TRUE(h.api.calls.empty()) << c.text;
  }
  EXPECT_EQ(h.model.setShutdownLimit(" 6553.5 ").status, Status::Done);
  EXPECT_EQ(h.api.commands().back().args, (std::vector<int64_t>{1, 0, 65535}));
}

TEST(Commands, ShutdownLimitChannelsOutsideTheLimitsAreRefused) {
  for (const char *channel : {"9", "0", "-3", "25"}) {
    ModelHarness h(DemoWith("stType=3\r\nstName=关闭温度\r\nstID=1", std::string("stType=3\r\nstName=关闭温度\r\nstID=") + channel));
    h.load();
    h.api.clearCalls();
    CommandResult r = h.model.setShutdownLimit("50");
    EXPECT_EQ(r.status, Status::Refused) << channel;
    EXPECT_EQ(r.message, std::string("通道 ") + channel + " 超出 1..8。");
    EXPECT_TRUE(h.api.calls.empty());
  }
}

TEST(Commands, ShutdownLimitUsesTheItemLastDecoded) {
  // Two shut-down items: channel 1 at gain 10, channel 2 at gain 1.
  ModelHarness h(DemoWith("[PLC0ItemStatus4]\r\nstType=2\r\nstName=报警温度\r\nstID=0\r\n",
                          "[PLC0ItemStatus4]\r\nstType=3\r\nstName=二号\r\nstID=2\r\nstParm3=1\r\n"));
  h.load();
  h.model.setShutdownLimit("54.5");
  EXPECT_EQ(h.api.commands().back().args, (std::vector<int64_t>{1, 0, 545}));  // no decode yet: the first

  h.model.decodeStatus(StatusReply({{24, 600}, {25, 70}}));
  EXPECT_EQ(h.model.shutdownRow(), 5);
  EXPECT_EQ(h.model.shutdownLimitInput().preset, "70");
  h.model.setShutdownLimit("54.5");
  EXPECT_EQ(h.api.commands().back().args, (std::vector<int64_t>{1, 1, 54}));  // 54.5 rounds to even

  // The remembered row belongs to controller 0 only.
  ASSERT_TRUE(h.model.selectController(1).ok());
  EXPECT_EQ(h.model.shutdownRow(), 0);
  EXPECT_EQ(h.model.setShutdownLimit("50").status, Status::Nothing);  // controller 1 has none
}

TEST(Commands, AlarmTemperatureIsWrittenAsAFloat) {
  struct Case {
    const char *text;
    double value;
    const char *line;
  } cases[] = {{"54.5", 54.5, "TemWarn=54.5\r\n"}, {"abc", 54, "TemWarn=54\r\n"}, {" 60 ", 60, "TemWarn=60\r\n"},
               {"inf", 54, "TemWarn=54\r\n"}};
  for (const Case &c : cases) {
    ModelHarness h;
    h.load();
    EXPECT_EQ(h.model.alarmTemperatureInput().label, "报警温度");
    EXPECT_EQ(h.model.alarmTemperatureInput().preset, "54");
    h.api.clearCalls();
    EXPECT_EQ(h.model.setAlarmTemperature(c.text).status, Status::Done) << c.text;
    EXPECT_EQ(h.model.alarmTemperature(), c.value);
    EXPECT_NE(ReadBytes(h.path).find(c.line), std::string::npos) << c.text;
    EXPECT_TRUE(h.api.calls.empty());  // nothing goes to the controller
  }
}

TEST(Commands, FailedWritesAreReported) {
  ModelHarness h;
  h.load();
  const std::string before = ReadBytes(h.path);
  platform::SetAtomicWriteFaultForTests(true);
  CommandResult alarm = h.model.setAlarmTemperature("60");
  CommandResult rename = h.model.renameDevice("新");
  TPlcParmArray edited = h.model.controllers();
  CommandResult link = h.model.applyLinkSettings(edited);
  platform::SetAtomicWriteFaultForTests(false);
  for (const CommandResult &r : {alarm, rename, link}) {
    EXPECT_EQ(r.status, Status::Failed);
    EXPECT_FALSE(r.message.empty());
  }
  EXPECT_EQ(h.model.devices()[0].Name, "左屏");
  EXPECT_EQ(ReadBytes(h.path), before);
}

TEST(Commands, RenameWritesTheKeyTheDeviceWasReadUnder) {
  const std::string ini = DemoWith("Name2=主屏\r\nPLC_ID2=1\r\nID2=0\r\n",
                                   "Name2=主屏\r\nPLC_ID2=1\r\nID2=0\r\nName3=副屏\r\nPLC_ID3=1\r\nID3=1\r\n");
  std::string file = ini;
  file.replace(file.find("[DeviceParms]\r\nCount=3"), 22, "[DeviceParms]\r\nCount=4");
  ModelHarness g(file);
  g.load();
  ASSERT_TRUE(g.model.selectController(1).ok());
  ASSERT_EQ(g.model.devices().size(), 2u);
  g.model.selectDevice(1);
  EXPECT_EQ(g.model.renameInput().label, "新名称");
  EXPECT_EQ(g.model.renameInput().preset, "副屏");
  const std::string before = ReadBytes(g.path);

  CommandResult refused = g.model.renameDevice("屏😀");
  EXPECT_EQ(refused.status, Status::Refused);
  EXPECT_EQ(refused.message, "名称含有无法保存的字符。");
  EXPECT_EQ(g.model.devices()[1].Name, "副屏");
  EXPECT_EQ(ReadBytes(g.path), before);

  g.changes = 0;
  ASSERT_EQ(g.model.renameDevice("新屏").status, Status::Done);
  EXPECT_EQ(g.model.devices()[1].Name, "新屏");
  EXPECT_TRUE(g.changes & kChangeDevices);
  std::string expected = before;
  expected.replace(expected.find(Gbk("Name3=副屏")), Gbk("Name3=副屏").size(), Gbk("Name3=新屏"));
  EXPECT_EQ(ReadBytes(g.path), expected);
}

TEST(Commands, LinkSettings) {
  ModelHarness h;
  h.load();
  h.api.answerRead(1, ModelHarness::Block(64, 75, {}));
  ASSERT_EQ(h.model.linkState(), LinkState::Online);
  h.api.clearCalls();
  TPlcParmArray edited = h.model.controllers();
  edited[0].Addr = 5;
  edited[1].ConnMode = 0;
  edited[1].Comm = 3;
  CommandResult r = h.model.applyLinkSettings(edited);
  EXPECT_EQ(r.status, Status::Done);
  EXPECT_EQ(h.model.linkState(), LinkState::Unknown);
  EXPECT_EQ(h.model.statusText(kPanelAction), "打开设备成功");
  EXPECT_EQ(h.api.callsNamed("PLC_CloseDev").size(), 1u);
  EXPECT_EQ(h.api.callsNamed("PLC_OpenDev").size(), 1u);
  EXPECT_EQ(h.api.callsNamed("CMD_Read").at(0).args, (std::vector<int64_t>{5, 64, 75}));
  const std::string text = ReadBytes(h.path);
  for (const char *line : {"Addr0=5\r\n", "ConnMode1=0\r\n", "Comm1=3\r\n", "Port1=6002\r\n", "IP0=127.0.0.1\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;

  h.model.cancelLinkSettings();
  EXPECT_EQ(h.model.linkState(), LinkState::Unknown);
}

TEST(Commands, LinkSettingsWithoutControllersOrDevices) {
  {
    ModelHarness h("[Parms]\r\nTemWarn=54\r\n");
    h.load();
    const std::string before = ReadBytes(h.path);
    h.api.clearCalls();
    EXPECT_EQ(h.model.applyLinkSettings({}).status, Status::Nothing);
    EXPECT_TRUE(h.api.calls.empty());
    EXPECT_EQ(ReadBytes(h.path), before);
  }
  {
    ModelHarness h(DemoWith("PLC_ID2=1", "PLC_ID2=0"));  // controller 1 without devices
    h.load();
    ASSERT_TRUE(h.model.selectController(1).ok());
    h.api.clearCalls();
    TPlcParmArray edited = h.model.controllers();
    edited[1].Addr = 9;
    EXPECT_EQ(h.model.applyLinkSettings(edited).status, Status::Done);
    EXPECT_TRUE(h.api.callsNamed("PLC_OpenDev").empty());
    EXPECT_FALSE(h.model.pollTimerRunning());
    EXPECT_NE(ReadBytes(h.path).find("Addr1=9\r\n"), std::string::npos);
  }
}

TEST(Commands, ControllerLinesAndShutdown) {
  ModelHarness h;
  h.load();
  EXPECT_EQ(h.model.controllerLines(), (std::vector<std::string>{"1号屏柜(1)", "2号屏柜(2)"}));
  EXPECT_TRUE(h.model.alarmTemperatureVisible());
  EXPECT_TRUE(h.model.shutdownLimitVisible());
  ASSERT_TRUE(h.model.selectController(1).ok());
  EXPECT_FALSE(h.model.alarmTemperatureVisible());
  EXPECT_FALSE(h.model.shutdownLimitVisible());
  h.model.shutdownLibrary();
  EXPECT_FALSE(h.model.pollTimerRunning());
  EXPECT_EQ(h.model.slot(), -1);
  EXPECT_EQ(h.api.calls.back().name, "PLC_Cleanup");
}

}  // namespace
}  // namespace morvit::testing
