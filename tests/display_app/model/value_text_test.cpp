// Status value texts and scaling, whatever the C locale.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "display_app/model/value_text.h"

namespace morvit {
namespace {

TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  struct Case {
    double value;
    int decimals;
    const char *expect;
  } cases[] = {
      {60.25, 1, "60.3"},   // printf gives 60.2 (the binary value is below)
      {0.15, 1, "0.2"},
      {-60.25, 1, "-60.3"},
      {2.675, 2, "2.68"},
      {54, 1, "54.0"},
      {54.5, 2, "54.50"},
      {9.995, 2, "10.00"},
      {99.96, 1, "100.0"},
      {-0.04, 1, "0.0"},
      {0, 2, "0.00"},
      {1e-7, 2, "0.00"},
      {123456789.125, 2, "123456789.13"},
      {60.25, 0, "60"},
  };
  for (const Case &c : cases) EXPECT_EQ(formatFixed(c.value, c.decimals), c.expect) << c.value << " " << c.decimals;
}

TEST(FormatFixed, ShowsTrackPositionsInFiveHundredTwelfths) {
  // Every k / 512 is exact in binary, so 32 / 512 = 0.0625 is a true tie
  // that printf would round to even.
  struct Case {
    int k;
    const char *expect;
  } cases[] = {{1023, "1.998"}, {-1024, "-2.000"}, {32, "0.063"}, {-32, "-0.063"}, {160, "0.313"}, {0, "0.000"}};
  for (const Case &c : cases) EXPECT_EQ(formatFixed(c.k / 512.0, 3), c.expect) << c.k;
}

TEST(FormatRounded, HalfToEven) {
  struct Case {
    double value;
    const char *expect;
  } cases[] = {{2.5, "2"}, {3.5, "4"}, {54.5, "54"}, {-2.5, "-2"}, {-0.4, "0"}, {59.6, "60"}, {1e20, "100000000000000000000"}};
  for (const Case &c : cases) EXPECT_EQ(formatRounded(c.value), c.expect) << c.value;
  EXPECT_EQ(formatRounded(std::numeric_limits<double>::infinity()), "inf");
}

TEST(FormatPrecision, OnlyZeroOneOrTwoDecimals) {
  EXPECT_EQ(formatPrecision(60.25, 0, "℃"), "60℃");
  EXPECT_EQ(formatPrecision(60.25, 1, "℃"), "60.3℃");
  EXPECT_EQ(formatPrecision(60.25, 2, ""), "60.25");
  for (int precision : {-1, 3, 5}) EXPECT_EQ(formatPrecision(60.25, precision, "℃"), "") << precision;
}

TEST(Scaling, ValueAndRaw) {
  EXPECT_EQ(ScaleToValue(600, 10, 0, 0), 60);
  EXPECT_EQ(ScaleToValue(610, 10, 10, -5), 55);
  EXPECT_EQ(ScaleToValue(600, 0, 0, 7), 0);  // gain 0
  EXPECT_EQ(ScaleToRaw(54.5, 10, 0, 0), 545);
  EXPECT_EQ(ScaleToRaw(55, 10, 10, -5), 610);
  EXPECT_EQ(ScaleToRaw(0.25, 10, 0, 0), 2);   // 2.5 to even
  EXPECT_EQ(ScaleToRaw(0.35, 10, 0, 0), 4);   // 3.5 to even
  EXPECT_TRUE(std::isnan(ScaleToRaw(std::numeric_limits<double>::quiet_NaN(), 1, 0, 0)));
}

}  // namespace
}  // namespace morvit
