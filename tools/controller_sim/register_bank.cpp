#include "tools/controller_sim/register_bank.h"

#include "plc_register_map.h"

namespace controller_sim {
namespace {

using namespace std::chrono;

bool IsClockRegister(int reg) { return plc::kBlockClock.contains(reg); }

using ClockFields = RegisterBank::ClockFields;

ClockFields FieldsOf(sys_seconds t) {
  const sys_days day = floor<days>(t);
  const year_month_day ymd{day};
  const hh_mm_ss<seconds> hms{t - day};
  return {int(ymd.year()),
          int(unsigned(ymd.month())),
          int(unsigned(ymd.day())),
          int(weekday{day}.iso_encoding()),
          int(hms.hours().count()),
          int(hms.minutes().count()),
          int(hms.seconds().count())};
}

ClockFields LocalFieldsOf(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_wday == 0 ? 7 : tm.tm_wday,
          tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

}  // namespace

RegisterBank::RegisterBank(SteadyNow steady_now, WallNow wall_now)
    : steady_now_(steady_now ? std::move(steady_now) : SteadyNow(&steady_clock::now)),
      wall_now_(wall_now ? std::move(wall_now) : WallNow([] { return std::time(nullptr); })) {
  restoreDefaults();
}

std::array<uint16_t, RegisterBank::kCount> RegisterBank::Defaults() {
  std::array<uint16_t, kCount> d{};
  d[plc::kRegSmokeInput] = 0;  // normal
  d[plc::kRegModeSwitch] = 1;  // automatic
  for (int i = 0; i < plc::kPowerInputCount; ++i) d[plc::kRegPowerInputFirst + i] = 1;
  d[plc::kRegAnalogInputFirst] = 35;
  d[plc::kRegAnalogInputFirst + 1] = 420;
  for (int i = 0; i < plc::kAnalogLimitCount; ++i) d[plc::kRegAnalogLimitFirst + i] = 60;
  for (int i = 0; i < plc::kOutputCount; ++i) d[plc::kRegOutputStateFirst + i] = 1;  // off
  for (int i = 0; i < plc::kLogicEntryCount; ++i) d[plc::kRegLogicFirst + i] = plc::kLogicEmpty;
  // MAC 02:4C:57:00:00:01 (locally administered), 192.168.0.2, port 6666.
  d[plc::kRegMac10] = 0x4C02;
  d[plc::kRegMac32] = 0x0057;
  d[plc::kRegMac54] = 0x0100;
  d[plc::kRegIp01] = 192 + 168 * 256;
  d[plc::kRegIp23] = 0 + 2 * 256;
  d[plc::kRegUdpPort] = 6666;
  return d;
}

void RegisterBank::restoreDefaults() { regs_ = Defaults(); }

uint16_t RegisterBank::read(int reg) const {
  if (IsClockRegister(reg)) return ClockField(clockNow(), reg);
  return regs_.at(static_cast<size_t>(reg));
}

std::vector<uint16_t> RegisterBank::read(int first, int count) const {
  std::vector<uint16_t> values;
  values.reserve(static_cast<size_t>(count));
  std::optional<ClockFields> clock;
  for (int reg = first; reg < first + count; ++reg) {
    if (!IsClockRegister(reg)) {
      values.push_back(regs_.at(static_cast<size_t>(reg)));
      continue;
    }
    if (!clock) clock = clockNow();
    values.push_back(ClockField(*clock, reg));
  }
  return values;
}

void RegisterBank::store(int reg, uint16_t value) { regs_.at(static_cast<size_t>(reg)) = value; }

void RegisterBank::write(int first, std::span<const uint16_t> values) {
  for (size_t i = 0; i < values.size(); ++i) store(first + static_cast<int>(i), values[i]);
  for (size_t i = 0; i < values.size(); ++i) actOnWrite(first + static_cast<int>(i), values[i]);
}

void RegisterBank::actOnWrite(int reg, uint16_t value) {
  if (value != plc::kOn && value != plc::kOff) return;
  const bool on = value == plc::kOn;
  if (reg >= plc::kRegOutputSwitchFirst && reg < plc::kRegOutputSwitchFirst + plc::kOutputCount) {
    setOutput(reg - plc::kRegOutputSwitchFirst, on);
  } else if (reg >= plc::kRegLogicGroupSwitchFirst &&
             reg < plc::kRegLogicGroupSwitchFirst + plc::kLogicGroupCount) {
    switchLogicGroup(reg - plc::kRegLogicGroupSwitchFirst, on);
  } else if (reg == plc::kRegClockSetTrigger && on) {
    setClockFromRegisters();
  } else if (reg == plc::kRegFactoryReset && on) {
    restoreDefaults();
  }
}

void RegisterBank::setOutput(int output, bool on) {
  if (output < 0 || output >= plc::kOutputCount) return;
  regs_[static_cast<size_t>(plc::kRegOutputStateFirst + output)] = on ? 0 : 1;
}

void RegisterBank::switchLogicGroup(int device, bool on) {
  for (int i = 0; i < plc::kLogicEntryCount; ++i) {
    const uint16_t entry = regs_[static_cast<size_t>(plc::kRegLogicFirst + i)];
    if (entry == plc::kLogicEmpty || plc::LogicWordDevice(entry) != device) continue;
    setOutput(plc::LogicWordOutput(entry), on);
  }
}

void RegisterBank::setClockFromRegisters() {
  const auto field = [this](int reg) { return regs_[static_cast<size_t>(reg)]; };
  const year_month_day date{year{field(plc::kRegClockSetYear)},
                            month{field(plc::kRegClockSetMonth)},
                            day{field(plc::kRegClockSetDay)}};
  const unsigned h = field(plc::kRegClockSetHour);
  const unsigned m = field(plc::kRegClockSetMinute);
  const unsigned s = field(plc::kRegClockSetSecond);
  // A setting that is no valid date and time leaves the clock running as it was.
  if (!date.ok() || h > 23 || m > 59 || s > 59) return;
  const sys_seconds at = sys_days{date} + hours{h} + minutes{m} + seconds{s};
  clock_ = ClockSetting{at, steady_now_()};
}

RegisterBank::ClockFields RegisterBank::clockNow() const {
  if (!clock_) return LocalFieldsOf(wall_now_());
  const auto elapsed = floor<seconds>(steady_now_() - clock_->set_when);
  return FieldsOf(clock_->at + elapsed);
}

uint16_t RegisterBank::ClockField(const ClockFields &f, int reg) {
  switch (reg) {
    case plc::kRegClockYear: return static_cast<uint16_t>(f.year);
    case plc::kRegClockMonth: return static_cast<uint16_t>(f.month);
    case plc::kRegClockDay: return static_cast<uint16_t>(f.day);
    case plc::kRegClockDayOfWeek: return static_cast<uint16_t>(f.day_of_week);
    case plc::kRegClockHour: return static_cast<uint16_t>(f.hour);
    case plc::kRegClockMinute: return static_cast<uint16_t>(f.minute);
    case plc::kRegClockSecond: return static_cast<uint16_t>(f.second);
    default: return 0;
  }
}

}  // namespace controller_sim
