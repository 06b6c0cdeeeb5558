// Replies taken by Qd_GetAck: reported, stored in the variable block, and
// refused when malformed, on a pty and over loopback UDP.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "quodel.h"
#include "tests/screen_comm/screen_link_fixture.h"
#include "tests/support/screen_codec.h"

using screentest::AckCall;
using screentest::ScreenLink;
using screentest::Soon;
using screentest::Via;
using testsupport::ScreenCodec;
using testsupport::ScreenParam;

namespace {

std::string Reply(uint8_t command, uint16_t index, std::vector<ScreenParam> params,
                  uint16_t address = 0) {
  return ScreenCodec::encode({address, command, ScreenCodec::kSet, index, std::move(params)});
}

ScreenParam Int(uint16_t id, int32_t v) {
  return {id, ScreenCodec::dword(static_cast<uint32_t>(v))};
}
ScreenParam Text(uint16_t id, std::string text) { return {id, std::move(text)}; }

const QdScreenVars &Vars() { return *Qd_GetVarsPointer(); }

class Acks : public testing::TestWithParam<Via> {
 protected:
  ScreenLink link{GetParam()};
  bool serial() const { return GetParam() == Via::Serial; }
};

TEST_P(Acks, ReportsAndStoresAnIntReply) {
  const std::string frame = Reply(0, 5, {Int(0x0002, 42)}, 0x0102);
  if (serial()) {
    const std::string line = ScreenCodec::line(frame);
    link.deliver(line.substr(0, 13));
    const AckCall first = link.getAck();
    EXPECT_EQ(first.result, 0);
    EXPECT_EQ(first.status, 2) << "half a line is no frame yet";
    EXPECT_EQ(first.count, 0);
    link.deliver(line.substr(13));
  } else {
    link.deliverFrame(frame);
  }
  const AckCall call = link.getAck();
  EXPECT_EQ(call.result, 0);
  EXPECT_EQ(call.status, 0);
  ASSERT_EQ(call.count, 1);
  const AckParam &p = call.params[0];
  EXPECT_EQ(p.id, 0x0002);
  EXPECT_EQ(p.index, 5);
  EXPECT_EQ(p.command, 0);
  EXPECT_EQ(p.reserved, 0);
  EXPECT_EQ(p.address, 0x0102);
  EXPECT_EQ(Vars().group0.id0002, 42);
  EXPECT_STREQ(Vars().group0.id0003, "") << "its neighbour is untouched";

  const AckCall idle = link.getAck();
  EXPECT_EQ(idle.result, 0);
  EXPECT_EQ(idle.status, 2);
  EXPECT_EQ(idle.count, 0);
}

TEST_P(Acks, StoresEachValueInItsOwnField) {
  struct Case {
    const char *what;
    uint8_t command;
    uint16_t index;
    ScreenParam param;
  };
  const std::vector<Case> cases = {
      {"processor word 0x21", 1, 0, {0x21, ScreenCodec::word(1)}},
      {"processor word 0x20", 1, 0, {0x20, ScreenCodec::word(7)}},
      {"processor word 0x1F", 1, 0, {0x1F, ScreenCodec::word(255)}},
      {"processor word 0x08, one byte", 1, 0, {0x08, std::string("\x05", 1)}},
      {"processor word 0x09 names none", 1, 0, {0x09, ScreenCodec::word(99)}},
      {"processor word 0x0B", 1, 0, {0x0B, ScreenCodec::word(0xFC00)}},
      {"a text without its zero", 0, 0, Text(0x0001, "hello")},
      {"a text cut at its zero", 0, 0, Text(0x0610, std::string("ab\0cd", 5))},
      {"a short int", 0, 0, {0x000B, std::string("\x34\x12", 2)}},
      {"an int of no bytes", 0, 0, {0x000A, ""}},
      {"group 1", 0, 77, Int(0x010A, -5)},
      {"group 2 record 255", 0, 255, Text(0x020E, "last")},
      {"group 2 record 300", 0, 300, Int(0x0205, 300)},
      {"group 3", 0, 1, Text(0x0305, "g3")},
      {"group 4", 0, 2, Int(0x0404, 4)},
      {"group 5 record 3", 0, 3, Int(0x0510, 0x510)},
      {"group 6", 0, 0, Int(0x060F, 6)},
      {"group 7", 0, 0, Text(0x0707, "g7")},
      {"group 8", 0, 0, Int(0x0801, 8)},
      {"an item past its group", 0, 0, Int(0x0111, 1)},
      {"group 9", 0, 0, Int(0x0901, 1)},
      {"command 2", 2, 0, Int(0x0002, 1)},
  };
  // Commands and indexes differ, so one frame each.
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    link.deliverFrame(Reply(c.command, c.index, {c.param}));
    const AckCall call = link.getAck();
    ASSERT_EQ(call.count, 1) << "every parameter is reported";
    EXPECT_EQ(call.params[0].id, c.param.id);
    EXPECT_EQ(call.params[0].index, c.index);
    EXPECT_EQ(call.params[0].command, c.command);
  }
  const QdScreenVars &v = Vars();
  EXPECT_EQ(v.ProcessorWords[0], 1);
  EXPECT_EQ(v.ProcessorWords[3], 7);
  EXPECT_EQ(v.ProcessorWords[32], 255);
  EXPECT_EQ(v.ProcessorWords[18], 5);
  EXPECT_EQ(v.ProcessorWords[4], 0xFC00);
  EXPECT_EQ(v.ProcessorWords[19], 0);
  EXPECT_EQ(v.ProcessorWords[20], 0);
  EXPECT_STREQ(v.group0.id0001, "hello");
  EXPECT_STREQ(v.group6.id0610, "ab");
  EXPECT_EQ(v.group0.id000B, 0x1234) << "zero-extended";
  EXPECT_EQ(v.group0.id000A, 0);
  EXPECT_EQ(v.group0.id0002, 0) << "command 2 stores nothing";
  EXPECT_EQ(v.group1.id010A, -5);
  EXPECT_STREQ(v.group2[255].id020E, "last");
  for (int r = 0; r < QD_ELEMENT_RECORDS; ++r) ASSERT_EQ(v.group2[r].id0205, 0) << r;
  EXPECT_STREQ(v.group3[1].id0305, "g3");
  EXPECT_STREQ(v.group3[0].id0305, "");
  EXPECT_EQ(v.group4[2].id0404, 4);
  EXPECT_EQ(v.group5[3].id0510, 0x510);
  EXPECT_EQ(v.group5[2].id0510, 0);
  EXPECT_EQ(v.group6.id060F, 6);
  EXPECT_STREQ(v.group7.id0707, "g7");
  EXPECT_EQ(v.group8.id0801, 8);

  // Every text has its own buffer.
  std::vector<const char *> texts = {v.group0.id0001, v.group0.id0003, v.group0.id0009,
                                     v.group2[0].id0201, v.group2[255].id020E,
                                     v.group5[255].id050F, v.group6.id0610, v.group7.id0707};
  for (size_t i = 0; i < texts.size(); ++i)
    for (size_t j = i + 1; j < texts.size(); ++j) EXPECT_NE(texts[i], texts[j]) << i << " " << j;
}

TEST_P(Acks, RefusesMalformedFramesWithoutReportingOrStoring) {
  const std::string good = Reply(0, 0, {Int(0x0008, 8)});
  std::string params129;
  for (int i = 0; i < 129; ++i) params129 += ScreenCodec::word(0x0002) + ScreenCodec::word(0);
  struct Case {
    const char *what;
    std::string bytes;  // a frame, or with raw a whole line or datagram
    bool raw;
    bool udpOnly;
  };
  const std::vector<Case> cases = {
      {"a bad checksum", good.substr(0, good.size() - 1) + "\x01", false, false},
      {"a count the bytes cannot hold",
       ScreenCodec::seal(ScreenCodec::bytes("00 00 00 00 03 11 00 00 00 02 00 08 00 02 00 07 00")),
       false, false},
      {"a parameter running into the checksum",
       ScreenCodec::seal(ScreenCodec::bytes("00 00 00 00 03 11 00 00 00 01 00 08 00 03 00 07 00")),
       false, false},
      {"5 bytes", ScreenCodec::seal(ScreenCodec::bytes("00 00 00 00")), false, false},
      {"129 parameters",
       ScreenCodec::seal(ScreenCodec::bytes("00 00 00 00 03 00 00 00 00 81 00") + params129),
       false, false},
      {"a pair that is not hex", ":0000zz0003\r\n", true, false},
      {"a 1100-byte datagram",
       Reply(0, 0, {Int(0x0008, 1), Text(0x0001, std::string(1100 - 24, 'x'))}), false, true},
  };
  for (const Case &c : cases) {
    if (c.udpOnly && serial()) continue;
    SCOPED_TRACE(c.what);
    if (c.raw && serial()) {
      link.deliver(c.bytes);
    } else {
      link.deliverFrame(c.bytes);
    }
    link.deliverFrame(good);
    const AckCall refused = link.getAck();
    EXPECT_EQ(refused.result, 1);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.count, 0);
    EXPECT_EQ(Vars().group0.id0008, 0) << "nothing stored";
    EXPECT_STREQ(Vars().group0.id0001, "");

    const AckCall next = link.getAck();
    EXPECT_EQ(next.result, 0) << "the refused frame is gone";
    EXPECT_EQ(next.status, 0);
    EXPECT_EQ(next.count, 1) << "the good frame waited";
    link.deliverFrame(Reply(0, 0, {Int(0x0008, 0)}));
    EXPECT_EQ(link.getAck().count, 1);
  }
}

TEST_P(Acks, StopsAtTheEntryLimitAndLeavesTheRestForTheNextCall) {
  std::vector<ScreenParam> sixty;
  for (uint16_t i = 0; i < 60; ++i) sixty.push_back(Int(0x0101 + i % 10, i));
  const std::string frame = Reply(0, 0, sixty);
  for (int i = 0; i < 3; ++i) link.deliverFrame(frame);
  const AckCall first = link.getAck();
  EXPECT_EQ(first.result, 0);
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.count, 120);
  const AckCall second = link.getAck();
  EXPECT_EQ(second.count, 60);
  EXPECT_EQ(link.getAck().count, 0);
}

TEST_P(Acks, NullOutputsAreNotWritten) {
  link.deliverFrame(Reply(0, 0, {Int(0x0002, 7)}));
  link.deliverFrame(Reply(0, 0, {Int(0x0008, 9)}));
  link.deliverFrame(Reply(0, 0, {Int(0x000A, 11)}));
  const uint32_t transport = serial() ? QD_TRANSPORT_SERIAL : QD_TRANSPORT_UDP;
  uint8_t status = 0xEE;
  int32_t count = -1;
  AckParam param{};
  EXPECT_EQ(Qd_GetAck(transport, screentest::kComPort, nullptr, 0, nullptr, &count, nullptr), 0);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Vars().group0.id0002, 7);
  EXPECT_EQ(Vars().group0.id0008, 9);
  EXPECT_EQ(Vars().group0.id000A, 11);
  link.deliverFrame(Reply(0, 0, {Int(0x0002, 8)}));
  EXPECT_EQ(Qd_GetAck(transport, screentest::kComPort, nullptr, 0, &status, nullptr, &param), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(param.id, 0x0002);
  EXPECT_EQ(Vars().group0.id0002, 8);
}

INSTANTIATE_TEST_SUITE_P(Links, Acks, testing::Values(Via::Serial, Via::Udp), screentest::ViaName);

// What only a byte stream can do to the lines.
class SerialLines : public testing::Test {
 protected:
  ScreenLink link{Via::Serial};
  const std::string a = Reply(0, 0, {Int(0x0002, 1)});
  const std::string b = Reply(0, 0, {Int(0x0008, 2), Int(0x000A, 3)});
};

TEST_F(SerialLines, CutsLinesOutOfWhateverArrives) {
  struct Case {
    const char *what;
    std::vector<std::string> writes;  // one Qd_GetAck call after each
    std::vector<int32_t> counts;
  };
  const std::vector<Case> cases = {
      {"noise before a line", {"xy" + ScreenCodec::line(a)}, {1}},
      {"two lines in one write", {ScreenCodec::line(a) + ScreenCodec::line(b)}, {3}},
      {"':' as the last byte", {"junk:", ScreenCodec::line(a).substr(1)}, {0, 1}},
      {"upper-case hex", {ScreenCodec::line(b, true)}, {2}},
      {"a ':' inside a line starts it over",
       {ScreenCodec::line(a).substr(0, 9) + ScreenCodec::line(b)}, {2}},
      {"a CR waiting for its LF", {ScreenCodec::line(a).substr(0, ScreenCodec::line(a).size() - 1), "\n"}, {0, 1}},
      {"an empty line", {":\r\n" + ScreenCodec::line(a)}, {1}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    for (size_t i = 0; i < c.writes.size(); ++i) {
      link.deliver(c.writes[i]);
      const AckCall call = link.getAck();
      EXPECT_EQ(call.result, 0) << i;
      EXPECT_EQ(call.count, c.counts[i]) << i;
    }
  }
}

TEST_F(SerialLines, RecoversFromALineThatNeverEnds) {
  link.deliver(":" + std::string(4999, 'a'));
  link.deliver(ScreenCodec::line(a));
  const AckCall call = link.pollAck(Soon());
  EXPECT_EQ(call.result, 0);
  EXPECT_EQ(call.count, 1);
  EXPECT_EQ(Vars().group0.id0002, 1);
}

TEST_F(SerialLines, KeepsTwoPortsApart) {
  testsupport::PtyPair second;
  testsupport::ComLink com5(link.dir(), 5, second.slavePath());
  ASSERT_EQ(Qd_OpenComm(5, 9600), 5);
  const std::string lineA = ScreenCodec::line(a);
  const std::string lineB = ScreenCodec::line(b);
  link.deliver(lineA.substr(0, 10));
  ASSERT_TRUE(second.write(lineB.substr(0, 12)));
  EXPECT_EQ(link.getAck().count, 0);
  link.deliver(lineA.substr(10));
  ASSERT_TRUE(second.write(lineB.substr(12)));
  EXPECT_EQ(link.getAck().count, 1) << "COM3's line only";
  AckParam params[QD_ACK_MAX_PARAMS];
  uint8_t status = 0;
  int32_t count = 0;
  const auto deadline = Soon();
  do {
    ASSERT_EQ(Qd_GetAck(QD_TRANSPORT_SERIAL, 5, nullptr, 0, &status, &count, params), 0);
  } while (count == 0 && screentest::Clock::now() < deadline);
  ASSERT_EQ(count, 2) << "COM5's line whole";
  EXPECT_EQ(params[0].id, 0x0008);
  EXPECT_EQ(params[1].id, 0x000A);
  Qd_CloseComm(5);
}

// A 2000-byte text is beyond the datagram limit, but fits a line.
TEST_F(SerialLines, KeepsAtMost1023TextBytes) {
  link.deliverFrame(Reply(0, 0, {Text(0x0009, std::string(2000, 'q'))}));
  ASSERT_EQ(link.pollAck(Soon()).count, 1);
  EXPECT_EQ(std::strlen(Vars().group0.id0009), 1023u);
  link.deliverFrame(Reply(0, 0, {Text(0x0009, "short")}));
  ASSERT_EQ(link.pollAck(Soon()).count, 1);
  EXPECT_STREQ(Vars().group0.id0009, "short");
}

TEST(AckLinks, NothingToReadWithoutALink) {
  for (uint32_t transport : {0u, 1u, 2u}) {
    SCOPED_TRACE(transport);
    uint8_t status = 0xEE;
    int32_t count = -1;
    EXPECT_EQ(Qd_GetAck(transport, 3, "127.0.0.1", 0, &status, &count, nullptr), 0);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(count, 0);
  }
}

}  // namespace
