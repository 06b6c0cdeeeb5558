#include "controller_comm/ascii_frame.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using tarnex::CAsciiFrameBuilder;
using tarnex::ParseReply;

// The binary bytes of a frame text (between ':' and CR LF).
std::vector<uint8_t> decode(const std::string &text) {
  std::vector<uint8_t> bytes;
  for (size_t i = 1; i + 3 < text.size(); i += 2) bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  return bytes;
}

TEST(FrameBuilder, BuildsTheControllersTextForms) {
  const uint16_t one[] = {1};
  const uint16_t allOnes[] = {0xFFFF};
  struct Case {
    const char *what;
    std::optional<std::string> text;
    std::string expected;
  };
  CAsciiFrameBuilder b;
  const Case cases[] = {
      {"read 64 from 0", b.BuildReadFrame(1, 0, 64), ":010300000040BC\r\n"},
      {"write 1 to 176", b.BuildWriteFrame(1, 176, one, 1), ":011000B0000100013D\r\n"},
      {"value 0xFFFF", b.BuildWriteFrame(1, 10, allOnes, 1), ":0110000A0001FFFFE6\r\n"},
      {"address and numbers cut to 8 and 16 bits", b.BuildReadFrame(0x1FF, 0x1FFFF, 0x10001), ":FF03FFFF0001FF\r\n"},
  };
  for (const Case &c : cases) {
    ASSERT_TRUE(c.text.has_value()) << c.what;
    EXPECT_EQ(*c.text, c.expected) << c.what;
  }
}

TEST(FrameBuilder, RemembersFunctionAndAddressOfTheFrameBuiltLast) {
  CAsciiFrameBuilder b;
  EXPECT_EQ(b.function, 0);
  EXPECT_EQ(b.address, 0);
  b.BuildReadFrame(0x107, 0, 1);
  EXPECT_EQ(b.function, 3);
  EXPECT_EQ(b.address, 7);
  const uint16_t v[] = {9};
  b.BuildWriteFrame(2, 0, v, 1);
  EXPECT_EQ(b.function, 16);
  EXPECT_EQ(b.address, 2);
}

TEST(FrameBuilder, WriteCountLimits) {
  const std::vector<uint16_t> values(600, 0x1234);
  struct Case {
    const char *what;
    const uint16_t *values;
    int32_t count;
    size_t length;  // 0: refused
  };
  const Case cases[] = {
      {"no values", values.data(), 0, 17},
      {"no values, NULL", nullptr, 0, 17},
      {"508 values", values.data(), 508, 2049},
      {"509 values", values.data(), 509, 0},
      {"negative count", values.data(), -1, 0},
      {"NULL values", nullptr, 1, 0},
  };
  for (const Case &c : cases) {
    CAsciiFrameBuilder b;
    b.BuildReadFrame(5, 0, 1);
    const auto text = b.BuildWriteFrame(1, 0, c.values, c.count);
    if (c.length == 0) {
      EXPECT_FALSE(text.has_value()) << c.what;
      EXPECT_EQ(b.function, 0) << c.what;
      EXPECT_EQ(b.address, 0) << c.what;
    } else {
      ASSERT_TRUE(text.has_value()) << c.what;
      EXPECT_EQ(text->size(), c.length) << c.what;
    }
  }
}

TEST(FrameBuilder, RandomWriteFramesCarryTheirValuesAndAZeroSum) {
  std::mt19937 rng(20240305);
  CAsciiFrameBuilder b;
  for (int round = 0; round < 200; ++round) {
    const int32_t count = static_cast<int32_t>(rng() % 509);
    std::vector<uint16_t> values(count);
    for (auto &v : values) v = static_cast<uint16_t>(rng());
    const int32_t address = static_cast<int32_t>(rng() % 256), first = static_cast<int32_t>(rng() % 65536);
    const auto text = b.BuildWriteFrame(address, first, values.data(), count);
    ASSERT_TRUE(text.has_value());
    ASSERT_EQ(text->size(), 17u + 4u * count);
    ASSERT_EQ(text->front(), ':');
    ASSERT_EQ(text->substr(text->size() - 2), "\r\n");
    ASSERT_EQ(text->find_first_of("abcdef"), std::string::npos);

    const auto bytes = decode(*text);
    unsigned sum = 0;
    for (uint8_t byte : bytes) sum += byte;
    EXPECT_EQ(sum % 256, 0u);
    ASSERT_EQ(bytes.size(), 7u + 2u * count);
    EXPECT_EQ(bytes[0], address);
    EXPECT_EQ(bytes[1], 0x10);
    EXPECT_EQ((bytes[2] << 8) | bytes[3], first);
    EXPECT_EQ((bytes[4] << 8) | bytes[5], count);
    for (int32_t k = 0; k < count; ++k) ASSERT_EQ((bytes[6 + 2 * k] << 8) | bytes[7 + 2 * k], values[k]);
  }
}

// Reply parsing. Every case starts from a record filled with kOld.
constexpr uint8_t kOld = 0xEE;

PlcReply oldRecord() {
  PlcReply r;
  std::memset(&r, kOld, sizeof r);
  return r;
}

std::string readReply127() {
  std::string hex = "0103FE";
  unsigned sum = 1 + 3 + 0xFE;
  char pair[3];
  for (int k = 0; k < 127; ++k) {
    const uint8_t hi = static_cast<uint8_t>(k), lo = static_cast<uint8_t>(k);
    std::snprintf(pair, sizeof pair, "%02X", hi);
    hex += pair;
    std::snprintf(pair, sizeof pair, "%02X", lo);
    hex += pair;
    sum += hi + lo;
  }
  std::snprintf(pair, sizeof pair, "%02X", (256 - sum % 256) % 256);
  return ":" + hex + pair + "\r\n";
}

enum class Outcome { Parsed, Untouched, HeaderOnly };

struct ParseCase {
  const char *what;
  std::string text;
  Outcome outcome;
  PlcReply expected;  // address, function, first, count, data[0] (Parsed); address, function (HeaderOnly)
};

PlcReply fields(uint8_t address, uint8_t function, uint16_t first, uint16_t count, uint16_t data0) {
  PlcReply r{};
  r.address = address;
  r.function = function;
  r.firstRegister = first;
  r.count = count;
  r.data[0] = data0;
  return r;
}

TEST(ReplyParser, Table) {
  const PlcReply read5 = fields(1, 3, 0, 1, 5);
  const PlcReply write176 = fields(1, 0x10, 176, 1, 1);
  const PlcReply header16 = fields(1, 0x10, 0, 0, 0);
  const std::string longest = ":0103" + std::string(2044, '0') + "\r\n";  // 1024 bytes
  const ParseCase cases[] = {
      {"read reply", ":0103020005F5\r\n", Outcome::Parsed, read5},
      {"wrong LRC", ":0103020005FF\r\n", Outcome::Parsed, read5},
      {"lower case", ":0103020005f5\r\n", Outcome::Parsed, read5},
      {"no CR LF", ":0103020005F5", Outcome::Untouched, {}},
      {"only LF", ":0103020005F5\n\n", Outcome::Untouched, {}},
      {"no colon", "0103020005F5\r\n", Outcome::Untouched, {}},
      {"another first character", ";0103020005F5\r\n", Outcome::Untouched, {}},
      {"exception reply, 11 characters", ":0183027A\r\n", Outcome::Untouched, {}},
      {"write reply", ":011000B000013E\r\n", Outcome::Parsed, write176},
      {"write reply + 1 digit", ":011000B000013E0\r\n", Outcome::Parsed, write176},
      {"write reply + 2 digits", ":011000B000013E00\r\n", Outcome::Parsed, write176},
      {"write reply + 3 digits", ":011000B000013E000\r\n", Outcome::Parsed, write176},
      {"write reply + 4 digits", ":011000B000013E0000\r\n", Outcome::HeaderOnly, header16},
      {"write reply of 15 characters", ":011000B00001\r\n", Outcome::HeaderOnly, header16},
      {"odd byte count", ":010303000500F4\r\n", Outcome::Parsed, read5},
      {"read reply, byte count disagrees", ":0103040005F5\r\n", Outcome::HeaderOnly, fields(1, 3, 0, 0, 0)},
      {"other function", ":0104020005F4\r\n", Outcome::HeaderOnly, fields(1, 4, 0, 0, 0)},
      {"pair not hex", ":01030200G5F5\r\n", Outcome::Untouched, {}},
      {"pair with a sign", ":010302+005F5\r\n", Outcome::Untouched, {}},
      {"1024 bytes", longest, Outcome::HeaderOnly, fields(1, 3, 0, 0, 0)},
      {"1025 bytes", ":0103" + std::string(2046, '0') + "\r\n", Outcome::Untouched, {}},
      {"2060 characters", ":" + std::string(2057, '0') + "\r\n", Outcome::Untouched, {}},
      {"127 registers", readReply127(), Outcome::Parsed, fields(1, 3, 0, 127, 0)},
  };
  ASSERT_EQ(longest.size(), 2051u);
  for (const ParseCase &c : cases) {
    SCOPED_TRACE(c.what);
    PlcReply r = oldRecord();
    const PlcReply old = r;
    const int result = ParseReply(c.text.data(), static_cast<uint16_t>(c.text.size()), r);
    switch (c.outcome) {
      case Outcome::Untouched:
        EXPECT_EQ(result, 0);
        EXPECT_EQ(std::memcmp(&r, &old, sizeof r), 0);
        break;
      case Outcome::HeaderOnly:
        EXPECT_EQ(result, 0);
        EXPECT_EQ(r.address, c.expected.address);
        EXPECT_EQ(r.function, c.expected.function);
        EXPECT_EQ(std::memcmp(&r.firstRegister, &old.firstRegister, sizeof r - 2), 0);
        break;
      case Outcome::Parsed:
        EXPECT_EQ(result, 1);
        EXPECT_EQ(r.address, c.expected.address);
        EXPECT_EQ(r.function, c.expected.function);
        EXPECT_EQ(r.firstRegister, c.expected.firstRegister);
        ASSERT_EQ(r.count, c.expected.count);
        EXPECT_EQ(r.data[0], c.expected.data[0]);
        // Words beyond the count keep their older values.
        for (size_t k = r.count; k < 128; ++k) ASSERT_EQ(r.data[k], old.data[k]) << "word " << k;
        break;
    }
  }
}

TEST(ReplyParser, ReadReplyFillsEveryCountedWordInOrder) {
  const std::string text = readReply127();
  ASSERT_EQ(text.size(), 519u);
  PlcReply r = oldRecord();
  ASSERT_EQ(ParseReply(text.data(), static_cast<uint16_t>(text.size()), r), 1);
  for (int k = 0; k < 127; ++k) ASSERT_EQ(r.data[k], k * 0x0101) << "word " << k;
  EXPECT_EQ(r.data[127], 0xEEEE);
}

TEST(ReplyParser, UsesOnlyTheGivenLength) {
  // A reply followed by more received text: the length decides.
  const std::string text = ":0103020005F5\r\n:0103020007F3\r\n";
  PlcReply r = oldRecord();
  EXPECT_EQ(ParseReply(text.data(), 15, r), 1);
  EXPECT_EQ(r.data[0], 5);
  EXPECT_EQ(ParseReply(text.data(), 14, r), 0);
  EXPECT_EQ(ParseReply(nullptr, 15, r), 0);
}

}  // namespace
