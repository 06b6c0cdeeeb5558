#include "transport/com_port_set.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/descriptor_limit.h"
#include "tests/transport/serial_bench.h"

using namespace std::chrono_literals;
using transport::CComPortSet;
using transport::WaitResult;
using transport_test::GuardDeadline;
using transport_test::SerialBench;

namespace {

const std::string kReply = ":0103020005F5\r\n";

// Reads from COM n until `want` bytes arrived or the guard deadline passed.
std::string ReadAll(CComPortSet &ports, int n, size_t want) {
  std::string got;
  const transport::Deadline deadline = GuardDeadline();
  auto port = ports.acquire(n);
  while (port && got.size() < want && port->waitReadable(deadline) == WaitResult::Readable) {
    char buf[1024];
    const int r = port->read(buf, sizeof buf);
    if (r < 0) break;
    got.append(buf, static_cast<size_t>(r));
  }
  return got;
}

// Waits until the device's input queue holds `count` bytes.
bool WaitQueued(const std::string &device, size_t count) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  const transport::Deadline deadline = GuardDeadline();
  int queued = -1;
  while (::ioctl(fd, FIONREAD, &queued) == 0 && static_cast<size_t>(queued) < count &&
         transport::Clock::now() < deadline)
    std::this_thread::sleep_for(1ms);
  ::close(fd);
  return queued >= 0 && static_cast<size_t>(queued) == count;
}

// A line setting a serial device might be left in by another program: echo,
// canonical input, CR/LF mapping, software and hardware flow control, no
// CLOCAL. Open must replace all of it.
void SpoilLineSettings(const std::string &device) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  termios t;
  ASSERT_EQ(::tcgetattr(fd, &t), 0);
  t.c_lflag |= ECHO | ICANON | ISIG | IEXTEN;
  t.c_iflag |= ICRNL | IXON | IXOFF | ISTRIP;
  t.c_oflag |= OPOST | ONLCR;
  t.c_cflag |= CRTSCTS | PARENB;
  t.c_cflag &= ~CLOCAL;
  ASSERT_EQ(::tcsetattr(fd, TCSANOW, &t), 0);
  ::close(fd);
}

TEST(ComPortSet, BytesPassUnchangedBothWays) {
  SerialBench bench;
  SpoilLineSettings(bench.pty.slavePath());
  CComPortSet ports;
  ASSERT_EQ(ports.Open(3, 115200), 3);
  const auto port = ports.acquire(3);

  // The reply of a controller arrives exactly, with no echo back to the peer.
  ASSERT_TRUE(bench.pty.write(kReply));
  EXPECT_EQ(ReadAll(ports, 3, kReply.size()), kReply);
  EXPECT_EQ(bench.pty.readFor(100ms), "");

  // A frame goes out unchanged.
  const std::string frame = ":010300000040BC\r\n";
  ASSERT_EQ(port->write(frame.data(), frame.size()), static_cast<int>(frame.size()));
  EXPECT_EQ(bench.pty.readUntil("\r\n", GuardDeadline()), frame);

  // Every byte value, control characters included, both ways.
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  ASSERT_EQ(port->write(all.data(), all.size()), 256);
  std::string peerGot;
  const auto deadline = GuardDeadline();
  while (peerGot.size() < all.size() && transport::Clock::now() < deadline)
    peerGot += bench.pty.readFor(20ms);
  EXPECT_EQ(peerGot, all);
  ASSERT_TRUE(bench.pty.write(all));
  EXPECT_EQ(ReadAll(ports, 3, all.size()), all);
  EXPECT_EQ(bench.pty.readFor(50ms), "");

  // The device is left raw, 8N1, without flow control and at the rate asked.
  const int fd = ::open(bench.pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  termios t;
  ASSERT_EQ(::tcgetattr(fd, &t), 0);
  ::close(fd);
  EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
  EXPECT_EQ(t.c_iflag & (ICRNL | IXON | IXOFF | IXANY | ISTRIP), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_cflag & (CRTSCTS | PARENB | CSTOPB), 0u);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_NE(t.c_cflag & CLOCAL, 0u);
  EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B115200));
}

TEST(ComPortSet, ReadCounts) {
  struct Step {
    size_t capacity;
    int expected;
  };
  struct Case {
    const char *what;
    std::string waiting;
    std::vector<Step> reads;
  };
  const std::vector<Case> cases = {
      {"capacity smaller than what waits", kReply, {{4, 4}, {1024, 11}, {1024, 0}}},
      {"nothing waiting", "", {{1024, 0}, {1024, 0}}},
      {"capacity 0 leaves the bytes queued", kReply, {{0, 0}, {1024, 15}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    SerialBench bench;
    CComPortSet ports;
    ASSERT_EQ(ports.Open(3, 9600), 3);
    const auto port = ports.acquire(3);
    ASSERT_TRUE(bench.pty.write(c.waiting));
    ASSERT_TRUE(WaitQueued(bench.pty.slavePath(), c.waiting.size()));
    std::string received;
    for (const Step &step : c.reads) {
      std::vector<char> buf(step.capacity + 1, '#');
      const int r = port->read(buf.data(), step.capacity);
      EXPECT_EQ(r, step.expected);
      EXPECT_EQ(buf[step.capacity], '#') << "read past the capacity";
      if (r > 0) received.append(buf.data(), static_cast<size_t>(r));
    }
    EXPECT_EQ(received, c.waiting);
  }
  // Nothing to read on a number that is not open or out of range.
  CComPortSet ports;
  for (int n : {3, 0, 257}) EXPECT_EQ(ports.acquire(n), nullptr) << n;
}

TEST(ComPortSet, SecondOpenOfOpenNumberFailsAndKeepsTheFirst) {
  SerialBench bench;
  CComPortSet ports;
  ASSERT_EQ(ports.Open(3, 9600), 3);
  auto first = ports.acquire(3);
  EXPECT_EQ(ports.Open(3, 9600), -1);
  EXPECT_EQ(ports.acquire(3), first);

  ASSERT_TRUE(bench.pty.write(kReply));
  EXPECT_EQ(ReadAll(ports, 3, kReply.size()), kReply);
  ASSERT_EQ(first->write(kReply.data(), kReply.size()), static_cast<int>(kReply.size()));
  EXPECT_EQ(bench.pty.readUntil("\r\n", GuardDeadline()), kReply);
}

TEST(ComPortSet, OpenRefusals) {
  SerialBench bench;
  std::ofstream(bench.dir / "plain-file") << "not a device";
  std::filesystem::create_symlink(bench.dir / "plain-file", bench.dir / "COM5");
  const int lockFd = ::open(bench.pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(lockFd, 0);

  struct Case {
    const char *what;
    int n;
    int baud;
    bool lockDevice;
  };
  const std::vector<Case> cases = {
      {"device locked by another descriptor", 3, 9600, true},
      {"COM5 links to a regular file", 5, 9600, false},
      {"COM6 has no device", 6, 9600, false},
      {"rate 12345", 3, 12345, false},
      {"rate 0", 3, 0, false},
      {"negative rate", 3, -9600, false},
      {"number 0", 0, 9600, false},
      {"number 257", 257, 9600, false},
  };
  testsupport::TempDir emptyDir;  // COM6 must not resolve to a real /dev/ttyS5
  std::filesystem::create_symlink(emptyDir / "missing", bench.dir / "COM6");
  const size_t descriptorsBefore = testsupport::OpenDescriptorCount();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    if (c.lockDevice) {
      ASSERT_EQ(::flock(lockFd, LOCK_EX | LOCK_NB), 0);
    }
    CComPortSet ports;
    EXPECT_EQ(ports.Open(c.n, c.baud), -1);
    EXPECT_FALSE(ports.isOpen(c.n));
    if (c.lockDevice) ::flock(lockFd, LOCK_UN);
  }
  EXPECT_EQ(testsupport::OpenDescriptorCount(), descriptorsBefore) << "a failed open leaked";

  // Another library's set holding the port counts as a lock too.
  CComPortSet holder, other;
  ASSERT_EQ(holder.Open(3, 9600), 3);
  EXPECT_EQ(other.Open(3, 9600), -1);
  holder.Close(3);
  EXPECT_EQ(other.Open(3, 9600), 3);
  ::close(lockFd);
}

TEST(ComPortSet, CloseReopenAndHangUp) {
  SerialBench bench;
  CComPortSet ports;

  ports.CloseAll();  // on an empty set: nothing happens
  ports.Close(3);
  ports.Close(0);
  EXPECT_FALSE(ports.isOpen(3));

  ASSERT_EQ(ports.Open(3, 9600), 3);
  auto held = ports.acquire(3);
  ports.Close(3);
  EXPECT_FALSE(ports.isOpen(3));
  EXPECT_EQ(ports.acquire(3), nullptr);
  // A worker's handle outlives Close as a closed port.
  ASSERT_NE(held, nullptr);
  char buf[16];
  EXPECT_EQ(held->read(buf, sizeof buf), -1);
  EXPECT_EQ(held->write("x", 1), -1);
  EXPECT_EQ(held->waitReadable(GuardDeadline()), WaitResult::Closed);

  ASSERT_EQ(ports.Open(3, 19200), 3);
  EXPECT_EQ(ports.acquire(3)->baud(), 19200);
  ASSERT_TRUE(bench.pty.write(kReply));
  EXPECT_EQ(ReadAll(ports, 3, kReply.size()), kReply);

  // The far end goes away: reads give 0 and waits report it at once, every
  // time, instead of looping until their deadline.
  bench.pty.hangUp();
  auto port = ports.acquire(3);
  for (int pass = 0; pass < 3; ++pass) {
    const auto deadline = GuardDeadline();
    EXPECT_EQ(port->waitReadable(deadline), WaitResult::HungUp);
    EXPECT_LT(transport::Clock::now(), deadline);
    EXPECT_EQ(port->read(buf, sizeof buf), 0);
  }
  EXPECT_EQ(port->write(kReply.data(), kReply.size()), -1);

  ports.CloseAll();
  EXPECT_FALSE(ports.isOpen(3));
}

}  // namespace
