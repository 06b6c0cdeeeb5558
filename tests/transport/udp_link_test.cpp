#include "transport/udp_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/loopback_udp.h"
#include "transport/wait_result.h"

using namespace std::chrono_literals;
using testsupport::LoopbackUdp;
using transport::CUdpLink;
using transport::WaitResult;

namespace {

transport::Deadline GuardDeadline() { return transport::Clock::now() + 10s; }

TEST(UdpLink, CreateBindsOnceAndRefusesABoundPort) {
  CUdpLink first;
  ASSERT_TRUE(first.Create(0));
  const int port = first.localPort();
  EXPECT_NE(port, 0);
  EXPECT_FALSE(first.Create(0)) << "a link is created once";

  CUdpLink second;
  EXPECT_FALSE(second.Create(port));
  EXPECT_EQ(second.localPort(), 0);
  EXPECT_EQ(second.ReceiveFrom(nullptr, 0, nullptr, nullptr, nullptr), -1);

  for (int bad : {-1, 65536, 70000}) {
    CUdpLink link;
    EXPECT_FALSE(link.Create(bad)) << bad;
  }

  // The first link still receives.
  LoopbackUdp peer;
  ASSERT_TRUE(peer.sendTo(port, "still here"));
  ASSERT_EQ(first.waitReadable(GuardDeadline()), WaitResult::Readable);
  char buf[64];
  EXPECT_EQ(first.ReceiveFrom(buf, sizeof buf, nullptr, nullptr, nullptr), 10);
  EXPECT_EQ(std::string(buf, 10), "still here");

  first.Close();
  EXPECT_EQ(first.localPort(), 0);
  EXPECT_FALSE(first.Create(0)) << "a closed link stays closed";
}

TEST(UdpLink, ReceivesDatagrams) {
  struct Case {
    const char *what;
    std::string datagram;
    size_t capacity;
    int expected;
    bool truncated;
  };
  const std::vector<Case> cases = {
      {"a reply from a third socket", ":0103020005F5\r\n", 1024, 15, false},
      {"an empty datagram", "", 1024, 0, false},
      {"3000 bytes into 1024", std::string(3000, 'x'), 1024, 1024, true},
      {"exactly the capacity", std::string(1024, 'y'), 1024, 1024, false},
  };
  CUdpLink link;
  ASSERT_TRUE(link.Create(0));
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    LoopbackUdp peer;
    ASSERT_TRUE(peer.sendTo(link.localPort(), c.datagram));
    ASSERT_EQ(link.waitReadable(GuardDeadline()), WaitResult::Readable);
    std::vector<char> buf(c.capacity + 16, '\0');
    std::string addr;
    int port = 0;
    bool truncated = !c.truncated;
    EXPECT_EQ(link.ReceiveFrom(buf.data(), c.capacity, &addr, &port, &truncated), c.expected);
    EXPECT_EQ(truncated, c.truncated);
    EXPECT_EQ(addr, "127.0.0.1");
    EXPECT_EQ(port, peer.port());
    EXPECT_EQ(std::string(buf.data(), static_cast<size_t>(c.expected)),
              c.datagram.substr(0, static_cast<size_t>(c.expected)));
    EXPECT_EQ(buf[c.capacity], '\0') << "wrote past the capacity";
    // The datagram was taken whole: nothing is left.
    EXPECT_EQ(link.ReceiveFrom(buf.data(), c.capacity, nullptr, nullptr, &truncated), 0);
    EXPECT_FALSE(truncated);
  }
  EXPECT_EQ(link.waitReadable(transport::Clock::now() + 20ms), WaitResult::Timeout);
}

TEST(UdpLink, SendsOnlyToDottedQuads) {
  struct Case {
    const char *host;
    bool sent;
  };
  const std::vector<Case> cases = {
      {"127.0.0.1", true},    {"127.000.000.001", true}, {"", false},
      {nullptr, false},       {"localhost", false},      {"1.2.3", false},
      {"256.0.0.1", false},   {"1.2.3.4.5", false},      {" 127.0.0.1", false},
      {"127.0.0.1 ", false},  {"127..0.1", false},       {"+127.0.0.1", false},
      {"0x7f.0.0.1", false},  {"127.0.0.1.", false},     {"127.0.0.0001x", false},
      {"127.0.0.00000000000000000001", true},
  };
  CUdpLink link;
  ASSERT_TRUE(link.Create(0));
  LoopbackUdp peer;
  const std::string frame = ":010300000040BC\r\n";
  for (const Case &c : cases) {
    SCOPED_TRACE(c.host ? c.host : "NULL");
    const int r = link.SendTo(frame.data(), frame.size(), peer.port(), c.host);
    if (c.sent) {
      EXPECT_EQ(r, static_cast<int>(frame.size()));
      const auto got = peer.receive(GuardDeadline());
      ASSERT_TRUE(got.has_value());
      EXPECT_EQ(got->bytes, frame);
      EXPECT_EQ(got->port, link.localPort());
    } else {
      EXPECT_EQ(r, -1);
    }
  }
  EXPECT_FALSE(peer.receive(transport::Clock::now() + 20ms).has_value()) << "a refused send went out";

  for (int port : {0, -1, 65536})
    EXPECT_EQ(link.SendTo(frame.data(), frame.size(), port, "127.0.0.1"), -1) << port;
  link.Close();
  EXPECT_EQ(link.SendTo(frame.data(), frame.size(), peer.port(), "127.0.0.1"), -1);
}

TEST(UdpLink, DrainDiscardsStaleDatagrams) {
  CUdpLink link;
  ASSERT_TRUE(link.Create(0));
  LoopbackUdp peer;
  for (const char *text : {"one", "two", "three"}) ASSERT_TRUE(peer.sendTo(link.localPort(), text));
  ASSERT_EQ(link.waitReadable(GuardDeadline()), WaitResult::Readable);
  EXPECT_EQ(link.drain(2), 2);
  char buf[16];
  EXPECT_EQ(link.ReceiveFrom(buf, sizeof buf, nullptr, nullptr, nullptr), 5);
  EXPECT_EQ(std::string(buf, 5), "three");
  EXPECT_EQ(link.drain(10), 0);
  link.Close();
  EXPECT_EQ(link.drain(10), 0);
  EXPECT_EQ(link.waitReadable(GuardDeadline()), WaitResult::Closed);
}

TEST(UdpLink, PeekShowsTheNextDatagramAndItsFullLengthWithoutTakingIt) {
  CUdpLink link;
  ASSERT_TRUE(link.Create(0));
  size_t length = 99;
  char buf[8] = {};
  EXPECT_FALSE(link.PeekFrom(buf, sizeof buf, &length)) << "nothing waiting";
  EXPECT_EQ(length, 0u);

  LoopbackUdp peer;
  for (const std::string &text : {std::string("a datagram of 23 bytes."), std::string()})
    ASSERT_TRUE(peer.sendTo(link.localPort(), text));
  ASSERT_EQ(link.waitReadable(GuardDeadline()), WaitResult::Readable);
  for (int look = 0; look < 2; ++look) {
    std::memset(buf, 0, sizeof buf);
    ASSERT_TRUE(link.PeekFrom(buf, 4, &length));
    EXPECT_EQ(length, 23u) << "the real length, past the capacity";
    EXPECT_EQ(std::string(buf, 5), std::string("a da\0", 5));
  }
  ASSERT_TRUE(link.PeekFrom(nullptr, 0, nullptr));
  EXPECT_EQ(link.drain(1), 1);
  ASSERT_TRUE(link.PeekFrom(buf, sizeof buf, &length)) << "an empty datagram is still one";
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(link.drain(1), 1);
  EXPECT_FALSE(link.PeekFrom(buf, sizeof buf, &length));

  link.Close();
  EXPECT_FALSE(link.PeekFrom(buf, sizeof buf, &length));
}

}  // namespace
