// Every command export through the simulator on both links: the exact text
// on the wire, the completion notice and what the controller then holds.
#include <array>
#include <functional>
#include <vector>

#include "plc_register_map.h"
#include "tests/controller_comm/link_fixture.h"

namespace linktest {
namespace {

class LinkExports : public LinkTest {};

TEST_P(LinkExports, ReadsReturnTheControllersRegisters) {
  // Values that differ from their neighbours, so a shifted block shows.
  for (int reg = 0; reg < 139; ++reg) {
    if (!plc::kBlockClock.contains(reg)) sim_.setReg(reg, static_cast<uint16_t>(0x1000 + reg * 7));
  }
  struct Case {
    int first, count;
    const char *wire;
  };
  const Case cases[] = {
      {0, 64, ":010300000040BC"},
      {64, 75, ":01030040004B71"},
      {140, 8, ":0103008C000868"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.wire);
    ASSERT_EQ(CMD_Read(1, c.first, c.count), 1);
    const Notice notice = exchange();
    EXPECT_EQ(notice.function, 3);
    EXPECT_EQ(notice.result, PlcResultDone);
    EXPECT_EQ(nextRx(), c.wire);
    EXPECT_EQ(notice.reply.address, 1);
    EXPECT_EQ(notice.reply.function, 3);
    ASSERT_EQ(notice.reply.count, c.count);
    for (int k = 0; k < c.count; ++k) {
      const int reg = c.first + k;
      // The clock runs: compare its date fields only.
      if (reg >= plc::kRegClockHour && reg <= plc::kRegClockSecond) continue;
      EXPECT_EQ(notice.reply.data[k], sim_.reg(reg)) << "register " << reg;
    }
  }
  EXPECT_EQ(PLC_GetCmdCount(), 0);
}

TEST_P(LinkExports, WeeklyPlanWrite) {
  std::array<uint16_t, 58> plan;
  for (size_t i = 0; i < plan.size(); ++i) plan[i] = static_cast<uint16_t>(0xA000 + 37 * i);
  ASSERT_EQ(CMD_Write(1, plc::kBlockPlanWrite.first, plan.data(), 58), 1);
  const Notice notice = exchange();
  EXPECT_EQ(notice.function, 16);
  EXPECT_EQ(notice.result, PlcResultDone);
  const std::string wire = nextRx();
  EXPECT_EQ(wire.size() + 2, 249u) << "249 characters with CR LF";
  EXPECT_EQ(wire.substr(0, 13), ":01100051003A");
  for (size_t i = 0; i < plan.size(); ++i) EXPECT_EQ(sim_.reg(81 + static_cast<int>(i)), plan[i]) << i;
  EXPECT_EQ(notice.reply.firstRegister, 81);
  EXPECT_EQ(notice.reply.data[0], 58);
}

TEST_P(LinkExports, RegisterCommands) {
  const uint16_t logic[10][3] = {{17, 3, 300}, {15, 15, 255}, {15, 15, 255}, {15, 15, 255}, {15, 15, 255},
                                 {15, 15, 255}, {15, 15, 255}, {15, 15, 255}, {15, 15, 255}, {15, 15, 255}};
  // Device 0 switches output 3.
  sim_.setReg(plc::kRegLogicFirst, plc::PackLogicWord(0, 3, 0));

  struct Case {
    const char *what;
    std::function<int32_t()> command;
    std::string wire;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"temperature limit", [] { return CMD_SetTemLimit(1, 55); }, ":011000200001003797",
       [&] { EXPECT_EQ(sim_.reg(32), 55); }},
      {"humidity limit", [] { return CMD_SetHumLimit(1, 70); }, ":011000210001004687",
       [&] { EXPECT_EQ(sim_.reg(33), 70); }},
      {"analogue limit", [] { return CMD_SetAW(1, 2, 600); }, ":0110001A000102587A",
       [&] { EXPECT_EQ(sim_.reg(26), 600); }},
      {"plan switch", [] { return CMD_SetTimerEnable(1, 3); }, ":0110004000010003AB",
       [&] { EXPECT_EQ(sim_.reg(64), 3); }},
      {"clock setting",
       [] { return CMD_SetTimeCheck(1, 2024 + 3 * 65536, 5 + 65 * 65536, 2 + 14 * 65536, 7 + 9 * 65536); },
       ":011000970009000107E80003000500410002000E00070009F6",
       [&] {
         EXPECT_EQ(sim_.reg(plc::kRegClockYear), 2024);
         EXPECT_EQ(sim_.reg(plc::kRegClockMonth), 3);
         EXPECT_EQ(sim_.reg(plc::kRegClockDay), 5);
         EXPECT_EQ(sim_.reg(plc::kRegClockHour), 14);
         EXPECT_EQ(sim_.reg(plc::kRegClockMinute), 7);
       }},
      {"output 4 on", [] { return CMD_PowerOnDO(1, 4); }, ":0110003400010001B9",
       [&] { EXPECT_EQ(sim_.reg(36), 0); }},
      {"output 4 off", [] { return CMD_PowerOffDO(1, 4); }, ":0110003400010002B8",
       [&] { EXPECT_EQ(sim_.reg(36), 1); }},
      {"device 0 on", [] { return CMD_PowerOnLC(1, 0); }, ":011000B0000100013D",
       [&] { EXPECT_EQ(sim_.reg(35), 0); }},
      {"device 0 off", [] { return CMD_PowerOffLC(1, 0); }, ":011000B0000100023C",
       [&] { EXPECT_EQ(sim_.reg(35), 1); }},
      {"logic list", [&] { return CMD_SetLogic(1, logic); },
       ":011000A0000A132C" + std::string(36, 'F') + "18",
       [&] {
         EXPECT_EQ(sim_.reg(160), 0x132C);
         for (int reg = 161; reg < 170; ++reg) EXPECT_EQ(sim_.reg(reg), 0xFFFF) << reg;
       }},
  };
  size_t notices = 0;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(c.command(), 1);
    const Notice notice = exchange();
    ++notices;
    EXPECT_EQ(notice.function, 16);
    EXPECT_EQ(notice.result, PlcResultDone);
    EXPECT_EQ(notice.lParam, 0);
    EXPECT_EQ(notice.message, static_cast<UINT>(PlcNotifyMessage));
    EXPECT_EQ(nextRx(), c.wire);
    c.check();
  }
  EXPECT_EQ(recorder_.count(), notices);
}

LINK_TEST_SUITE(LinkExports);

}  // namespace
}  // namespace linktest
