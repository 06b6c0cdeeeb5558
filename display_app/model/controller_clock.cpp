#include "display_app/model/controller_clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace morvit {
namespace {

int32_t Pack(int low, int high) {
  return static_cast<int32_t>((static_cast<uint32_t>(low) & 0xFFFF) | (static_cast<uint32_t>(high) << 16));
}

}  // namespace

LocalDateTime SystemLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return LocalDateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

TimeCheckArgs BuildTimeCheck(const LocalDateTime &now) {
  using namespace std::chrono;
  const year y{now.year};
  const sys_days date{y / month{static_cast<unsigned>(now.month)} / day{static_cast<unsigned>(now.day)}};
  const sys_days newYear{y / January / 1};
  const int dayOfYear = static_cast<int>((date - newYear).count()) + 1;
  const int dayOfWeek = static_cast<int>(weekday{date}.iso_encoding());
  return TimeCheckArgs{Pack(now.year, now.month), Pack(now.day, dayOfYear), Pack(dayOfWeek, now.hour),
                       Pack(now.minute, now.second)};
}

std::string ClockText(int year, int month, int day, int hour, int minute) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", year, month, day, hour, minute);
  return buf;
}

}  // namespace morvit
