// The CMD_ exports: each builds one controller frame and queues it.
//
// The register commands write fixed registers of the controller's map. A
// number that would reach past its block (a device beyond 31 reaches the
// network settings and the factory reset, an analogue channel beyond 7 the
// output block) is refused the way CMD_Write refuses a bad count: nothing is
// queued and no frame is left that a following send could repeat.
#include <array>
#include <cstdint>

#include "controller_comm/library_state.h"
#include "plc_register_map.h"
#include "tarnex.h"
#include "transport/export_guard.h"

using transport::GuardExport;
using tarnex::LibraryState;

namespace {

template <size_t N>
int32_t QueueRegisters(int32_t address, int firstRegister, const std::array<uint16_t, N> &values) {
  return LibraryState::instance().queueWrite(address, firstRegister, values.data(),
                                             static_cast<int32_t>(N));
}

int32_t QueueRegister(int32_t address, int reg, int32_t value) {
  return QueueRegisters(address, reg, std::array<uint16_t, 1>{static_cast<uint16_t>(value)});
}

// Register base + n when n lies inside the block of `count` registers.
int32_t QueueIndexed(int32_t address, int base, int count, int32_t n, uint16_t value) {
  if (n < 0 || n >= count) return LibraryState::instance().rejectCommand();
  return QueueRegister(address, base + n, value);
}

uint16_t LowWord(int32_t v) { return static_cast<uint16_t>(static_cast<uint32_t>(v) & 0xFFFF); }
uint16_t HighWord(int32_t v) { return static_cast<uint16_t>(static_cast<uint32_t>(v) >> 16); }

}  // namespace

extern "C" {

int32_t CMD_Read(int32_t address, int32_t firstRegister, int32_t count) {
  return GuardExport<int32_t>(0, [&] { return LibraryState::instance().queueRead(address, firstRegister, count); });
}

int32_t CMD_Write(int32_t address, int32_t firstRegister, const uint16_t *values, int32_t count) {
  return GuardExport<int32_t>(
      0, [&] { return LibraryState::instance().queueWrite(address, firstRegister, values, count); });
}

int32_t CMD_SetTemLimit(int32_t address, int32_t value) {
  return GuardExport<int32_t>(0, [&] { return QueueRegister(address, plc::kRegTemperatureLimit, value); });
}

int32_t CMD_SetHumLimit(int32_t address, int32_t value) {
  return GuardExport<int32_t>(0, [&] { return QueueRegister(address, plc::kRegHumidityLimit, value); });
}

int32_t CMD_SetAW(int32_t address, int32_t n, int32_t value) {
  return GuardExport<int32_t>(0, [&] {
    return QueueIndexed(address, plc::kRegAnalogLimitFirst, plc::kAnalogLimitCount, n, LowWord(value));
  });
}

int32_t CMD_SetTimerEnable(int32_t address, int32_t value) {
  return GuardExport<int32_t>(0, [&] { return QueueRegister(address, plc::kRegPlanEnable, value); });
}

int32_t CMD_SetTimeCheck(int32_t address, int32_t a, int32_t b, int32_t c, int32_t d) {
  return GuardExport<int32_t>(0, [&] {
    const std::array<uint16_t, plc::kBlockClockSet.count> values{
        1, LowWord(a), HighWord(a), LowWord(b), HighWord(b), LowWord(c), HighWord(c), LowWord(d), HighWord(d)};
    return QueueRegisters(address, plc::kRegClockSetTrigger, values);
  });
}

int32_t CMD_PowerOnDO(int32_t address, int32_t n) {
  return GuardExport<int32_t>(0, [&] {
    return QueueIndexed(address, plc::kRegOutputSwitchFirst, plc::kOutputCount, n, plc::kOn);
  });
}

int32_t CMD_PowerOffDO(int32_t address, int32_t n) {
  return GuardExport<int32_t>(0, [&] {
    return QueueIndexed(address, plc::kRegOutputSwitchFirst, plc::kOutputCount, n, plc::kOff);
  });
}

int32_t CMD_PowerOnLC(int32_t address, int32_t n) {
  return GuardExport<int32_t>(0, [&] {
    return QueueIndexed(address, plc::kRegLogicGroupSwitchFirst, plc::kLogicGroupCount, n, plc::kOn);
  });
}

int32_t CMD_PowerOffLC(int32_t address, int32_t n) {
  return GuardExport<int32_t>(0, [&] {
    return QueueIndexed(address, plc::kRegLogicGroupSwitchFirst, plc::kLogicGroupCount, n, plc::kOff);
  });
}

int32_t CMD_SetLogic(int32_t address, const uint16_t (*entries)[3]) {
  return GuardExport<int32_t>(0, [&] {
    if (entries == nullptr) return LibraryState::instance().rejectCommand();
    std::array<uint16_t, plc::kLogicEntryCount> words{};
    for (size_t k = 0; k < words.size(); ++k) {
      words[k] = plc::PackLogicWord(entries[k][0], entries[k][1], entries[k][2]);
    }
    return QueueRegisters(address, plc::kRegLogicFirst, words);
  });
}

}  // extern "C"
