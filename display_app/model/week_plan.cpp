#include "display_app/model/week_plan.h"

#include "plc_register_map.h"

namespace morvit {
namespace {

constexpr int kTimesPerDay = 2 * plc::kPlanPeriodCount;
constexpr size_t kFirstTimeWord = plc::kRegPlanTimeFirst - plc::kRegPlanEnableBitsLow;

}  // namespace

std::array<uint16_t, kPlanWordCount> BuildPlanWords(const WeekPlan &plan) {
  std::array<uint16_t, kPlanWordCount> words{};
  uint32_t bits = 0;
  for (int day = 0; day < plc::kPlanDayCount; ++day) {
    for (int period = 0; period < plc::kPlanPeriodCount; ++period) {
      if (plan.enabled(day, period)) bits |= 1u << plc::PlanEnableBit(day, period);
      const PlanTime on = plan.onTime(day, period);
      const PlanTime off = plan.offTime(day, period);
      const size_t at = kFirstTimeWord + static_cast<size_t>(kTimesPerDay * day + 2 * period);
      words[at] = plc::PackPlanTime(on.Hour, on.Minute);
      words[at + 1] = plc::PackPlanTime(off.Hour, off.Minute);
    }
  }
  words[0] = static_cast<uint16_t>(bits & 0xFFFF);
  words[1] = static_cast<uint16_t>(bits >> 16);
  return words;
}

void DecodePlanWords(std::span<const uint16_t> words, WeekPlan &plan) {
  auto word = [&](size_t k) -> uint16_t { return k < words.size() ? words[k] : 0; };
  const uint32_t bits = static_cast<uint32_t>(word(1)) << 16 | word(0);
  for (int day = 0; day < plc::kPlanDayCount; ++day) {
    for (int period = 0; period < plc::kPlanPeriodCount; ++period) {
      plan.setEnabled(day, period, (bits >> plc::PlanEnableBit(day, period)) & 1u);
    }
    for (int k = 0; k < kTimesPerDay; ++k) {
      const uint16_t w = word(kFirstTimeWord + static_cast<size_t>(kTimesPerDay * day + k));
      const int hour = w >> 8;
      const int minute = w & 0xFF;
      if (hour > 23 || minute > 59) break;
      plan.Times[static_cast<size_t>(7 * k + day)] = PlanTime{static_cast<uint8_t>(hour), static_cast<uint8_t>(minute)};
    }
  }
}

}  // namespace morvit
