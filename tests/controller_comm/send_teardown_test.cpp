// Closing links and cleaning up while a send runs, and the threads the
// notice runs on. Nothing here may hang: every wait has a hang guard.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/controller_comm/link_fixture.h"
#include "tests/support/queued_receiver.h"

namespace linktest {
namespace {

// A UDP port that was free a moment ago on every local address.
int FreeUdpPort() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_ANY);
  socklen_t len = sizeof addr;
  int port = -1;
  if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) == 0) {
    port = ntohs(addr.sin_port);
  }
  if (fd >= 0) ::close(fd);
  return port;
}

class SendTeardown : public LinkTest {
 protected:
  // Starts a read that the silent simulator never answers.
  void startSilentRead() {
    ASSERT_TRUE(sim_.setFault("silent"));
    ASSERT_GE(CMD_Read(1, 0, 64), 1);
    ASSERT_GE(send(), 2);
    ASSERT_EQ(nextRx(), ":010300000040BC");
  }
};

TEST_P(SendTeardown, CloseDevWakesTheWaitAndFreesTheLink) {
  int localPort = 0;
  if (udp()) {
    // A known local port, so the same one can be bound again at once.
    localPort = FreeUdpPort();
    ASSERT_GT(localPort, 0);
    ASSERT_EQ(PLC_Startup(kQueued), 1);
    slot_ = PLC_OpenDev(2, 9600, localPort);
    ASSERT_GE(slot_, 0);
  }
  startSilentRead();
  PLC_CloseDev(slot_);
  const int32_t again = udp() ? PLC_OpenDev(2, 9600, localPort) : open();
  EXPECT_EQ(again, slot_) << "the port is free as soon as PLC_CloseDev returns";
  const std::optional<Notice> notice = recorder_.next();
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->result, PlcResultBadSlot) << "woken, not timed out";
  EXPECT_EQ(notice->function, 3);
}

TEST_P(SendTeardown, ACommandQueuedAfterReopeningSurvivesTheOldSend) {
  ASSERT_TRUE(sim_.setFault(lateWithin()));
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_GE(send(), 2);
  ASSERT_EQ(nextRx(), ":010300000040BC");
  PLC_CloseDev(slot_);
  slot_ = open();
  ASSERT_GE(slot_, 0);
  ASSERT_EQ(CMD_Read(1, 140, 8), 1);

  const std::optional<Notice> old = recorder_.next();
  ASSERT_TRUE(old);
  EXPECT_EQ(old->result, PlcResultBadSlot);
  EXPECT_EQ(PLC_GetCmdCount(), 1) << "the old send removed only what it sent";
  // The controller still answers the old request: let that go by first.
  ASSERT_TRUE(sim_.waitForEvent("tx", 10s));

  ASSERT_TRUE(sim_.setFault("none"));
  ASSERT_GE(sendWhenFree(), 2);
  const std::optional<Notice> next = recorder_.next();
  ASSERT_TRUE(next);
  EXPECT_EQ(next->result, PlcResultDone);
  EXPECT_EQ(next->reply.count, 8);
  EXPECT_EQ(nextRx(), ":0103008C000868");
}

// The test thread is the notice window's thread: the worker's notice waits
// in its queue for a pump that never comes while PLC_Cleanup runs. Cleanup
// takes the notice back instead of waiting for the window, and nothing is
// handled afterwards.
TEST_P(SendTeardown, CleanupFromTheWindowThreadTakesAPendingNoticeBack) {
  std::vector<WPARAM> handled;
  platform::QueuedReceiver window([&](const platform::WindowMessage &m) {
    handled.push_back(m.wParam);
    return LRESULT{0};
  });
  PLC_SetNotify(window.handle(), PlcNotifyMessage);
  startSilentRead();
  PLC_CloseDev(slot_);  // wakes the wait: the notice is queued to this thread
  const auto guard = std::chrono::steady_clock::now() + testsupport::kHangGuard;
  while (window.pending() == 0 && std::chrono::steady_clock::now() < guard) std::this_thread::sleep_for(1ms);
  ASSERT_EQ(window.pending(), 1u);
  PLC_Cleanup();
  window.pump(std::chrono::steady_clock::now(), 10);
  EXPECT_TRUE(handled.empty()) << "a notice was handled after PLC_Cleanup returned";

  // The library starts again and its next notice reaches the window.
  start(kQueued);
  PLC_SetNotify(window.handle(), PlcNotifyMessage);
  ASSERT_TRUE(sim_.setFault("none"));
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_GE(sendWhenFree(), 2);
  EXPECT_EQ(window.pump(std::chrono::steady_clock::now() + testsupport::kHangGuard, 1), 1u);
  ASSERT_EQ(handled.size(), 1u);
  EXPECT_EQ(handled[0], 3u | (PlcResultDone << 16));
}

TEST_P(SendTeardown, CleanupDuringAWaitThenTheWindowGoes) {
  auto window = std::make_unique<platform::QueuedReceiver>([](const platform::WindowMessage &) {
    ADD_FAILURE() << "the notice ran after PLC_Cleanup";
    return LRESULT{0};
  });
  PLC_SetNotify(window->handle(), PlcNotifyMessage);
  startSilentRead();
  PLC_Cleanup();
  window->pump(std::chrono::steady_clock::now(), 10);
  window.reset();

  start(kQueued);
  ASSERT_TRUE(sim_.setFault("none"));
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  ASSERT_GE(sendWhenFree(), 2) << "the ended worker let the next send in";
  const std::optional<Notice> notice = recorder_.next();
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->result, PlcResultDone);
}

TEST_P(SendTeardown, CloseDevAndCleanupFromInsideTheHandler) {
  std::atomic<bool> returned{false};
  recorder_.setInHandler([&](const Notice &) {
    PLC_CloseDev(slot_);
    PLC_Cleanup();
    returned = true;
  });
  ASSERT_EQ(CMD_Read(1, 0, 64), 1);
  const Notice notice = exchange();
  EXPECT_EQ(notice.result, PlcResultDone);
  EXPECT_TRUE(returned);

  recorder_.setInHandler(nullptr);
  start(kQueued);
  ASSERT_EQ(CMD_Read(1, 140, 8), 1);
  ASSERT_GE(sendWhenFree(), 2);
  const std::optional<Notice> next = recorder_.next();
  ASSERT_TRUE(next);
  EXPECT_EQ(next->result, PlcResultDone);
}

TEST_P(SendTeardown, NoticesRunOnTheWindowThreadWithTheirOwnReply) {
  for (int i = 0; i < 10; ++i) {
    const bool clock = i % 2 == 1;
    ASSERT_EQ(clock ? CMD_Read(1, 140, 8) : CMD_Read(1, 0, 64), 1);
    const Notice notice = exchange();
    EXPECT_EQ(notice.thread, recorder_.receiverThread());
    EXPECT_NE(notice.thread, std::this_thread::get_id());
    EXPECT_EQ(notice.result, PlcResultDone);
    EXPECT_EQ(notice.reply.count, clock ? 8 : 64) << "exchange " << i;
  }
}

LINK_TEST_SUITE(SendTeardown);

}  // namespace
}  // namespace linktest
