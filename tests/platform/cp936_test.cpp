#include "platform/cp936.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace cp936;

TEST(Cp936Test, ConvertsBothWays) {
  struct Case {
    const char *gbk;
    const char *utf8;
  } cases[] = {
      {"\xB7\xE7\xC9\xC8", "风扇"},
      {"\xC9\xE8\xB1\xB8\x31", "设备1"},
      {"\x80", "€"},
      {"PLC", "PLC"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(ToUtf8(c.gbk), c.utf8);
    bool lossless = false;
    EXPECT_EQ(FromUtf8(c.utf8, &lossless), c.gbk);
    EXPECT_TRUE(lossless);
  }
}

TEST(Cp936Test, UndecodableBytesDisplayAsReplacement) {
  const std::string raw("\x81\x20\xFF", 3);
  EXPECT_EQ(ToUtf8(raw), "\uFFFD \uFFFD");
  EXPECT_EQ(raw, std::string("\x81\x20\xFF", 3));
  EXPECT_EQ(ToUtf8("A\xB7"), "A\uFFFD");
  // A pair from a user-defined area is one character.
  EXPECT_EQ(ToUtf8("\xAA\xA1" "A"), "\uFFFD" "A");
}

TEST(Cp936Test, UnmappedCharactersBecomeQuestionMarks) {
  bool lossless = true;
  EXPECT_EQ(FromUtf8("a😀b", &lossless), "a?b");
  EXPECT_FALSE(lossless);
  EXPECT_EQ(FromUtf8("\xE9\xA3", &lossless), "?");  // cut-off UTF-8
  EXPECT_EQ(FromUtf8("\xFF" "x", &lossless), "?x");
}

TEST(Cp936Test, EveryDefinedPairRoundTrips) {
  int defined = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      std::string utf8 = ToUtf8(pair);
      if (utf8 == "\uFFFD") continue;
      ++defined;
      bool lossless = false;
      ASSERT_EQ(FromUtf8(utf8, &lossless), pair) << std::hex << lead << " " << trail;
      ASSERT_TRUE(lossless);
    }
  }
  EXPECT_EQ(defined, 21791);
}

TEST(Cp936Test, TruncateNeverSplitsAPair) {
  const std::string fan3 = "\xB7\xE7\xC9\xC8\xB7\xE7";  // 风扇风
  EXPECT_EQ(TruncateToBytes(fan3, 5), fan3.substr(0, 4));
  EXPECT_EQ(TruncateToBytes(fan3, 6), fan3);
  EXPECT_EQ(TruncateToBytes("a\xB7\xE7", 2), "a");
  EXPECT_EQ(TruncateToBytes("abc", 0), "");
}

TEST(Cp936Test, CaseFoldingTouchesAsciiLettersOnly) {
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0xFE));
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_FALSE(IsLeadByte(0xFF));

  EXPECT_TRUE(EqualsIgnoreCase("PLCParms", "plcparms"));
  EXPECT_FALSE(EqualsIgnoreCase("\xB7\x41", "\xB7\x61"));  // trail bytes compare exactly
  EXPECT_TRUE(EqualsIgnoreCase("\xB7\x41" "A", "\xB7\x41" "a"));
  EXPECT_FALSE(EqualsIgnoreCase("abc", "abcd"));
  EXPECT_FALSE(EqualsIgnoreCase("[", "{"));  // 0x5B and 0x7B are not letters
  EXPECT_EQ(FoldCase("Name\xB7\x41Z"), "name\xB7\x41z");
}

// Conversions run from several threads at once (the display program converts
// on its worker threads too); each thread needs its own converter state.
TEST(Cp936Test, ConvertsFromSeveralThreadsAtOnce) {
  const std::string gbk = "\xB7\xE7\xC9\xC8\x81\x20\xC9\xE8\xB1\xB8\x31\xFF";
  const std::string utf8 = ToUtf8(gbk);
  std::vector<int> failures(4, 0);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        if (ToUtf8(gbk) != utf8) ++failures[t];
        bool lossless = false;
        if (FromUtf8("\u98CE\u6247\U0001F600", &lossless) != "\xB7\xE7\xC9\xC8?" || lossless) ++failures[t];
      }
    });
  }
  for (std::thread &th : threads) th.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
}
