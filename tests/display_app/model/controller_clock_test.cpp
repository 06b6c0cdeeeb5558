// The clock setting command's four words: date, day of year, day of week
// (Monday 1 .. Sunday 7) and time, across leap years and year ends.
#include <gtest/gtest.h>

#include "display_app/model/controller_clock.h"

namespace morvit {
namespace {

int32_t Words(int low, int high) { return low + (high << 16); }

TEST(ControllerClock, TimeCheckWords) {
  struct Case {
    LocalDateTime now;
    int dayOfYear;
    int dayOfWeek;
  } cases[] = {
      {{2024, 2, 29, 12, 0, 0}, 60, 4},    // leap day, a Thursday
      {{2000, 2, 29, 0, 0, 0}, 60, 2},     // 2000 is a leap year
      {{2000, 3, 1, 0, 0, 0}, 61, 3},
      {{2100, 3, 1, 0, 0, 0}, 60, 1},      // 2100 is not
      {{1999, 12, 31, 23, 59, 59}, 365, 5},
      {{2023, 12, 31, 23, 59, 59}, 365, 7},  // a Sunday is 7
      {{2024, 12, 31, 0, 0, 0}, 366, 2},
      {{2025, 1, 1, 0, 0, 0}, 1, 3},
      {{2024, 3, 4, 8, 15, 30}, 64, 1},    // a Monday is 1
  };
  for (const Case &c : cases) {
    const LocalDateTime &n = c.now;
    const TimeCheckArgs expected{Words(n.year, n.month), Words(n.day, c.dayOfYear), Words(c.dayOfWeek, n.hour),
                                 Words(n.minute, n.second)};
    EXPECT_EQ(BuildTimeCheck(n), expected) << n.year << "-" << n.month << "-" << n.day;
  }
}

// Registers hold any 16-bit value; the text keeps all of them.
TEST(ControllerClock, ClockTextHoldsAnyRegisterValue) {
  EXPECT_EQ(ClockText(65535, 65535, 65535, 65535, 65535), "65535-65535-65535 65535:65535");
}

}  // namespace
}  // namespace morvit
