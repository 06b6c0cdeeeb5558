// Closing a link while other threads wait on it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "tests/support/descriptor_limit.h"
#include "tests/transport/serial_bench.h"
#include "transport/com_port_set.h"
#include "transport/udp_link.h"

using namespace std::chrono_literals;
using transport::WaitResult;
using transport_test::GuardDeadline;

namespace {

// Starts `waiters` threads in wait(), closes from this thread once they are
// inside, and returns what each wait gave.
std::vector<WaitResult> CloseUnderWaiters(int waiters, const std::function<WaitResult()> &wait,
                                          const std::function<void()> &close) {
  std::vector<WaitResult> results(static_cast<size_t>(waiters), WaitResult::Readable);
  std::atomic<int> started{0};
  std::vector<std::thread> threads;
  for (int i = 0; i < waiters; ++i) {
    threads.emplace_back([&, i] {
      ++started;
      results[static_cast<size_t>(i)] = wait();
    });
  }
  while (started < waiters) std::this_thread::yield();
  std::this_thread::sleep_for(50ms);  // let them reach poll()
  close();
  for (auto &t : threads) t.join();
  return results;
}

TEST(LinkClose, WaitersOnASerialPortWakeAndThePortIsFreed) {
  transport_test::SerialBench bench;
  transport::CComPortSet ports;
  ASSERT_EQ(ports.Open(3, 9600), 3);
  std::shared_ptr<transport::SerialPort> held = ports.acquire(3);
  const auto deadline = GuardDeadline();

  const auto results = CloseUnderWaiters(
      3, [&] { return held->waitReadable(deadline); }, [&] { ports.Close(3); });
  for (WaitResult r : results) EXPECT_EQ(r, WaitResult::Closed);
  EXPECT_LT(transport::Clock::now(), deadline);

  // The descriptor (and its lock) went with Close: another set opens at once.
  transport::CComPortSet other;
  EXPECT_EQ(other.Open(3, 9600), 3);
}

TEST(LinkClose, WaitersOnAUdpLinkWakeAndThePortCanBeBoundAgain) {
  auto link = std::make_shared<transport::CUdpLink>();
  ASSERT_TRUE(link->Create(0));
  const int port = link->localPort();
  const auto deadline = GuardDeadline();

  const auto results = CloseUnderWaiters(
      3, [&] { return link->waitReadable(deadline); }, [&] { link->Close(); });
  for (WaitResult r : results) EXPECT_EQ(r, WaitResult::Closed);
  EXPECT_LT(transport::Clock::now(), deadline);

  transport::CUdpLink again;
  EXPECT_TRUE(again.Create(port));
}

TEST(LinkClose, ConcurrentClosesAndCallsLeaveNothingOpen) {
  const size_t before = testsupport::OpenDescriptorCount();
  for (int round = 0; round < 20; ++round) {
    transport::CUdpLink link;
    ASSERT_TRUE(link.Create(0));
    std::atomic<bool> stop{false};
    std::thread user([&] {
      char buf[32];
      while (!stop) {
        link.SendTo("ping", 4, link.localPort() ? link.localPort() : 1, "127.0.0.1");
        link.ReceiveFrom(buf, sizeof buf, nullptr, nullptr, nullptr);
        if (link.waitReadable(transport::Clock::now() + 1ms) == WaitResult::Closed) break;
      }
    });
    std::thread closer([&] { link.Close(); });
    link.Close();
    closer.join();
    stop = true;
    user.join();
    EXPECT_FALSE(link.isOpen());
  }
  EXPECT_EQ(testsupport::OpenDescriptorCount(), before);
}

}  // namespace
