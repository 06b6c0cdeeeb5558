#pragma once
// The controller's weekly plan: per day four periods, each with an enable
// flag, an on time and an off time, and the register words that hold it.
#include <array>
#include <cstdint>
#include <span>

namespace morvit {

struct PlanTime {
  uint8_t Hour = 0;
  uint8_t Minute = 0;
  bool operator==(const PlanTime &) const = default;
};

// The weekly plan: per day (0 = Sunday .. 6 = Saturday) four periods
// (0..3), each with an enable flag, an on time and an off time.
struct WeekPlan {
  std::array<bool, 28> Enabled{};     // [7 * period + day]
  std::array<PlanTime, 56> Times{};   // [7 * k + day]: k = 2 * period on, 2 * period + 1 off

  bool enabled(int day, int period) const { return Enabled[static_cast<size_t>(7 * period + day)]; }
  void setEnabled(int day, int period, bool on) { Enabled[static_cast<size_t>(7 * period + day)] = on; }
  PlanTime onTime(int day, int period) const { return Times[static_cast<size_t>(14 * period + day)]; }
  PlanTime offTime(int day, int period) const { return Times[static_cast<size_t>(14 * period + 7 + day)]; }
  void setOnTime(int day, int period, PlanTime t) { Times[static_cast<size_t>(14 * period + day)] = t; }
  void setOffTime(int day, int period, PlanTime t) { Times[static_cast<size_t>(14 * period + 7 + day)] = t; }
  bool operator==(const WeekPlan &) const = default;
};

inline constexpr int kPlanWordCount = 58;
// Registers 81..138: the enable bits (bit 4 * day + period), then per day the
// on and off times of periods 0..3 as hour * 256 + minute.
std::array<uint16_t, kPlanWordCount> BuildPlanWords(const WeekPlan &plan);

// Reads registers 81..138 (words[0] = register 81; missing words count as
// 0) into plan. A word that is no time of day (hour above 23 or minute above
// 59) ends that day's times; the rest of the day keeps what plan held.
void DecodePlanWords(std::span<const uint16_t> words, WeekPlan &plan);

}  // namespace morvit
