// The power management model's link, poll cycle, notices and decodes, on the
// fake link library.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>

#include "tests/display_app/model/model_fixture.h"

namespace morvit::testing {
namespace {

using Reads = std::vector<std::pair<int64_t, int64_t>>;

// The blocks read so far: (first register, count) of every CMD_Read.
Reads ReadsOf(const tarnex_client::testing::FakePlcApi &api) {
  Reads reads;
  for (const tarnex_client::testing::FakeCall &call : api.callsNamed("CMD_Read")) reads.emplace_back(call.args[1], call.args[2]);
  return reads;
}

std::vector<uint16_t> Plan(std::initializer_list<std::pair<int, uint16_t>> v) { return ModelHarness::Block(64, 75, v); }
std::vector<uint16_t> Status(std::initializer_list<std::pair<int, uint16_t>> v) { return ModelHarness::Block(0, 64, v); }
std::vector<uint16_t> ClockBlock(std::initializer_list<std::pair<int, uint16_t>> v) {
  return ModelHarness::Block(140, 8, v);
}

PlcReply ReplyOf(const std::vector<uint16_t> &words) {
  PlcReply reply{};
  reply.address = 1;
  reply.function = 3;
  reply.count = static_cast<uint16_t>(words.size());
  for (size_t k = 0; k < words.size(); ++k) reply.data[k] = words[k];
  return reply;
}

// One controller (address 1, network) with one device of `outputs` outputs
// and the given item sections ("stType=..\r\n..." each).
std::string OneController(const std::vector<std::string> &items, int outputs = 2, const std::string &parms = "") {
  std::string ini = "[Parms]\r\n" + parms +
                    "[PLCParms]\r\nCount=1\r\nName0=柜\r\nAddr0=1\r\nConnMode0=1\r\nIP0=127.0.0.1\r\nPort0=6001\r\n"
                    "[DeviceParms]\r\nCount=1\r\nName0=屏\r\nPLC_ID0=0\r\nID0=0\r\n"
                    "[DoParms]\r\nCount=" + std::to_string(outputs) + "\r\n";
  for (int k = 0; k < outputs; ++k) {
    const std::string n = std::to_string(k);
    ini += "PLC_ID" + n + "=0\r\nLC_ID" + n + "=0\r\nOutput" + n + "=" + n + "\r\n";
  }
  ini += "[PLC0]\r\nCount=" + std::to_string(items.size()) + "\r\n";
  for (size_t j = 0; j < items.size(); ++j) ini += "[PLC0ItemStatus" + std::to_string(j) + "]\r\n" + items[j];
  return ini;
}

TEST(Poll, OpenReadsThePlanThenStatusAndClockAlternate) {
  ModelHarness h;
  h.load();
  const auto opens = h.api.callsNamed("PLC_OpenDev");
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].args, (std::vector<int64_t>{(1 << 16) | 2, 9600, 0}));  // UDP, the test's port seam
  EXPECT_EQ(h.api.callsNamed("PLC_SetNotify").at(0).args.at(1), PlcNotifyMessage);
  EXPECT_EQ(ReadsOf(h.api), (Reads{{64, 75}}));
  const auto sends = h.api.callsNamed("PLC_Send");
  ASSERT_EQ(sends.size(), 1u);
  EXPECT_EQ(sends[0].host, "127.0.0.1");
  EXPECT_EQ(sends[0].args, (std::vector<int64_t>{0, 6001}));
  EXPECT_EQ(h.model.statusText(kPanelAction), "打开设备成功");
  EXPECT_TRUE(h.model.pollTimerRunning());
  EXPECT_TRUE(h.model.flashTimerRunning());
  EXPECT_TRUE(h.model.enabled(Control::PowerOn));
  EXPECT_TRUE(h.model.enabled(Control::MenuPowerOff));

  h.api.answerRead(1, Plan({}));
  EXPECT_EQ(h.model.statusText(kPanelLink), "在线");
  EXPECT_EQ(h.model.statusText(kPanelAction), "完成");
  for (int i = 0; i < 3; ++i) {
    h.model.tick();
    const int64_t first = ReadsOf(h.api).back().first;
    h.api.answerRead(1, first == 0 ? Status({}) : ClockBlock({}));
  }
  EXPECT_EQ(ReadsOf(h.api), (Reads{{64, 75}, {0, 64}, {140, 8}, {0, 64}}));
  EXPECT_EQ(h.model.linkState(), LinkState::Online);
}

TEST(Poll, NothingIsReadWhileAFrameIsQueued) {
  ModelHarness h;
  h.load();
  ASSERT_EQ(h.model.powerOn().status, CommandResult::Status::Done);  // queued behind the plan read
  h.api.answerRead(1, Plan({{64, 3}}));
  EXPECT_FALSE(h.model.timePlanChecked());  // a command came after the read: not decoded
  h.api.clearCalls();
  h.model.tick();
  EXPECT_TRUE(ReadsOf(h.api).empty());
  ASSERT_EQ(h.api.callsNamed("PLC_Send").size(), 1u);
  ASSERT_TRUE(h.api.running);
  EXPECT_EQ(h.api.running->command.name, "CMD_PowerOnLC");
}

TEST(Poll, TwoTimeOutsGoOfflineAndOnlyTheClockIsRead) {
  ModelHarness h;
  h.load();
  // A time-out before any reply counts (the reply record still reads address 0).
  h.api.finish(PlcResultTimeOut);
  EXPECT_EQ(h.model.statusText(kPanelAction), "超时");
  EXPECT_EQ(h.model.timeoutCount(), 1);
  h.model.tick();
  h.api.answerRead(1, Plan({}));
  h.model.tick();
  h.api.answerRead(1, Status({{1, 1}}));
  EXPECT_EQ(h.model.statusText(kPanelMode), "Auto");

  h.model.tick();
  h.api.finish(PlcResultTimeOut);
  EXPECT_EQ(h.model.linkState(), LinkState::Online);
  h.model.tick();
  h.api.finish(PlcResultTimeOut);
  EXPECT_EQ(h.model.linkState(), LinkState::Offline);
  EXPECT_EQ(h.model.statusText(kPanelMode), "");
  EXPECT_EQ(h.model.statusText(kPanelLink), "离线");
  EXPECT_TRUE(h.model.statusAlert(kPanelLink));

  // The link blinks "离线" and only the clock is read.
  h.model.flashTick();
  EXPECT_EQ(h.model.statusText(kPanelLink), "");
  h.model.flashTick();
  EXPECT_EQ(h.model.statusText(kPanelLink), "离线");
  h.api.clearCalls();
  for (int i = 0; i < 3; ++i) {
    h.model.tick();
    h.api.finish(PlcResultTimeOut);
  }
  EXPECT_EQ(ReadsOf(h.api), (Reads{{140, 8}, {140, 8}, {140, 8}}));

  // A clock reply brings it back, and the plan is read next.
  h.model.tick();
  h.api.answerRead(1, ClockBlock({{140, 2024}, {141, 3}, {142, 5}, {145, 14}, {146, 7}}));
  EXPECT_EQ(h.model.statusText(kPanelLink), "在线");
  EXPECT_EQ(h.model.statusText(kPanelClock), "2024-03-05 14:07");
  EXPECT_EQ(h.model.linkState(), LinkState::Online);
  h.model.flashTick();
  EXPECT_EQ(h.model.statusText(kPanelLink), "在线");
  h.model.tick();
  EXPECT_EQ(ReadsOf(h.api).back(), (std::pair<int64_t, int64_t>{64, 75}));
}

TEST(Poll, RepliesThatDoNotFit) {
  {
    // Another address or function: the library says 20.
    ModelHarness h;
    h.load();
    h.api.answerRead(2, Plan({{64, 3}}));
    EXPECT_EQ(h.model.statusText(kPanelAction), "数据错误");
    EXPECT_EQ(h.model.statusText(kPanelLink), "在线");
    EXPECT_EQ(h.model.linkState(), LinkState::Online);
    EXPECT_FALSE(h.model.timePlanChecked());
  }
  {
    // A reply of another length is not the block asked for.
    ModelHarness h;
    h.load();
    h.api.answerRead(1, Status({{0, 3}}));
    EXPECT_EQ(h.model.statusText(kPanelAction), "数据错误");
    EXPECT_EQ(h.model.linkState(), LinkState::Online);
    EXPECT_FALSE(h.model.timePlanChecked());
    EXPECT_EQ(h.model.pollPhase(), PollPhase::Plan);
  }
  {
    // A reply of another controller reported as done is ignored.
    ModelHarness h;
    h.load();
    h.api.reply = ReplyOf(Plan({{64, 3}}));
    h.api.reply.address = 2;
    h.api.finish(PlcResultDone);
    EXPECT_EQ(h.model.statusText(kPanelAction), "打开设备成功");
    EXPECT_EQ(h.model.linkState(), LinkState::Unknown);
    EXPECT_FALSE(h.model.timePlanChecked());
  }
  {
    // Result 0 (a closed link) changes nothing.
    ModelHarness h;
    h.load();
    h.api.finish(PlcResultBadSlot);
    EXPECT_EQ(h.model.statusText(kPanelAction), "打开设备成功");
    EXPECT_EQ(h.model.timeoutCount(), 0);
  }
}

TEST(Poll, AddressesCompareOnTheirLowEightBits) {
  std::string ini = kDemoIni;
  ini.replace(ini.find("Addr0=1\r\n"), 9, "Addr0=300\r\n");
  ModelHarness h(ini);
  h.load();
  EXPECT_EQ(h.api.callsNamed("CMD_Read").at(0).args.at(0), 300);
  h.api.answerRead(44, Plan({{64, 3}}));
  EXPECT_EQ(h.model.statusText(kPanelAction), "完成");
  EXPECT_TRUE(h.model.timePlanChecked());
}

TEST(Poll, NoticesOfAnEarlierLinkAreIgnored) {
  // Both controllers answer to address 1: only the link tells them apart.
  std::string ini = kDemoIni;
  ini.replace(ini.find("Addr1=2"), 7, "Addr1=1");
  ModelHarness h(ini);
  h.load();
  const uint64_t first = h.model.generation();
  ASSERT_TRUE(h.model.selectController(1).ok());  // the plan read of controller 0 still runs
  EXPECT_GT(h.model.generation(), first);
  EXPECT_EQ(h.api.callsNamed("PLC_Send").back().args.at(1), 6002);

  h.api.answerRead(1, Plan({{64, 3}}));
  EXPECT_FALSE(h.model.timePlanChecked());
  EXPECT_EQ(h.model.statusText(kPanelLink), "");
  EXPECT_EQ(h.model.linkState(), LinkState::Unknown);

  // The new link's own reply counts.
  h.model.tick();
  ASSERT_TRUE(h.api.running);
  EXPECT_EQ(h.api.running->command.args, (std::vector<int64_t>{1, 64, 75}));
  EXPECT_EQ(h.api.running->port, 6002);
  h.api.answerRead(1, Plan({{64, 1}}));
  EXPECT_TRUE(h.model.timePlanChecked());
  EXPECT_EQ(h.model.statusText(kPanelLink), "在线");
}

TEST(Poll, ReopeningStartsAfresh) {
  ModelHarness h;
  h.load();
  h.api.answerRead(1, Plan({}));
  h.model.tick();
  h.api.answerRead(1, Status({{16, 600}, {0, 4}}));  // 60.0 at alarm 54, smoke fault 4
  ASSERT_EQ(h.model.measuredRow(), 3);
  ASSERT_EQ(h.model.errorRow(), 1);
  h.model.tick();
  h.api.finish(PlcResultTimeOut);
  h.model.tick();
  h.api.finish(PlcResultTimeOut);
  ASSERT_EQ(h.model.linkState(), LinkState::Offline);

  ASSERT_TRUE(h.model.selectController(1).ok());
  EXPECT_EQ(h.model.linkState(), LinkState::Unknown);
  EXPECT_EQ(h.model.timeoutCount(), 0);
  EXPECT_EQ(h.model.lastReadPhase(), PollPhase::Plan);
  EXPECT_EQ(h.model.measuredRow(), 0);
  EXPECT_EQ(h.model.errorRow(), 0);
  EXPECT_EQ(h.model.statusText(kPanelClock), "");
  EXPECT_EQ(ReadsOf(h.api).back(), (std::pair<int64_t, int64_t>{64, 75}));
  for (int i = 0; i < 3; ++i) {
    h.model.flashTick();
    EXPECT_EQ(h.model.statusText(kPanelLink), "");
    EXPECT_EQ(h.model.gridText(1, 2), "");
  }
}

TEST(Poll, FailedOpenDisablesEveryCommand) {
  ModelHarness h(kDemoIni, -1);
  h.load();
  EXPECT_EQ(h.model.statusText(kPanelAction), "打开设备失败");
  EXPECT_EQ(h.model.pollPhase(), PollPhase::None);
  EXPECT_FALSE(h.model.pollTimerRunning());
  EXPECT_FALSE(h.model.flashTimerRunning());
  for (Control c : {Control::PowerOn, Control::PowerOff, Control::TimeAdjust, Control::TemLimit, Control::TemWarn,
                    Control::TimePlan, Control::WeekDay, Control::MenuPowerOn, Control::MenuPowerOff}) {
    EXPECT_FALSE(h.model.enabled(c)) << static_cast<int>(c);
  }
  EXPECT_TRUE(ReadsOf(h.api).empty());
}

// A failed open says when another program holds the configured local UDP
// port, or why the serial port (COM1 in the file) does not open; every
// other failure keeps the plain text.
TEST(Poll, FailedOpenSaysWhy) {
  using tarnex_client::SerialFault;
  using tarnex_client::SerialPortProblem;
  struct Case {
    const char *what;
    int32_t localPort;
    bool taken;
    bool network;
    const char *text;
    SerialPortProblem com1{};
  } cases[] = {
      {"port held", 8889, true, true, "打开设备失败（本地端口 8889 已被占用）"},
      {"another port held", 7001, true, true, "打开设备失败（本地端口 7001 已被占用）"},
      {"port free", 8889, false, true, "打开设备失败"},
      {"any free port", 0, true, true, "打开设备失败"},
      {"serial link", 8889, true, false, "打开设备失败"},
      {"serial device gone", 8889, false, false, "打开设备失败（/dev/ttyS0 不存在）",
       {SerialFault::Missing, "/dev/ttyS0", ""}},
      {"serial device not allowed", 8889, false, false, "打开设备失败（/dev/ttyUSB0 无权限，请加入 dialout 组）",
       {SerialFault::NoPermission, "/dev/ttyUSB0", "dialout"}},
      {"serial device held", 8889, false, false, "打开设备失败（/dev/ttyUSB0 被其他程序占用）",
       {SerialFault::Busy, "/dev/ttyUSB0", ""}},
      {"network link, serial port gone", 8889, false, true, "打开设备失败", {SerialFault::Missing, "/dev/ttyS0", ""}},
  };
  for (const Case &c : cases) {
    testsupport::TempDir dir;
    const std::string path = (dir / "User.ini").string();
    std::string ini = kDemoIni;
    if (!c.network) ini.replace(ini.find("ConnMode0=1"), 11, "ConnMode0=0");
    WriteBytes(path, Gbk(ini));
    tarnex_client::testing::FakePlcApi api;
    api.openResult = -1;
    if (c.taken) api.takenPorts.insert(c.localPort);
    api.serialProblems[1] = c.com1;
    PowerManagementModel model(api, tarnex_client::PlcLinkSettings{c.localPort, 9600});
    ASSERT_TRUE(model.loadControllers(path).ok());
    EXPECT_EQ(model.statusText(kPanelAction), c.text) << c.what;
    EXPECT_FALSE(model.enabled(Control::PowerOn)) << c.what;
  }
}

TEST(Poll, ControllerWithoutDevicesStaysClosed) {
  std::string ini = kDemoIni;
  ini.replace(ini.find("PLC_ID2=1"), 9, "PLC_ID2=0");  // controller 1 loses its only device
  ModelHarness g(ini);
  g.load();
  ASSERT_TRUE(g.model.selectController(1).ok());
  EXPECT_TRUE(g.model.devices().empty());
  EXPECT_EQ(g.model.selectedDevice(), -1);
  EXPECT_EQ(g.model.slot(), -1);
  EXPECT_EQ(g.model.pollPhase(), PollPhase::None);
  EXPECT_FALSE(g.model.pollTimerRunning());
  EXPECT_FALSE(g.model.enabled(Control::PowerOn));
  for (int panel : {kPanelLink, kPanelMode, kPanelAction}) EXPECT_EQ(g.model.statusText(panel), "") << panel;
  g.model.tick();
  EXPECT_EQ(g.api.callsNamed("PLC_OpenDev").size(), 1u);  // only controller 0's
}

// Address 0 is the broadcast on the controllers' line: nothing answers a
// read there, so the view does not poll it and says so.
TEST(Poll, AControllerAtAddressZeroIsNotPolledAndTheViewSaysWhy) {
  const char *kWhy = "地址 0 是广播地址，不轮询";
  for (const char *addr : {"Addr0=0", "Addr0=256"}) {
    SCOPED_TRACE(addr);
    std::string ini = kDemoIni;
    ini.replace(ini.find("Addr0=1"), 7, addr);
    ModelHarness h(ini);
    h.load();
    EXPECT_EQ(h.model.statusText(kPanelAction), kWhy);
    EXPECT_TRUE(h.api.callsNamed("PLC_OpenDev").empty());
    EXPECT_EQ(h.model.pollPhase(), PollPhase::None);
    EXPECT_FALSE(h.model.pollTimerRunning());
    EXPECT_FALSE(h.model.enabled(Control::PowerOn));
    h.model.tick();
    EXPECT_TRUE(h.api.commands().empty());

    // Another controller polls as before; coming back says why again.
    ASSERT_TRUE(h.model.selectController(1).ok());
    EXPECT_EQ(h.model.statusText(kPanelAction), "打开设备成功");
    ASSERT_TRUE(h.model.selectController(0).ok());
    EXPECT_EQ(h.model.statusText(kPanelAction), kWhy);
    EXPECT_EQ(h.model.slot(), -1);
    EXPECT_FALSE(h.model.pollTimerRunning());
  }

  // Without devices the reason is the same.
  std::string ini = kDemoIni;
  ini.replace(ini.find("Addr1=2"), 7, "Addr1=0");
  ini.replace(ini.find("PLC_ID2=1"), 9, "PLC_ID2=0");
  ModelHarness g(ini);
  g.load();
  ASSERT_TRUE(g.model.selectController(1).ok());
  EXPECT_EQ(g.model.statusText(kPanelAction), kWhy);
}

TEST(Poll, TheLinkDialogMovingAControllerToOrFromAddressZeroStopsOrStartsThePoll) {
  ModelHarness h;
  h.load();
  TPlcParmArray edited = h.model.controllers();
  edited[0].Addr = 0;
  h.model.applyLinkSettings(edited);
  EXPECT_EQ(h.model.statusText(kPanelAction), "地址 0 是广播地址，不轮询");
  EXPECT_EQ(h.model.slot(), -1);
  EXPECT_FALSE(h.model.pollTimerRunning());
  EXPECT_FALSE(h.model.enabled(Control::PowerOn));

  edited[0].Addr = 3;
  h.model.applyLinkSettings(edited);
  EXPECT_EQ(h.model.statusText(kPanelAction), "打开设备成功");
  EXPECT_NE(h.model.slot(), -1);
  EXPECT_TRUE(h.model.pollTimerRunning());
  EXPECT_EQ(h.api.callsNamed("CMD_Read").back().args.at(0), 3);
}

TEST(Poll, SwitchingToAControllerWithoutDevicesDropsTheOldLinksNotices) {
  std::string ini = kDemoIni;
  ini.replace(ini.find("PLC_ID2=1"), 9, "PLC_ID2=0");  // controller 1 has no device
  ini.replace(ini.find("Addr1=2"), 7, "Addr1=1");      // and answers to the same address
  ModelHarness h(ini);
  h.load();
  h.api.answerRead(1, Plan({}));
  h.model.tick();
  h.api.answerRead(1, Status({}));
  h.model.tick();
  h.api.answerRead(1, ClockBlock({{140, 2024}, {141, 3}, {142, 5}}));
  ASSERT_EQ(h.model.statusText(kPanelClock), "2024-03-05 00:00");
  h.model.tick();  // controller 0's status read is on its way
  ASSERT_TRUE(h.api.running);
  ASSERT_TRUE(h.model.selectController(1).ok());
  EXPECT_EQ(h.model.statusText(kPanelClock), "");  // no clock of the old controller

  // Its reply arrives after the switch: nothing of it is shown.
  h.api.answerRead(1, Status({{1, 1}}));
  EXPECT_EQ(h.model.linkState(), LinkState::Unknown);
  for (int panel : {kPanelLink, kPanelMode, kPanelAction, kPanelClock}) EXPECT_EQ(h.model.statusText(panel), "") << panel;
}

// --- decodes ---

TEST(DecodePlan, EnableRegisterChecksTheBoxAndTheButton) {
  struct Case {
    uint16_t reg64;
    bool checked;
  } cases[] = {{3, true}, {1, true}, {2, true}, {0, false}, {4, false}, {0xFFFF, false}};
  for (const Case &c : cases) {
    ModelHarness h;
    h.load();
    h.model.decodePlan(ReplyOf(Plan({{64, c.reg64}})));
    EXPECT_EQ(h.model.timePlanChecked(), c.checked) << c.reg64;
    EXPECT_EQ(h.model.enabled(Control::WeekDay), c.checked) << c.reg64;
    EXPECT_EQ(h.model.pollPhase(), PollPhase::Status);
  }
}

TEST(DecodePlan, EnableBitsAndTimes) {
  ModelHarness h;
  h.load();
  h.model.decodePlan(ReplyOf(Plan({{81, 0x0001}, {82, 0x0800}})));
  for (int day = 0; day < 7; ++day) {
    for (int period = 0; period < 4; ++period) {
      const bool expect = (day == 0 && period == 0) || (day == 6 && period == 3);
      EXPECT_EQ(h.model.weekPlan().enabled(day, period), expect) << day << " " << period;
    }
  }

  std::initializer_list<std::pair<int, uint16_t>> all{};
  std::vector<uint16_t> first = Plan(all);
  for (int reg = 83; reg <= 138; ++reg) first[static_cast<size_t>(reg - 64)] = 0x0102;  // 01:02
  h.model.decodePlan(ReplyOf(first));
  std::vector<uint16_t> second = Plan(all);
  for (int reg = 83; reg <= 138; ++reg) second[static_cast<size_t>(reg - 64)] = 0x0715;  // 07:21
  second[91 - 64] = 0x0708;  // Monday on 1
  second[92 - 64] = 0x1E00;  // Monday off 1: hour 30 ends Monday
  second[99 - 64] = 0x0910;  // Tuesday on 1
  second[138 - 64] = 0x173B; // Saturday off 4: 23:59
  h.model.decodePlan(ReplyOf(second));
  const WeekPlan &plan = h.model.weekPlan();
  EXPECT_EQ(plan.onTime(1, 0), (PlanTime{7, 8}));
  EXPECT_EQ(plan.offTime(1, 0), (PlanTime{1, 2}));
  EXPECT_EQ(plan.offTime(1, 3), (PlanTime{1, 2}));
  EXPECT_EQ(plan.onTime(2, 0), (PlanTime{9, 16}));
  EXPECT_EQ(plan.onTime(0, 0), (PlanTime{7, 21}));
  EXPECT_EQ(plan.offTime(6, 3), (PlanTime{23, 59}));
  EXPECT_EQ(plan.onTime(6, 3), (PlanTime{7, 21}));
}

TEST(DecodeStatus, ItemTextsByTypeAndPrecision) {
  // Raw 241 at gain 4 is 60.25; the alarm temperature is 54.5.
  struct Case {
    const char *item;
    std::pair<int, uint16_t> reg;
    const char *expect[4];  // precision 0, 1, 2, 5
  } cases[] = {
      {"stType=1\r\nstID=0\r\n", {0, 5}, {"5", "5", "5", "5"}},
      {"stType=2\r\n", {0, 0}, {"54℃", "54.5℃", "54.50℃", ""}},
      {"stType=3\r\nstID=2\r\nstParm3=4\r\n", {25, 241}, {"60℃", "60.3℃", "60.25℃", ""}},
      {"stType=4\r\nstID=3\r\n", {2, 1}, {"1", "1", "1", "1"}},
      {"stType=5\r\nstID=2\r\nstParm3=4\r\n", {17, 241}, {"60℃", "60.3℃", "60.25℃", ""}},
      {"stType=6\r\nstID=1\r\nstParm3=4\r\n", {16, 241}, {"60℃", "60.3℃", "60.25℃", ""}},
      {"stType=7\r\nstID=8\r\nstParm3=4\r\n", {23, 241}, {"60", "60.3", "60.25", ""}},
  };
  const int precisions[] = {0, 1, 2, 5};
  for (const Case &c : cases) {
    for (int p = 0; p < 4; ++p) {
      ModelHarness h(OneController({std::string(c.item) + "stPrecision=" + std::to_string(precisions[p]) + "\r\n"}, 2,
                                   "TemWarn=54.5\r\n"));
      h.load();
      h.model.decodeStatus(ReplyOf(Status({c.reg})));
      EXPECT_EQ(h.model.gridText(1, 2), c.expect[p]) << c.item << " precision " << precisions[p];
      EXPECT_EQ(h.model.statusItems().at(0).ValueText, c.expect[p]);
    }
  }
}

// Mains power (a digital input) reads "关" only from a measured 0: before
// the first reply, with a link that did not open and offline before any
// reply, its cell is empty and draws nothing.
TEST(DecodeStatus, UnmeasuredDigitalInputIsEmpty) {
  const std::string ini = OneController({"stType=4\r\nstID=3\r\n"});
  const GridCell empty{"", CellStyle::Text};
  {
    ModelHarness h(ini);
    h.load();
    EXPECT_EQ(h.model.gridCell(1), empty) << "before the first reply";
    h.api.finish(PlcResultTimeOut);
    h.model.tick();
    h.api.finish(PlcResultTimeOut);
    ASSERT_EQ(h.model.linkState(), LinkState::Offline);
    EXPECT_EQ(h.model.gridCell(1), empty) << "offline";
  }
  {
    ModelHarness h(ini, -1);
    h.load();
    EXPECT_EQ(h.model.gridCell(1), empty) << "open failed";
  }
  ModelHarness h(ini);
  h.load();
  h.model.decodeStatus(ReplyOf(Status({{2, 0}})));
  EXPECT_EQ(h.model.gridCell(1), (GridCell{"关", CellStyle::SwitchOff}));
}

TEST(DecodeStatus, CellStyles) {
  ModelHarness h(OneController({"stType=1\r\n", "stType=4\r\nstID=3\r\n", "stType=4\r\nstID=4\r\n"}));
  h.load();
  EXPECT_EQ(h.model.gridText(0, 1), "监视量名称");
  EXPECT_EQ(h.model.gridCell(0).text, "监视量值");
  EXPECT_EQ(h.model.gridCell(1).text, "");  // smoke not read yet
  h.model.decodeStatus(ReplyOf(Status({{0, 0}, {1, 0}, {2, 1}, {3, 0}})));
  EXPECT_EQ(h.model.gridCell(1).style, CellStyle::Normal);
  EXPECT_EQ(h.model.gridCell(1).text, "正常");
  EXPECT_EQ(h.model.gridCell(2).style, CellStyle::SwitchOn);
  EXPECT_EQ(h.model.gridCell(2).text, "开");
  EXPECT_EQ(h.model.gridCell(3).style, CellStyle::SwitchOff);
  EXPECT_EQ(h.model.gridCell(3).text, "关");
  EXPECT_EQ(h.model.statusText(kPanelMode), "Manual");
  EXPECT_TRUE(h.model.statusAlert(kPanelMode));
  h.model.decodeStatus(ReplyOf(Status({{0, 7}, {1, 9}})));
  EXPECT_EQ(h.model.gridCell(1).style, CellStyle::Fault);
  EXPECT_EQ(h.model.gridCell(1).text, "错误");
  EXPECT_EQ(h.model.statusText(kPanelMode), "Auto");
  EXPECT_FALSE(h.model.statusAlert(kPanelMode));
  // A smoke fault blinks: the cell alternates with empty.
  h.model.flashTick();
  const std::string a = h.model.gridText(1, 2);
  h.model.flashTick();
  const std::string b = h.model.gridText(1, 2);
  EXPECT_EQ(std::min(a, b), "");
  EXPECT_EQ(std::max(a, b), "7");
}

TEST(DecodeStatus, MeasuredTemperatureBlinksAtTheAlarm) {
  struct Case {
    const char *alarm;
    bool blinks;
  } cases[] = {{"TemWarn=54\r\n", true}, {"TemWarn=60\r\n", true}, {"TemWarn=60.5\r\n", false}};
  for (const Case &c : cases) {
    ModelHarness h(OneController({"stType=6\r\nstID=1\r\nstPrecision=1\r\nstParm3=1\r\n"}, 2, c.alarm));
    h.load();
    h.model.decodeStatus(ReplyOf(Status({{16, 60}})));
    EXPECT_EQ(h.model.gridText(1, 2), "60.0℃");
    EXPECT_EQ(h.model.gridCell(1).style, c.blinks ? CellStyle::Alarm : CellStyle::Text) << c.alarm;
    std::set<std::string> seen;
    for (int i = 0; i < 4; ++i) {
      h.model.flashTick();
      seen.insert(h.model.gridText(1, 2));
    }
    EXPECT_EQ(seen, c.blinks ? (std::set<std::string>{"", "60.0℃"}) : (std::set<std::string>{"60.0℃"})) << c.alarm;
  }
}

TEST(DecodeStatus, ChannelsOutsideTheBlockLeaveTheTextAlone) {
  ModelHarness h(OneController({"stType=4\r\nstID=0\r\n", "stType=5\r\nstID=60\r\nstParm3=1\r\n",
                                "stType=3\r\nstID=41\r\nstParm3=1\r\n", "stType=6\r\nstID=2147483647\r\nstParm3=1\r\n",
                                "stType=7\r\nstID=-2147483648\r\nstParm3=1\r\n", "stType=7\r\nstID=0\r\nstParm3=0\r\n"}));
  h.load();
  h.model.decodeStatus(ReplyOf(Status({{15, 9}})));
  for (int row = 1; row <= 5; ++row) EXPECT_EQ(h.model.gridText(row, 2), "") << row;
  EXPECT_EQ(h.model.shutdownRow(), 0);
  EXPECT_EQ(h.model.measuredRow(), 0);
  EXPECT_EQ(h.model.gridText(6, 2), "0");  // channel 0 of an AI is register 15; gain 0 gives 0
}

TEST(DecodeStatus, OutputStatesFromRegisters) {
  ModelHarness h;
  h.load();
  h.model.decodeStatus(ReplyOf(Status({{32, 0}, {33, 1}, {34, 2}, {35, 0}})));
  const auto &devices = h.model.devices();
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[0].Outputs[0].State, 1);
  EXPECT_EQ(devices[0].Outputs[1].State, 0);
  EXPECT_EQ(devices[1].Outputs[0].State, 0);  // register 2: off, not 65535
  EXPECT_EQ(devices[1].Outputs[1].State, 1);
  const auto cells = h.model.deviceCells(0, 50);
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_TRUE(cells[0].on);
  EXPECT_FALSE(cells[1].on);
}

TEST(DecodeClock, ZeroPaddedText) {
  ModelHarness h;
  h.load();
  h.model.decodeClock(ReplyOf(ClockBlock({{140, 2024}, {141, 3}, {142, 5}, {143, 2}, {145, 14}, {146, 7}, {147, 9}})));
  EXPECT_EQ(h.model.statusText(kPanelClock), "2024-03-05 14:07");
  h.model.decodeClock(ReplyOf(ClockBlock({{140, 5}, {141, 1}, {142, 2}, {145, 3}, {146, 4}})));
  EXPECT_EQ(h.model.statusText(kPanelClock), "0005-01-02 03:04");
}

TEST(DevicePicture, CellsSplitTheWidth) {
  ModelHarness h(OneController({}, 3));
  h.load();
  const auto cells = h.model.deviceCells(0, 100);
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0].x0, 0);
  EXPECT_EQ(cells[0].x1, 33);
  EXPECT_EQ(cells[1].x0, 33);
  EXPECT_EQ(cells[1].x1, 66);
  EXPECT_EQ(cells[2].x0, 66);
  EXPECT_EQ(cells[2].x1, 100);

  ModelHarness none(OneController({}, 0));
  none.load();
  const auto strip = none.model.deviceCells(0, 80);
  ASSERT_EQ(strip.size(), 1u);
  EXPECT_EQ(strip[0].x0, 0);
  EXPECT_EQ(strip[0].x1, 80);
  EXPECT_FALSE(strip[0].on);
  EXPECT_TRUE(none.model.deviceCells(1, 80).empty());
}

TEST(DevicePanels, Selection) {
  ModelHarness h;
  h.load();
  EXPECT_EQ(h.model.selectedDevice(), 0);
  EXPECT_EQ(h.model.bevelWidth(0), 3);
  EXPECT_EQ(h.model.bevelWidth(1), 1);
  h.model.selectDevice(1);
  EXPECT_EQ(h.model.bevelWidth(0), 1);
  EXPECT_EQ(h.model.bevelWidth(1), 3);
  h.model.selectDevice(7);
  EXPECT_EQ(h.model.selectedDevice(), 1);
}

}  // namespace
}  // namespace morvit::testing
