// Cutting link bytes into reply texts, and the waits on a serial port and a
// UDP link built on it.
#include "controller_comm/reply_wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "controller_comm/ascii_frame.h"
#include "controller_comm/reply_match.h"
#include "tarnex.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/pty_pair.h"
#include "transport/serial_port.h"
#include "transport/udp_link.h"

namespace tarnex {
namespace {

using namespace std::chrono_literals;

const std::string kReply = ":0103020005F5\r\n";  // controller 1, one register = 5

// Feeds each piece as one read and collects the texts handed out.
std::vector<std::string> TextsOf(const std::vector<std::string> &reads) {
  ReplyAssembler assembler;
  std::vector<std::string> texts;
  for (const std::string &bytes : reads) {
    assembler.feed(bytes, [&](std::string_view text) {
      texts.emplace_back(text);
      return false;
    });
  }
  return texts;
}

TEST(ReplyAssembler, ReplySplitAtEveryPosition) {
  for (size_t cut = 0; cut <= kReply.size(); ++cut) {
    SCOPED_TRACE(cut);
    EXPECT_EQ(TextsOf({kReply.substr(0, cut), kReply.substr(cut)}), std::vector<std::string>{kReply});
  }
  std::vector<std::string> bytes;
  for (char c : kReply) bytes.emplace_back(1, c);
  EXPECT_EQ(TextsOf(bytes), std::vector<std::string>{kReply}) << "one byte per read";
}

TEST(ReplyAssembler, Table) {
  const std::string long1100 = ":" + std::string(1099, 'A');
  const std::string exact1024 = ":" + std::string(1021, '0') + "\r\n";
  const std::string over1024 = ":" + std::string(1022, '0') + "\r\n";
  struct Case {
    const char *what;
    std::vector<std::string> reads;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {"noise, then a reply", {"\x01\xFFzz\r\n\n", "garbage" + kReply}, {kReply}},
      {"a second ':' part-way drops the first text", {":0103" + kReply}, {kReply}},
      {"two replies in one read", {kReply + kReply}, {kReply, kReply}},
      {"CR without LF does not end a text", {":01\r03\r\n"}, {":01\r03\r\n"}},
      {"1100 bytes without CR LF, then a reply", {long1100, kReply}, {kReply}},
      {"1100 bytes and a reply in one read", {long1100 + "\r\n" + kReply}, {kReply}},
      {"a text of exactly 1024 bytes fits", {exact1024}, {exact1024}},
      {"a text of 1025 bytes is dropped", {over1024, kReply}, {kReply}},
      {"nothing but noise", {std::string(5000, '\x7F')}, {}},
      {"an unfinished text is kept across reads", {":0103", "020005F5", "\r", "\n"}, {kReply}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TextsOf(c.reads), c.texts);
  }
}

TEST(ReplyAssembler, ReadsNeverPassTheBufferAndAStopDropsTheRest) {
  ReplyAssembler assembler;
  assembler.feed(":" + std::string(1000, '0'), [](std::string_view) { return false; });
  EXPECT_TRUE(assembler.inText());
  EXPECT_EQ(assembler.freeSpace(), ReplyAssembler::kCapacity - 1001);

  int handed = 0;
  EXPECT_TRUE(assembler.feed(kReply + kReply, [&](std::string_view) { return ++handed == 1; }));
  EXPECT_EQ(handed, 1);
  EXPECT_EQ(assembler.freeSpace(), ReplyAssembler::kCapacity);
  assembler.dropText();
  EXPECT_FALSE(assembler.inText());
}

// A read of register 0 of controller 1, which kReply answers.
constexpr ExpectedReply kRead1{1, 3, 0, 1};

// Takes texts into a local record, as the worker does into the library's.
struct Parser {
  PlcReply reply{};
  std::vector<std::string> texts;
  TakeText fn(ExpectedReply expected = kRead1) {
    return [this, expected](std::string_view text) {
      texts.emplace_back(text);
      return TakeReply(text, expected, reply);
    };
  }
};

TEST(TakeReply, WhatAnswersAndWhatTheRecordKeeps) {
  constexpr ExpectedReply kWrite176{1, 16, 176, 1};
  enum Record { Untouched, Parsed };
  struct Case {
    const char *what;
    ExpectedReply expected;
    std::string text;
    std::optional<int> result;
    Record record;
  };
  const Case cases[] = {
      {"the read's reply", kRead1, kReply, PlcResultDone, Parsed},
      {"a reply of two registers to a read of one", kRead1, ":01030400050006ED\r\n", std::nullopt, Untouched},
      {"an odd byte count", kRead1, ":0103030005F4\r\n", std::nullopt, Untouched},
      {"the write's reply", kWrite176, ":011000B000013E\r\n", PlcResultDone, Parsed},
      {"a write reply for another register", kWrite176, ":011000B100013D\r\n", std::nullopt, Untouched},
      {"a write reply for another count", kWrite176, ":011000B000023D\r\n", std::nullopt, Untouched},
      {"another address", kRead1, ":0203020005F4\r\n", PlcResultMismatch, Parsed},
      {"a write reply to a read", kRead1, ":011000B000013E\r\n", PlcResultMismatch, Parsed},
      {"an exception reply", kRead1, ":01830279\r\n", std::nullopt, Untouched},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    PlcReply record;
    std::memset(&record, 0x5A, sizeof record);
    const PlcReply before = record;
    PlcReply parsed = before;
    ParseReply(c.text.data(), static_cast<uint16_t>(c.text.size()), parsed);
    EXPECT_EQ(TakeReply(c.text, c.expected, record), c.result);
    const PlcReply &wanted = c.record == Parsed ? parsed : before;
    EXPECT_EQ(std::memcmp(&record, &wanted, sizeof record), 0);
  }

  // A candidate that does not parse still sets address and function, as the
  // parser does.
  PlcReply record{};
  EXPECT_EQ(TakeReply(":0110000000EF\r\n", kRead1, record), std::nullopt);
  EXPECT_EQ(record.address, 1);
  EXPECT_EQ(record.function, 16);
}

class UdpWait : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(link_.Create(0)); }
  bool toLink(std::string_view bytes) { return peer_.sendTo(link_.localPort(), bytes); }

  transport::CUdpLink link_;
  testsupport::LoopbackUdp peer_;
  Parser parser_;
};

TEST_F(UdpWait, ReplyOverDatagramsAfterTruncatedAndEmptyOnes) {
  ASSERT_TRUE(toLink(":0103"));
  ASSERT_TRUE(toLink(":0103020005" + std::string(2000, '0')));  // truncated: dropped with the text
  ASSERT_TRUE(toLink("F5\r\n"));                                 // outside any text now
  ASSERT_TRUE(toLink(""));
  ASSERT_TRUE(toLink(":0103020005"));
  ASSERT_TRUE(toLink("F5\r\n"));
  EXPECT_EQ(WaitForReply(link_, transport::Clock::now() + 5s, parser_.fn()), PlcResultDone);
  EXPECT_EQ(parser_.texts, std::vector<std::string>{kReply});
  EXPECT_EQ(parser_.reply.data[0], 5);
}

TEST_F(UdpWait, ResultsByWhatParses) {
  struct Case {
    const char *what;
    std::string datagram;
    int result;
  };
  const Case cases[] = {
      {"the expected reply", kReply, PlcResultDone},
      {"another address", ":0203020005F4\r\n", PlcResultMismatch},
      {"a write reply to a read", ":011000B000013D\r\n", PlcResultMismatch},
      {"an exception reply", ":01830279\r\n", PlcResultTimeOut},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    Parser parser;
    ASSERT_TRUE(toLink(c.datagram));
    EXPECT_EQ(WaitForReply(link_, transport::Clock::now() + 300ms, parser.fn()), c.result);
  }
}

TEST_F(UdpWait, AFloodDoesNotKeepTheWaitAlive) {
  std::atomic<bool> stop{false};
  std::thread flood([&] {
    while (!stop) toLink(":0A0B0C\r\n:");
  });
  EXPECT_EQ(WaitForReply(link_, transport::Clock::now() + 300ms, parser_.fn()), PlcResultTimeOut);
  stop = true;
  flood.join();
}

// A worker that gets to its wait only after the deadline still takes the
// reply that is already there.
TEST_F(UdpWait, AReplyWaitingWhenTheTimeIsUpStillCounts) {
  ASSERT_TRUE(toLink(kReply));
  std::this_thread::sleep_for(50ms);  // let the datagram arrive
  EXPECT_EQ(WaitForReply(link_, transport::Clock::now() - 1ms, parser_.fn()), PlcResultDone);
}

TEST_F(UdpWait, CloseWakesTheWait) {
  std::thread closer([&] {
    std::this_thread::sleep_for(100ms);
    link_.Close();
  });
  EXPECT_EQ(WaitForReply(link_, transport::Clock::now() + 30s, parser_.fn()), PlcResultBadSlot);
  closer.join();
  EXPECT_EQ(WaitForReply(link_, transport::Clock::now() + 30s, parser_.fn()), PlcResultBadSlot);
}

class SerialWait : public ::testing::Test {
 protected:
  void SetUp() override {
    port_ = transport::SerialPort::open(pty_.slavePath(), 9600);
    ASSERT_TRUE(port_);
  }

  testsupport::PtyPair pty_;
  std::shared_ptr<transport::SerialPort> port_;
  Parser parser_;
};

TEST_F(SerialWait, ATextBegunBeforeTheDeadlineMayFinishAfterIt) {
  const auto deadline = transport::Clock::now() + 300ms;
  ASSERT_TRUE(pty_.write(":0103020005"));
  std::thread rest([&] {
    std::this_thread::sleep_until(deadline + 300ms);
    pty_.write("F5\r\n");
  });
  EXPECT_EQ(WaitForReply(*port_, deadline, parser_.fn()), PlcResultDone);
  rest.join();
}

TEST_F(SerialWait, AReplyWaitingWhenTheTimeIsUpStillCounts) {
  ASSERT_TRUE(pty_.write(kReply));
  std::this_thread::sleep_for(50ms);  // let the bytes reach the port
  EXPECT_EQ(WaitForReply(*port_, transport::Clock::now() - 1ms, parser_.fn()), PlcResultDone);
}

TEST_F(SerialWait, ATextBegunAfterTheDeadlineDoesNotCount) {
  const auto deadline = transport::Clock::now() + 300ms;
  ASSERT_TRUE(pty_.write(":0103"));
  std::thread rest([&] {
    std::this_thread::sleep_until(deadline + 300ms);
    pty_.write(kReply);
  });
  EXPECT_EQ(WaitForReply(*port_, deadline, parser_.fn()), PlcResultTimeOut);
  rest.join();
  EXPECT_TRUE(parser_.texts.empty());
}

TEST_F(SerialWait, ATextThatNeverEndsEndsTheWaitAfterTheGrace) {
  // One character every 5 ms: the text neither ends nor fills the buffer
  // before the grace is over.
  std::atomic<bool> stop{false};
  ASSERT_TRUE(pty_.write(":"));
  std::thread stream([&] {
    while (!stop) {
      pty_.write("0");
      std::this_thread::sleep_for(5ms);
    }
  });
  EXPECT_EQ(WaitForReply(*port_, transport::Clock::now() + 200ms, parser_.fn()), PlcResultTimeOut);
  stop = true;
  stream.join();
}

TEST_F(SerialWait, HungUpPortSleepsUntilTheDeadlineOrTheClose) {
  pty_.hangUp();
  EXPECT_EQ(WaitForReply(*port_, transport::Clock::now() + 200ms, parser_.fn()), PlcResultTimeOut);
  std::thread closer([&] {
    std::this_thread::sleep_for(100ms);
    port_->close();
  });
  EXPECT_EQ(WaitForReply(*port_, transport::Clock::now() + 30s, parser_.fn()), PlcResultBadSlot);
  closer.join();
}

}  // namespace
}  // namespace tarnex
