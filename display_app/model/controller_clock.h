#pragma once
// The controller's clock: the local time the clock setting command sends,
// in the four words the command takes, and the text of the clock as read.
#include <cstdint>
#include <functional>
#include <string>

namespace morvit {

// Local date and time as the operator's clock shows it.
struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};
using Clock = std::function<LocalDateTime()>;
LocalDateTime SystemLocalTime();

// The four arguments of the clock setting command.
struct TimeCheckArgs {
  int32_t a = 0;  // year + month << 16
  int32_t b = 0;  // day + day of year << 16 (1 January = 1)
  int32_t c = 0;  // day of week (Monday 1 .. Sunday 7) + hour << 16
  int32_t d = 0;  // minute + second << 16
  bool operator==(const TimeCheckArgs &) const = default;
};
TimeCheckArgs BuildTimeCheck(const LocalDateTime &now);

// "YYYY-MM-DD hh:mm" of the clock registers as read.
std::string ClockText(int year, int month, int day, int hour, int minute);

}  // namespace morvit
