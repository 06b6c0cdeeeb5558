// White-box checks of the library state: what the exports leave behind in
// the frame built last, the queue entries and the slots' links.
#include "controller_comm/library_state.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "tests/support/com_link.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using tarnex::LibraryState;

constexpr int32_t kUdp = 2;
constexpr int32_t serialOn(int com) { return (com << 16) | 1; }

TEST(LibraryState, RefusedWriteLeavesNoFrameToRepeat) {
  const uint16_t values[509] = {};
  struct Case {
    const char *what;
    const uint16_t *values;
    int32_t count;
  };
  const Case refusals[] = {
      {"negative count", values, -1},
      {"509 values", values, 509},
      {"NULL values", nullptr, 3},
  };
  for (const Case &c : refusals) {
    SCOPED_TRACE(c.what);
    LibraryState state;
    ASSERT_EQ(state.queueRead(1, 0, 64), 1);
    EXPECT_EQ(state.queueWrite(1, 81, c.values, c.count), 0);
    EXPECT_EQ(state.commandCount(), 1u);
    EXPECT_EQ(state.lastFrameText(), "");
    EXPECT_EQ(state.builder().function, 0);
    EXPECT_EQ(state.builder().address, 0);
  }
}

TEST(LibraryState, EachQueuedFrameKeepsItsOwnAddressAndFunction) {
  LibraryState state;
  const uint16_t on[] = {1};
  EXPECT_EQ(state.queueRead(0x102, 0, 64), 1);
  EXPECT_EQ(state.queueWrite(1, 176, on, 1), 2);

  const auto entries = state.queuedCommands();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].text, ":020300000040BB\r\n");
  EXPECT_EQ(entries[0].address, 2);
  EXPECT_EQ(entries[0].function, 3);
  EXPECT_EQ(entries[1].text, ":011000B0000100013D\r\n");
  EXPECT_EQ(entries[1].address, 1);
  EXPECT_EQ(entries[1].function, 16);
  EXPECT_LT(entries[0].id, entries[1].id);
  EXPECT_EQ(state.lastFrameText(), ":011000B0000100013D\r\n");
  EXPECT_EQ(state.builder().function, 16);
  EXPECT_EQ(state.builder().address, 1);
}

TEST(LibraryState, ClosingASlotClosesTheLinkASenderStillHolds) {
  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exeDir(dir.path());
  testsupport::PtyPair pty;
  testsupport::ComLink com3(dir.path(), 3, pty.slavePath());

  LibraryState state;
  ASSERT_EQ(state.openDevice(serialOn(3), 9600, 0), 0);
  ASSERT_EQ(state.openDevice(kUdp, 0, 0), 1);
  const tarnex::DeviceSlot serialSlot = state.slot(0);
  const tarnex::DeviceSlot udpSlot = state.slot(1);
  EXPECT_TRUE(serialSlot.inUse);
  EXPECT_EQ(serialSlot.linkType, tarnex::kLinkSerial);
  EXPECT_EQ(serialSlot.comPort, 3);
  ASSERT_TRUE(serialSlot.link);
  EXPECT_EQ(udpSlot.linkType, tarnex::kLinkUdp);
  EXPECT_EQ(udpSlot.comPort, 0);
  const auto udp = std::dynamic_pointer_cast<transport::CUdpLink>(udpSlot.link);
  ASSERT_TRUE(udp);
  const int udpPort = udp->localPort();
  ASSERT_NE(udpPort, 0);

  // The slot's links are the live ones.
  ASSERT_EQ(serialSlot.link->send(":010300000040BC\r\n", 17, {}), 17);
  EXPECT_EQ(pty.readUntil("\r\n", std::chrono::steady_clock::now() + 5s), ":010300000040BC\r\n");

  state.closeDevice(0);
  state.closeDevice(1);
  EXPECT_FALSE(state.slot(0).inUse);
  EXPECT_FALSE(serialSlot.link->isOpen());
  EXPECT_EQ(serialSlot.link->send("x", 1, {}), -1);
  EXPECT_FALSE(udpSlot.link->isOpen());

  // Both can be opened again at once, in the same slots.
  EXPECT_EQ(state.openDevice(serialOn(3), 9600, 0), 0);
  EXPECT_EQ(state.openDevice(kUdp, 0, udpPort), 1);
}

TEST(LibraryState, CleanupClosesEveryLinkAndStartupKeepsTheQueue) {
  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exeDir(dir.path());
  testsupport::PtyPair pty;
  testsupport::ComLink com2(dir.path(), 2, pty.slavePath());

  LibraryState state;
  ASSERT_EQ(state.openDevice(serialOn(2), 115200, 0), 0);
  ASSERT_EQ(state.openDevice(kUdp, 0, 0), 1);
  const auto serial = state.slot(0).link;
  const auto udp = state.slot(1).link;
  state.queueRead(1, 0, 1);

  state.startup(0);
  EXPECT_EQ(state.mode(), 0);
  EXPECT_FALSE(serial->isOpen());
  EXPECT_FALSE(udp->isOpen());
  EXPECT_FALSE(state.slot(0).inUse);
  EXPECT_FALSE(state.slot(1).inUse);
  EXPECT_EQ(state.commandCount(), 1u);

  ASSERT_EQ(state.openDevice(serialOn(2), 115200, 0), 0);
  const auto again = state.slot(0).link;
  state.cleanup();
  EXPECT_FALSE(again->isOpen());
  EXPECT_EQ(state.commandCount(), 0u);
  EXPECT_EQ(state.mode(), 0) << "clean-up keeps the mode";
  EXPECT_EQ(state.lastFrameText(), ":010300000001FB\r\n") << "and the frame built last";
}

TEST(LibraryState, CallerAndSenderThreadsShareTheQueueSafely) {
  LibraryState state;
  std::atomic<bool> stop{false};
  std::thread other([&] {
    while (!stop) {
      state.closeDevice(-1);  // empties the queue
      (void)state.commandCount();
      (void)state.queuedCommands();
      (void)state.lastFrameText();
    }
  });
  const uint16_t values[4] = {1, 2, 3, 4};
  for (int i = 0; i < 2000; ++i) {
    ASSERT_GE(state.queueRead(1, i, 1), 1);
    ASSERT_GE(state.queueWrite(2, i, values, 4), 1);
  }
  stop = true;
  other.join();
  for (const auto &entry : state.queuedCommands()) {
    EXPECT_TRUE(entry.function == 3 || entry.function == 16);
    EXPECT_EQ(entry.text.size(), entry.function == 3 ? 17u : 33u);
  }
}

}  // namespace
