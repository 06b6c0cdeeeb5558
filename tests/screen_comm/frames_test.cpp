// Commands built through the exports arrive byte for byte on a pty (as
// lower-case hex lines) and over loopback UDP (as datagrams).
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "quodel.h"
#include "tests/screen_comm/screen_link_fixture.h"
#include "tests/support/screen_codec.h"

using screentest::Hex;
using screentest::ScreenLink;
using screentest::Soon;
using screentest::Via;
using testsupport::ScreenCodec;

namespace {

class Frames : public testing::TestWithParam<Via> {
 protected:
  ScreenLink link{GetParam()};

  std::string sentFrame() {
    EXPECT_EQ(link.send(), 0);
    return link.nextFrame(Soon()).value_or("<nothing>");
  }
};

constexpr const char *kFloatOne = "00 00 01 00 03 13 00 00 00 01 00 30 00 04 00 00 00 80 3F F5";
constexpr const char *kEveryKind =
    "05 00 07 34 12 24 00 09 00 05 00 01 01 02 00 01 00 AB 03 00 04 00 FE FF FF FF "
    "04 00 02 00 61 62 05 00 00 00 FC";

// One parameter of each kind; `high` goes into the bits above those used.
void AppendEveryKind(uint32_t high) {
  Qd_MakeCmdHeader(high | 5, (high >> 8) | 7, high | 0x1234, high | 9);
  Qd_AddRequestParm(high | 0x0101);
  Qd_AddSetParmByte(high | 2, (high >> 8) | 0xAB);
  Qd_AddSetParmInt(high | 3, static_cast<uint32_t>(-2));
  Qd_AddSetParmString(high | 4, "ab");
  Qd_AddSetParmString(high | 5, "");
}

struct Encoding {
  const char *what;
  std::function<void()> calls;
  const char *expected;
};

TEST_P(Frames, EncodesEveryParameterKind) {
  std::vector<Encoding> cases = {
      {"a word",
       [] {
         Qd_MakeCmdHeader(0, 1, 0x300, 0);
         Qd_AddSetParmWord(0x20, 7);
       },
       "00 00 01 00 03 11 00 00 00 01 00 20 00 02 00 07 00 C1"},
      {"a request",
       [] {
         Qd_MakeCmdHeader(0, 1, 0x200, 0);
         Qd_AddRequestParm(0x20);
       },
       "00 00 01 00 02 0D 00 00 00 01 00 20 00 CF"},
      {"a negative word",
       [] {
         Qd_MakeCmdHeader(0, 1, 0x300, 0);
         Qd_AddSetParmWord(0x0B, static_cast<uint32_t>(-1024));
       },
       "00 00 01 00 03 11 00 00 00 01 00 0B 00 02 00 00 FC E1"},
      {"address -1",
       [] {
         Qd_MakeCmdHeader(static_cast<uint32_t>(-1), 1, 0x200, 0);
         Qd_AddRequestParm(0x20);
       },
       "FF FF 01 00 02 0D 00 00 00 01 00 20 00 D1"},
      {"a float",
       [] {
         Qd_MakeCmdHeader(0, 1, 0x300, 0);
         Qd_AddSetParmFloat(0x30, 1.0f);
       },
       kFloatOne},
      {"every kind in one frame", [] { AppendEveryKind(0); }, kEveryKind},
      {"only the low bits of each argument", [] { AppendEveryKind(0xABC0000); }, kEveryKind},
  };
  // The 32-bit forms give the float's bytes for its bit pattern.
  using Append32 = int32_t (*)(uint32_t, uint32_t);
  const std::pair<const char *, Append32> sameBytes[] = {
      {"bool", Qd_AddSetParmBool}, {"int", Qd_AddSetParmInt}, {"dword", Qd_AddSetParmDword}};
  for (const auto &[name, append] : sameBytes) {
    cases.push_back({name,
                     [append = append] {
                       Qd_MakeCmdHeader(0, 1, 0x300, 0);
                       append(0x30, 0x3F800000);
                     },
                     kFloatOne});
  }
  for (const Encoding &c : cases) {
    SCOPED_TRACE(c.what);
    c.calls();
    EXPECT_EQ(Hex(sentFrame()), c.expected);
  }
}

TEST(SerialFrames, LineIsLowerCaseHexWithCrLf) {
  ScreenLink link(Via::Serial);
  Qd_MakeCmdHeader(0, 1, 0x300, 0);
  Qd_AddSetParmWord(0x20, 7);
  ASSERT_EQ(link.send(), 0);
  EXPECT_EQ(link.pty()->readUntil("\r\n", Soon()), ":0000010003110000000100200002000700c1\r\n");
  Qd_MakeCmdHeader(0, 1, 0x200, 0);
  Qd_AddRequestParm(0x20);
  ASSERT_EQ(link.send(), 0);
  EXPECT_EQ(link.pty()->readUntil("\r\n", Soon()), ":00000100020d00000001002000cf\r\n");
}

TEST_P(Frames, SendsOnlyCompleteFramesOnce) {
  // Appends without a header change nothing; a bare header is not sent.
  Qd_MakeCmdHeader(1, 1, 0x200, 0);
  Qd_AddRequestParm(1);
  ASSERT_EQ(link.send(), 0);
  ASSERT_TRUE(link.nextFrame(Soon()));
  EXPECT_EQ(Qd_AddRequestParm(0x20), 1) << "no header after a send";
  EXPECT_EQ(Qd_AddSetParmWord(0x20, 1), 1);
  EXPECT_EQ(link.send(), 1) << "a second send of one frame";
  link.expectNothingSent();

  Qd_MakeCmdHeader(2, 1, 0x200, 0);
  EXPECT_EQ(link.send(), 1) << "a header alone";
  EXPECT_EQ(Qd_AddRequestParm(0x21), 0) << "the header stays ready";
  EXPECT_EQ(Hex(sentFrame()), "02 00 01 00 02 0D 00 00 00 01 00 21 00 CC");

  Qd_MakeCmdHeader(3, 1, 0x200, 0);
  Qd_AddRequestParm(0x20);
  Qd_MakeCmdHeader(4, 1, 0x200, 0);
  Qd_AddRequestParm(0x20);
  EXPECT_EQ(Hex(sentFrame()), "04 00 01 00 02 0D 00 00 00 01 00 20 00 CB")
      << "only the second header goes out";
}

TEST_P(Frames, SendsNothingWhereThereIsNoLink) {
  struct Case {
    const char *what;
    uint32_t transport, port;
    const char *host;
    bool withoutUdpLink;  // only where the fixture opened none
  };
  const std::vector<Case> cases = {
      {"transport 2", 2, screentest::kComPort, "127.0.0.1", false},
      {"a NULL host", QD_TRANSPORT_UDP, 0, nullptr, false},
      {"an empty host", QD_TRANSPORT_UDP, 0, "", false},
      {"a host name", QD_TRANSPORT_UDP, 0, "localhost", false},
      {"an unopened COM", QD_TRANSPORT_SERIAL, 4, nullptr, false},
      {"UDP without a link", QD_TRANSPORT_UDP, 0, "127.0.0.1", true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    if (c.withoutUdpLink && GetParam() == Via::Udp) continue;
    Qd_MakeCmdHeader(9, 1, 0x200, 0);
    Qd_AddRequestParm(0x20);
    const uint32_t udpPort = link.peer() != nullptr ? link.peer()->port() : 1;
    EXPECT_EQ(Qd_SendCmd(c.transport, c.port, c.host, udpPort), 0);
    EXPECT_EQ(Qd_AddRequestParm(0x21), 1) << "the frame is done";
    link.expectNothingSent();
  }
}

TEST_P(Frames, RefusesAppendsBeyondTheFrameBuffer) {
  Qd_MakeCmdHeader(0, 1, 0x200, 0);
  for (uint32_t id = 1; id <= 508; ++id) ASSERT_EQ(Qd_AddRequestParm(id), 0) << id;
  EXPECT_EQ(Qd_AddRequestParm(509), 1);
  EXPECT_EQ(Qd_AddSetParmByte(509, 1), 1);
  std::string frame = sentFrame();
  ASSERT_EQ(frame.size(), 1028u);
  auto fields = ScreenCodec::decode(frame);
  ASSERT_TRUE(fields) << "length, count and checksum agree";
  EXPECT_EQ(fields->params.size(), 508u);
  EXPECT_EQ(fields->params.back().id, 508);

  for (size_t n : {size_t{1012}, size_t{1013}}) {
    SCOPED_TRACE(n);
    const std::string text(n, 'x');
    Qd_MakeCmdHeader(0, 0, 0x300, 0);
    const int32_t added = Qd_AddSetParmString(1, text.c_str());
    if (n == 1012) {
      EXPECT_EQ(added, 0);
      frame = sentFrame();
      EXPECT_EQ(frame.size(), 1028u);
      fields = ScreenCodec::decode(frame);
      ASSERT_TRUE(fields);
      EXPECT_EQ(fields->params.at(0).data, text);
    } else {
      EXPECT_EQ(added, 1);
      EXPECT_EQ(link.send(), 1) << "nothing was added";
    }
  }

  Qd_MakeCmdHeader(0, 0, 0x300, 0);
  EXPECT_EQ(Qd_AddSetParmString(1, nullptr), 1);
  Qd_AddSetParmWord(2, 3);
  EXPECT_EQ(Hex(sentFrame()), "00 00 00 00 03 11 00 00 00 01 00 02 00 02 00 03 00 E4")
      << "the NULL text added nothing";
}

INSTANTIATE_TEST_SUITE_P(Links, Frames, testing::Values(Via::Serial, Via::Udp), screentest::ViaName);

}  // namespace
