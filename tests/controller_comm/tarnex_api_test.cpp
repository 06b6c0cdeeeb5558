// The controller link library through its exports, as the programs use it.
// Every case runs in its own process, so each starts with a fresh library.
#include "tarnex.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <vector>

#include "tests/support/com_link.h"
#include "tests/support/descriptor_limit.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

extern "C" int TarnexHeaderReplySizeFromC(void);
extern "C" int TarnexHeaderReadFromC(void);

namespace {

constexpr int32_t kUdp = 2;
constexpr int32_t serialOn(int com) { return (com << 16) | 1; }

void queueReads(int n) {
  for (int i = 0; i < n; ++i) CMD_Read(1, 0, 64);
}

// A UDP port that was free a moment ago on every local address.
int freeUdpPort() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_ANY);
  socklen_t len = sizeof addr;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) != 0) {
    if (fd >= 0) ::close(fd);
    return -1;
  }
  ::close(fd);
  return ntohs(addr.sin_port);
}

TEST(TarnexApi, FailedOpensAndWhatTheyDoToTheQueue) {
  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exeDir(dir.path());
  std::filesystem::create_symlink(dir / "no-such-adapter", dir / "COM4");
  testsupport::LoopbackUdp holder;

  struct Case {
    const char *what;
    int32_t typePort;
    int32_t localPort;
    int32_t queueAfter;
  };
  const Case cases[] = {
      {"link type 3", 3, 0, 0},
      {"type in the low byte only", (2 << 8) | 3, 0, 0},
      {"serial on a dangling COM link", serialOn(4), 0, 2},
      {"serial on COM 0", serialOn(0), 0, 2},
      {"serial on COM 257", serialOn(257), 0, 2},
      {"UDP on a port a test socket holds", kUdp, holder.port(), 0},
      {"UDP local port 70000", kUdp, 70000, 0},
      {"UDP local port -1", kUdp, -1, 0},
  };
  ASSERT_EQ(PLC_Startup(-1), 1);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    PLC_CloseDev(-1);
    queueReads(2);
    EXPECT_EQ(PLC_OpenDev(c.typePort, 9600, c.localPort), -1);
    EXPECT_EQ(PLC_GetCmdCount(), c.queueAfter);
  }
  // Nothing was left in a slot: the next open takes slot 0.
  EXPECT_EQ(PLC_OpenDev(kUdp, 9600, 0), 0);
}

TEST(TarnexApi, AllSlotsInUse) {
  if (!testsupport::RaiseDescriptorLimit(2 * 1024 + 64)) GTEST_SKIP() << "too few file descriptors allowed";
  const size_t before = testsupport::OpenDescriptorCount();
  ASSERT_EQ(PLC_Startup(-1), 1);
  for (int32_t slot = 0; slot < 1024; ++slot) ASSERT_EQ(PLC_OpenDev(kUdp, 9600, 0), slot);
  queueReads(2);
  EXPECT_EQ(PLC_OpenDev(kUdp, 9600, 0), -1);
  EXPECT_EQ(PLC_GetCmdCount(), 0);
  queueReads(1);
  EXPECT_EQ(PLC_OpenDev(serialOn(1), 9600, 0), -1) << "no slot for a serial link either";
  EXPECT_EQ(PLC_GetCmdCount(), 0);

  EXPECT_EQ(PLC_Cleanup(), 1);
  EXPECT_EQ(testsupport::OpenDescriptorCount(), before) << "clean-up closes every socket";
}

TEST(TarnexApi, OpenCloseOpenGivesTheLowestFreeSlot) {
  ASSERT_EQ(PLC_Startup(-1), 1);
  ASSERT_EQ(PLC_OpenDev(kUdp, 9600, 0), 0);
  ASSERT_EQ(PLC_OpenDev(kUdp, 9600, 0), 1);
  PLC_CloseDev(0);
  EXPECT_EQ(PLC_OpenDev(kUdp, 9600, 0), 0);
  EXPECT_EQ(PLC_OpenDev(kUdp, 9600, 0), 2);
}

TEST(TarnexApi, CloseDevOfNoOpenSlotOnlyEmptiesTheQueue) {
  ASSERT_EQ(PLC_Startup(-1), 1);
  ASSERT_EQ(PLC_OpenDev(kUdp, 9600, 0), 0);
  for (int32_t slot : {-1, 5000, 1024, 7, INT32_MIN}) {
    SCOPED_TRACE(slot);
    queueReads(2);
    PLC_CloseDev(slot);
    EXPECT_EQ(PLC_GetCmdCount(), 0);
  }
  EXPECT_EQ(PLC_OpenDev(kUdp, 9600, 0), 1) << "slot 0 is still in use";
}

TEST(TarnexApi, ReplyRecordBeforeAnyReply) {
  std::array<unsigned char, 262> buffer;
  buffer.fill(0x5A);
  EXPECT_EQ(PLC_GetData(buffer.data()), buffer.data());
  for (unsigned char byte : buffer) ASSERT_EQ(byte, 0);
  EXPECT_EQ(PLC_GetData(nullptr), nullptr);
}

TEST(TarnexApi, DirectModeKeepsEveryQueuedFrame) {
  ASSERT_EQ(PLC_Startup(0), 1);
  EXPECT_EQ(CMD_Read(1, 64, 75), 1);
  EXPECT_EQ(CMD_Read(1, 0, 64), 2);
  EXPECT_EQ(CMD_Read(1, 140, 8), 3);
  EXPECT_EQ(PLC_GetCmdCount(), 3);
}

TEST(TarnexApi, StartupAgainReleasesTheLinksOfTheFirst) {
  const int port = freeUdpPort();
  ASSERT_GT(port, 0);
  ASSERT_EQ(PLC_Startup(-1), 1);
  ASSERT_EQ(PLC_OpenDev(kUdp, 9600, port), 0);
  ASSERT_EQ(PLC_Startup(-1), 1);
  EXPECT_EQ(PLC_OpenDev(kUdp, 9600, port), 0);
}

TEST(TarnexApi, CleanupFreesTheSlotsAndEmptiesTheQueue) {
  const int port = freeUdpPort();
  ASSERT_GT(port, 0);
  ASSERT_EQ(PLC_Startup(-1), 1);
  ASSERT_EQ(PLC_OpenDev(kUdp, 9600, port), 0);
  ASSERT_EQ(PLC_OpenDev(kUdp, 9600, 0), 1);
  queueReads(2);
  EXPECT_EQ(PLC_Cleanup(), 1);
  EXPECT_EQ(PLC_GetCmdCount(), 0);

  queueReads(1);
  PLC_CloseDev(1);  // an old slot: only the queue changes
  EXPECT_EQ(PLC_GetCmdCount(), 0);
  EXPECT_EQ(PLC_OpenDev(kUdp, 9600, port), 0) << "the port was released and slot 0 is free";
}

TEST(TarnexApi, SerialSlotOpensOnceAndReopensAfterClose) {
  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exeDir(dir.path());
  testsupport::PtyPair pty;
  testsupport::ComLink com3(dir.path(), 3, pty.slavePath());

  ASSERT_EQ(PLC_Startup(-1), 1);
  ASSERT_EQ(PLC_OpenDev(serialOn(3) | 0xFF00, 9600, 0), 0) << "bits 8-15 are ignored";
  queueReads(2);
  EXPECT_EQ(PLC_OpenDev(serialOn(3), 9600, 0), -1) << "COM3 is already open";
  EXPECT_EQ(PLC_GetCmdCount(), 2);
  PLC_CloseDev(0);
  EXPECT_EQ(PLC_OpenDev(serialOn(3), 12345, 0), -1) << "not a standard rate";
  EXPECT_EQ(PLC_OpenDev(serialOn(3), 19200, 0), 0);
}

TEST(TarnexApi, WriteRefusalsQueueNothing) {
  const std::vector<uint16_t> values(509, 7);
  ASSERT_EQ(PLC_Startup(-1), 1);
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  EXPECT_EQ(CMD_Write(1, 81, values.data(), -1), 0);
  EXPECT_EQ(CMD_Write(1, 81, values.data(), 509), 0);
  EXPECT_EQ(CMD_Write(1, 81, nullptr, 1), 0);
  EXPECT_EQ(PLC_GetCmdCount(), 1);
  EXPECT_EQ(CMD_Write(1, 81, values.data(), 508), 2);
  EXPECT_EQ(CMD_Write(1, 81, nullptr, 0), 3);
}

TEST(TarnexApi, NotifyWindowIsReturned) {
  EXPECT_EQ(PLC_SetNotify(static_cast<HWND>(42), PlcNotifyMessage), static_cast<HWND>(42));
  EXPECT_EQ(PLC_SetNotify(0, 0), static_cast<HWND>(0));
}

TEST(TarnexApi, HeaderWorksFromC) {
  EXPECT_EQ(TarnexHeaderReplySizeFromC(), 262);
  EXPECT_EQ(TarnexHeaderReadFromC(), 1);
}

}  // namespace
