#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace platform;

TEST(NumberTextTest, ParsesIntegersOrGivesDefault) {
  struct Case {
    const char *text;
    int32_t expected;
  } cases[] = {
      {"54", 54},        {"-3", -3},          {"+7", 7},           {"0x1F", 31},          {"$10", 16},
      {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}, {"54.5", -1}, {"", -1}, {"12a", -1},
      {"2147483648", -1}, {"-2147483649", -1}, {"0x", -1},        {"$", -1},            {"+-1", -1},
      {" 5", -1},        {"0x-1", -1},        {"99999999999999999999", -1},
  };
  for (const Case &c : cases) EXPECT_EQ(ParseIntegerOr(c.text, -1), c.expected) << c.text;
}

TEST(NumberTextTest, ParsesFloatsOrGivesDefault) {
  struct Case {
    const char *text;
    double expected;
  } cases[] = {
      {"0.5", 0.5}, {"-20", -20}, {"1E20", 1e20}, {"1e+20", 1e20}, {"+2.5", 2.5},
      {"0,5", 99},  {"", 99},     {"1.5x", 99},   {"+", 99},       {"++1", 99}, {"+-1", 99},
  };
  for (const Case &c : cases) EXPECT_EQ(ParseFloatOr(c.text, 99), c.expected) << c.text;
}

TEST(NumberTextTest, FormatsWithPointAndFifteenDigits) {
  EXPECT_EQ(FormatInteger(1), "1");
  EXPECT_EQ(FormatInteger(-20), "-20");
  EXPECT_EQ(FormatFloat(1.0), "1");
  EXPECT_EQ(FormatFloat(-20.0), "-20");
  EXPECT_EQ(FormatFloat(0.1), "0.1");
  EXPECT_EQ(FormatFloat(0.5), "0.5");
  EXPECT_EQ(FormatFloat(268.0), "268");
  EXPECT_EQ(FormatFloat(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FormatFloat(1e20), "1e+20");
}

TEST(NumberTextTest, MulDivRoundsHalfAwayFromZeroAndRefusesWhatDoesNotFit) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  struct Case {
    int32_t a, b, c, expect;
  } cases[] = {
      {16, 1600, 200, 128},
      {1, 3, 2, 2},
      {-1, 3, 2, -2},
      {5, 1, -2, -3},
      {-5, 1, -2, 3},
      {2, 1, 3, 1},
      {1, 1, 3, 0},
      {7, 0, 3, 0},
      {3, 4, 0, -1},
      {kMax, 2, 1, -1},
      {kMax, 2, 2, kMax},         // the product needs 64 bits
      {kMax, kMax, kMax, kMax},
      {kMin, 1, 1, -1},           // -2^31 lies outside the range
      {kMin, -1, 1, -1},
      {kMin, 1, -1, -1},
      {kMin, kMin, kMin, -1},
      {kMin + 1, 1, 1, kMin + 1},
      {kMin, 1, 2, kMin / 2},
  };
  for (const Case &c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expect) << c.a << " * " << c.b << " / " << c.c;
}
