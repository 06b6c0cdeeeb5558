// Opening and closing the library's serial, UDP and TCP links.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "quodel.h"
#include "tarnex.h"
#include "tests/screen_comm/screen_link_fixture.h"
#include "tests/support/com_link.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/pty_pair.h"
#include "tests/support/screen_codec.h"
#include "tests/support/temp_dir.h"

using namespace std::chrono_literals;
using screentest::Soon;
using testsupport::ScreenCodec;

namespace {

// A socket on 127.0.0.1 with a port the system picks; listening or not.
class LoopbackTcp {
 public:
  explicit LoopbackTcp(bool listening) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr *>(&a), sizeof a), 0);
    EXPECT_EQ(::getsockname(fd_, reinterpret_cast<sockaddr *>(&a), &length), 0);
    port_ = ntohs(a.sin_port);
    if (listening) {
      EXPECT_EQ(::listen(fd_, 4), 0);
    }
  }
  ~LoopbackTcp() { ::close(fd_); }

  int port() const { return port_; }

  // The next accepted connection, or -1 after 5 s.
  int accept() {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 5000) != 1) return -1;
    return ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// Whether the other end of a connection has closed it (EOF within 5 s).
bool ReadsEof(int fd) {
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, 5000) != 1) return false;
  char byte;
  return ::recv(fd, &byte, 1, 0) == 0;
}

bool CanBindUdp(int port) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<uint16_t>(port));
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
  ::close(fd);
  return bound;
}

// A request for one id, ready to send.
void MakeRequest(uint32_t address) {
  Qd_MakeCmdHeader(address, 1, ScreenCodec::kRequest, 0);
  Qd_AddRequestParm(0x20);
}

class SerialLinks : public testing::Test {
 protected:
  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exeDir{dir.path()};
  testsupport::PtyPair pty;
  testsupport::ComLink com3{dir.path(), 3, pty.slavePath()};
};

TEST_F(SerialLinks, OpensEachPortOnceAndRefusesWhatCannotOpen) {
  std::filesystem::create_symlink(dir / "no-such-device", dir / "COM4");
  ASSERT_EQ(Qd_OpenComm(3, 9600), 3);

  struct Refusal {
    const char *what;
    uint32_t port, baud;
  };
  const std::vector<Refusal> refusals = {
      {"COM3 again", 3, 9600},
      {"COM3 named by its low 16 bits", 0x10003, 9600},
      {"a dangling COM4", 4, 9600},
      {"port 0", 0, 9600},
      {"port 257", 257, 9600},
      {"a rate beyond int", 5, 0x80000000u},
  };
  for (const Refusal &r : refusals) EXPECT_EQ(Qd_OpenComm(r.port, r.baud), 0) << r.what;

  MakeRequest(7);
  ASSERT_EQ(Qd_SendCmd(QD_TRANSPORT_SERIAL, 3, nullptr, 0), 0);
  EXPECT_EQ(pty.readUntil("\r\n", Soon()), ":07000100020d00000001002000c8\r\n")
      << "the first link still writes";

  Qd_CloseComm(3);
  EXPECT_EQ(Qd_OpenComm(3, 12345), 0) << "a rate without a standard setting";
  EXPECT_EQ(Qd_OpenComm(3, 115200), 3) << "a closed port opens again";
}

TEST_F(SerialLinks, OnlyASuccessfulOpenAbandonsTheFrameBeingBuilt) {
  std::filesystem::create_symlink(dir / "no-such-device", dir / "COM4");
  MakeRequest(1);
  EXPECT_EQ(Qd_OpenComm(4, 9600), 0);
  EXPECT_EQ(Qd_OpenComm(3, 9600), 3);
  EXPECT_EQ(Qd_SendCmd(QD_TRANSPORT_SERIAL, 3, nullptr, 0), 1) << "the open reset the frame";

  LoopbackTcp listener(true);
  MakeRequest(1);
  EXPECT_EQ(Qd_OpenTcp(nullptr, 1), 0);
  EXPECT_EQ(Qd_OpenTcp("127.0.0.1", static_cast<uint32_t>(listener.port())), 1);
  EXPECT_EQ(Qd_SendCmd(QD_TRANSPORT_SERIAL, 3, nullptr, 0), 1) << "the connect reset the frame";
}

TEST(ReceiveBuffer, LivesAsLongAsItsPortAndATcpOpenEmptiesIt) {
  const std::string line = ScreenCodec::line(ScreenCodec::encode(
      {0, 0, ScreenCodec::kSet, 0, {{0x0002, ScreenCodec::dword(42)}}}));
  const std::string head = line.substr(0, 10);
  const std::string tail = line.substr(10);
  LoopbackTcp listener(true);

  struct Case {
    const char *what;
    bool reopen, connect;
    int32_t expectedCount;
  };
  for (const Case &c : std::vector<Case>{{"kept between calls", false, false, 1},
                                         {"dropped by a close and open", true, false, 0},
                                         {"emptied by a TCP open", false, true, 0}}) {
    SCOPED_TRACE(c.what);
    screentest::ScreenLink link(screentest::Via::Serial);
    link.deliver(head);
    EXPECT_EQ(link.getAck().count, 0);
    if (c.reopen) {
      Qd_CloseComm(3);
      ASSERT_EQ(Qd_OpenComm(3, 9600), 3);
    }
    if (c.connect) {
      ASSERT_EQ(Qd_OpenTcp("127.0.0.1", static_cast<uint32_t>(listener.port())), 1);
    }
    link.deliver(tail);
    const screentest::AckCall call = link.getAck();
    EXPECT_EQ(call.result, 0);
    EXPECT_EQ(call.count, c.expectedCount);
  }
}

TEST_F(SerialLinks, ClosingOurPortLeavesTheControllerLibrarysLinkAlone) {
  ASSERT_EQ(PLC_Startup(0), 1);
  const int32_t slot = PLC_OpenDev(1 | (3 << 16), 9600, 0);
  ASSERT_GE(slot, 0);
  EXPECT_EQ(Qd_OpenComm(3, 9600), 0) << "the port is taken";
  EXPECT_EQ(Qd_CloseComm(3), 0);

  ASSERT_GE(CMD_Read(1, 0, 1), 1);
  ASSERT_GE(PLC_Send(slot, "", 0), 1);
  const std::string line = pty.readUntil("\r\n", Soon());
  EXPECT_EQ(line.substr(0, 1), ":") << "the controller library still writes: " << line;
  EXPECT_EQ(Qd_OpenComm(3, 9600), 0) << "and still holds the port";
  PLC_Cleanup();
}

TEST(UdpLink, BindsAFreshLinkEachOpenAndReleasesTheOldOne) {
  const int32_t a = Qd_OpenUdp(0);
  ASSERT_NE(a, 0) << "port 0 gives the port the system chose";
  EXPECT_FALSE(CanBindUdp(a)) << "bound on every address";
  const int32_t b = Qd_OpenUdp(0);
  ASSERT_NE(b, 0);
  EXPECT_NE(b, a);
  EXPECT_TRUE(CanBindUdp(a)) << "the first link was closed";

  testsupport::LoopbackUdp holder;
  EXPECT_EQ(Qd_OpenUdp(static_cast<uint32_t>(holder.port())), 0) << "a port a socket holds";
  EXPECT_TRUE(CanBindUdp(b)) << "the link before the failed open was closed";

  // No link remains: a send goes nowhere.
  testsupport::LoopbackUdp peer;
  MakeRequest(1);
  EXPECT_EQ(Qd_SendCmd(QD_TRANSPORT_UDP, 0, "127.0.0.1", static_cast<uint32_t>(peer.port())), 0);
  EXPECT_FALSE(peer.receive(screentest::Clock::now() + 200ms));

  // The low 16 bits name the port.
  const int32_t c = Qd_OpenUdp(0);
  ASSERT_NE(c, 0);
  Qd_CloseUdp();
  EXPECT_EQ(Qd_OpenUdp(0x10000u | static_cast<uint32_t>(c)), c);
}

TEST(TcpLink, ConnectsReplacesAndRefuses) {
  LoopbackTcp listener(true);
  const uint32_t port = static_cast<uint32_t>(listener.port());
  ASSERT_EQ(Qd_OpenTcp("127.0.0.1", port), 1);
  const int first = listener.accept();
  ASSERT_GE(first, 0) << "the connection was accepted";

  ASSERT_EQ(Qd_OpenTcp("127.0.0.1", port), 1);
  const int second = listener.accept();
  ASSERT_GE(second, 0);
  EXPECT_TRUE(ReadsEof(first)) << "the first link was closed";

  Qd_CloseTcp();
  EXPECT_TRUE(ReadsEof(second));

  LoopbackTcp notListening(false);
  EXPECT_EQ(Qd_OpenTcp("127.0.0.1", static_cast<uint32_t>(notListening.port())), 0);
  EXPECT_EQ(Qd_OpenTcp("127.0.0.1", 0), 0);
  EXPECT_EQ(Qd_OpenTcp("", port), 0);
  EXPECT_EQ(Qd_OpenTcp(nullptr, port), 0);
  ::close(first);
  ::close(second);
}

// The first IPv4 address the resolver gives for a name, or 0.
in_addr_t FirstIpv4(const char *host) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo *found = nullptr;
  if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) return 0;
  const in_addr_t address = reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr.s_addr;
  ::freeaddrinfo(found);
  return address;
}

TEST(TcpLink, ConnectsToAHostGivenByName) {
  if (FirstIpv4("localhost") != htonl(INADDR_LOOPBACK)) {
    GTEST_SKIP() << "localhost does not resolve to 127.0.0.1 here";
  }
  LoopbackTcp listener(true);
  ASSERT_EQ(Qd_OpenTcp("localhost", static_cast<uint32_t>(listener.port())), 1);
  const int accepted = listener.accept();
  ASSERT_GE(accepted, 0) << "the connection was accepted";
  sockaddr_in peer{};
  socklen_t length = sizeof peer;
  ASSERT_EQ(::getpeername(accepted, reinterpret_cast<sockaddr *>(&peer), &length), 0);
  EXPECT_EQ(peer.sin_addr.s_addr, htonl(INADDR_LOOPBACK));
  Qd_CloseTcp();
  EXPECT_TRUE(ReadsEof(accepted));
  ::close(accepted);
}

TEST(Closes, WithNothingOpenReturnZero) {
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    EXPECT_EQ(Qd_CloseComm(3), 0);
    EXPECT_EQ(Qd_CloseComm(0), 0);
    EXPECT_EQ(Qd_CloseComm(70000), 0);
    EXPECT_EQ(Qd_CloseUdp(), 0);
    EXPECT_EQ(Qd_CloseTcp(), 0);
  }
}

}  // namespace
