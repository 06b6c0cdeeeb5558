#include "plc_register_map.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(RegisterMap, PlanEnableBitsSpreadOverTwoRegisters) {
  struct Case {
    int day, period;
    int reg, bitInReg;
  };
  const Case cases[] = {
      {0, 0, 81, 0},   // Sunday, first period
      {3, 3, 81, 15},  // last bit of the low register
      {4, 0, 82, 0},   // first bit of the high register
      {6, 3, 82, 11},  // Saturday, fourth period: bit 27
  };
  for (const Case &c : cases) {
    const int bit = plc::PlanEnableBit(c.day, c.period);
    EXPECT_EQ(plc::kRegPlanEnableBitsLow + bit / 16, c.reg) << c.day << "/" << c.period;
    EXPECT_EQ(bit % 16, c.bitInReg) << c.day << "/" << c.period;
  }
  EXPECT_EQ(plc::PlanEnableBit(6, 3), 27);
}

TEST(RegisterMap, PlanTimesFillTheirBlockWithoutOverlap) {
  EXPECT_EQ(plc::PlanOnRegister(0, 0), 83);
  EXPECT_EQ(plc::PlanOnRegister(6, 3), 137);
  EXPECT_EQ(plc::PlanOffRegister(6, 3), 138);

  std::set<int> used;
  for (int day = 0; day < plc::kPlanDayCount; ++day) {
    for (int period = 0; period < plc::kPlanPeriodCount; ++period) {
      EXPECT_TRUE(used.insert(plc::PlanOnRegister(day, period)).second);
      EXPECT_TRUE(used.insert(plc::PlanOffRegister(day, period)).second);
    }
  }
  // The plan write block is the two enable registers and every plan time.
  EXPECT_EQ(*used.begin(), plc::kBlockPlanWrite.first + 2);
  EXPECT_EQ(*used.rbegin(), plc::kBlockPlanWrite.end() - 1);
  EXPECT_EQ(static_cast<int>(used.size()), plc::kBlockPlanWrite.count - 2);
  EXPECT_EQ(plc::kBlockPlan.end(), plc::kBlockPlanWrite.end());
}

TEST(RegisterMap, PackedWords) {
  // Hour in the high byte, minute in the low byte: 07:30 is 7 * 256 + 30.
  EXPECT_EQ(plc::PackPlanTime(7, 30), 0x071E);
  EXPECT_EQ(plc::PackPlanTime(7, 30), 1822);
  EXPECT_EQ(plc::PackPlanTime(23, 59), 0x173B);

  // Device and output keep 4 bits, the delay 8 bits.
  const uint16_t word = plc::PackLogicWord(17, 3, 300);
  EXPECT_EQ(word, 0x132C);
  EXPECT_EQ(plc::LogicWordDevice(word), 1);
  EXPECT_EQ(plc::LogicWordOutput(word), 3);
  EXPECT_EQ(plc::LogicWordDelay(word), 0x2C);
  EXPECT_EQ(plc::PackLogicWord(15, 15, 255), plc::kLogicEmpty);

  EXPECT_TRUE(plc::OutputIsOn(0));
  EXPECT_FALSE(plc::OutputIsOn(1));
  EXPECT_FALSE(plc::OutputIsOn(0xFFFF));
}

TEST(RegisterMap, SwitchBlocksStayClearOfTheirNeighbours) {
  // The last device switch sits just below the network settings, and the
  // last direct output switch below the plan switch.
  EXPECT_EQ(plc::kRegLogicGroupSwitchFirst + plc::kLogicGroupCount, plc::kRegMac10);
  EXPECT_LT(plc::kRegOutputSwitchFirst + plc::kOutputCount, plc::kRegPlanEnable);
  EXPECT_EQ(plc::kRegAnalogLimitFirst + plc::kAnalogLimitCount, plc::kRegOutputStateFirst);
  EXPECT_EQ(plc::kBlockClockSet.first, plc::kRegClockSetTrigger);
  EXPECT_EQ(plc::kBlockClockSet.end() - 1, plc::kRegClockSetSecond);
  EXPECT_EQ(plc::kBlockClock.end() - 1, plc::kRegClockSecond);
  EXPECT_EQ(plc::kBlockLogic.count, plc::kLogicEntryCount);
}

}  // namespace
