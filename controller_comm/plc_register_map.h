#pragma once
// Holding registers of a cabinet controller and what each one means, as the
// link library, both programs and the controller simulator use them.
// Registers are 16-bit words numbered from 0, read with function 3 and
// written with function 16.
#include <cstdint>

namespace plc {

// On/off command values of the switch registers.
inline constexpr uint16_t kOn = 1;
inline constexpr uint16_t kOff = 2;

// A run of registers: first register and number of registers.
struct RegisterBlock {
  int first;
  int count;
  constexpr int end() const { return first + count; }  // one past the last
  constexpr bool contains(int reg) const { return reg >= first && reg < end(); }
};

inline constexpr int kRegisterCount = 256;

// Digital inputs.
inline constexpr int kRegSmokeInput = 0;         // DI1: 0 = normal, else a fault code
inline constexpr int kRegModeSwitch = 1;         // DI2: non-zero = automatic, 0 = manual
inline constexpr int kRegPowerInputFirst = 2;    // DI3..DI12: 1 = power present
inline constexpr int kPowerInputCount = 10;
inline constexpr int kRegForceMode = 15;         // 1 = inputs forced from the debug console

// Analogue inputs AI1..AI8 (raw values) and their shut-down limits.
inline constexpr int kRegAnalogInputFirst = 16;  // register = 15 + channel
inline constexpr int kAnalogInputCount = 8;
inline constexpr int kRegAnalogLimitFirst = 24;  // register = 24 + n, n = 0..7
inline constexpr int kAnalogLimitCount = 8;

// Outputs 0..9: state (0 = on, anything else = off) and direct switching.
inline constexpr int kRegOutputStateFirst = 32;
inline constexpr int kOutputCount = 10;
inline constexpr int kRegTemperatureLimit = 32;  // write target, shares register 32
inline constexpr int kRegHumidityLimit = 33;     // write target, shares register 33
inline constexpr int kRegOutputSwitchFirst = 48; // register = 48 + n: kOn / kOff

// Weekly plan.
inline constexpr int kRegPlanEnable = 64;        // written 3 = on, 0 = off
inline constexpr uint16_t kPlanEnableOn = 3;
inline constexpr uint16_t kPlanEnableOff = 0;
inline constexpr int kRegPlanEnableBitsLow = 81;   // period enable bits 0-15
inline constexpr int kRegPlanEnableBitsHigh = 82;  // period enable bits 16-31
inline constexpr int kRegPlanTimeFirst = 83;       // 8 per day, 83..138
inline constexpr int kPlanDayCount = 7;            // 0 = Sunday .. 6 = Saturday
inline constexpr int kPlanPeriodCount = 4;

// Controller clock as read.
inline constexpr int kRegClockYear = 140;
inline constexpr int kRegClockMonth = 141;
inline constexpr int kRegClockDay = 142;
inline constexpr int kRegClockDayOfWeek = 143;
inline constexpr int kRegClockReserved = 144;
inline constexpr int kRegClockHour = 145;
inline constexpr int kRegClockMinute = 146;
inline constexpr int kRegClockSecond = 147;

// Clock setting, written as one block: trigger := 1 and the fields.
inline constexpr int kRegClockSetTrigger = 151;
inline constexpr int kRegClockSetYear = 152;
inline constexpr int kRegClockSetMonth = 153;
inline constexpr int kRegClockSetDay = 154;
inline constexpr int kRegClockSetDayOfYear = 155;  // 1 = 1 January
inline constexpr int kRegClockSetDayOfWeek = 156;  // 1 = Monday .. 7 = Sunday
inline constexpr int kRegClockSetHour = 157;
inline constexpr int kRegClockSetMinute = 158;
inline constexpr int kRegClockSetSecond = 159;

// Logic list: 10 entries of one LogicWord each.
inline constexpr int kRegLogicFirst = 160;
inline constexpr int kLogicEntryCount = 10;
inline constexpr uint16_t kLogicEmpty = 0xFFFF;

// Switching a logic group (device) n as a whole: register 176 + n, kOn / kOff.
inline constexpr int kRegLogicGroupSwitchFirst = 176;
inline constexpr int kLogicGroupCount = 32;

// Network settings of the controller.
inline constexpr int kRegMac10 = 208;       // MAC byte 1 * 256 + byte 0
inline constexpr int kRegMac32 = 209;
inline constexpr int kRegMac54 = 210;
inline constexpr int kRegIp01 = 211;        // IP byte 0 + byte 1 * 256
inline constexpr int kRegIp23 = 212;
inline constexpr int kRegUdpPort = 213;

inline constexpr int kRegFactoryReset = 228;  // write 1

// Blocks the programs move.
inline constexpr RegisterBlock kBlockStatus{0, 64};          // inputs, analogue, limits, outputs
inline constexpr RegisterBlock kBlockPlan{64, 75};           // plan switch .. last plan time
inline constexpr RegisterBlock kBlockClock{140, 8};
inline constexpr RegisterBlock kBlockPlanWrite{81, 58};      // enable bits and plan times
inline constexpr RegisterBlock kBlockLogic{160, 10};
inline constexpr RegisterBlock kBlockDigitalInputs{0, 16};   // debug console
inline constexpr RegisterBlock kBlockAnalog{16, 16};         // debug console
inline constexpr RegisterBlock kBlockOutputStates{32, 10};   // debug console
inline constexpr RegisterBlock kBlockNetwork{208, 6};        // debug console
inline constexpr RegisterBlock kBlockClockSet{151, 9};

// Bit of the joined 32-bit enable value (register 82 * 65536 + register 81)
// that enables a period (0..3) of a day (0 = Sunday .. 6 = Saturday).
constexpr int PlanEnableBit(int day, int period) { return 4 * day + period; }

constexpr int PlanOnRegister(int day, int period) { return 83 + 8 * day + 2 * period; }
constexpr int PlanOffRegister(int day, int period) { return PlanOnRegister(day, period) + 1; }

constexpr uint16_t PackPlanTime(int hour, int minute) {
  return static_cast<uint16_t>(hour * 256 + minute);
}

// Logic-list entry: bits 12-15 device, bits 8-11 output, bits 0-7 delay.
constexpr uint16_t PackLogicWord(int device, int output, int delay) {
  return static_cast<uint16_t>(((device & 0xF) << 12) | ((output & 0xF) << 8) | (delay & 0xFF));
}
constexpr int LogicWordDevice(uint16_t word) { return (word >> 12) & 0xF; }
constexpr int LogicWordOutput(uint16_t word) { return (word >> 8) & 0xF; }
constexpr int LogicWordDelay(uint16_t word) { return word & 0xFF; }

// Output state registers read 0 for an output that is on.
constexpr bool OutputIsOn(uint16_t word) { return word == 0; }

}  // namespace plc
