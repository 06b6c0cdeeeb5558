#include "transport/serial_port.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

#include "transport/baud_rate.h"

namespace transport {
namespace {

// Raw 8N1, no flow control, no modem-control wait, reads never block.
bool Configure(int fd, speed_t speed) {
  termios wanted;
  if (::tcgetattr(fd, &wanted) != 0) return false;  // not a serial device
  ::cfmakeraw(&wanted);
  wanted.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  wanted.c_cflag |= CS8 | CLOCAL | CREAD;
  wanted.c_iflag &= ~(IXON | IXOFF | IXANY);
  wanted.c_cc[VMIN] = 0;
  wanted.c_cc[VTIME] = 0;
  if (::cfsetispeed(&wanted, speed) != 0 || ::cfsetospeed(&wanted, speed) != 0) return false;
  if (::tcsetattr(fd, TCSANOW, &wanted) != 0) return false;

  // tcsetattr succeeds when any one change applied: check what the port took.
  termios actual;
  if (::tcgetattr(fd, &actual) != 0) return false;
  return actual.c_iflag == wanted.c_iflag && actual.c_oflag == wanted.c_oflag &&
         actual.c_cflag == wanted.c_cflag && actual.c_lflag == wanted.c_lflag &&
         actual.c_cc[VMIN] == wanted.c_cc[VMIN] && actual.c_cc[VTIME] == wanted.c_cc[VTIME] &&
         ::cfgetispeed(&actual) == speed && ::cfgetospeed(&actual) == speed;
}

// Time allowed for a write: 1 s plus ten bit times per byte at the rate.
Deadline WriteDeadline(size_t len, int baud) {
  const auto transfer = std::chrono::microseconds(
      static_cast<long long>(len) * 10 * 1000000LL / (baud > 0 ? baud : 1));
  return Clock::now() + std::chrono::seconds(1) + transfer;
}

}  // namespace

std::shared_ptr<SerialPort> SerialPort::open(const std::string &path, int baud) {
  const std::optional<speed_t> speed = BaudConstant(baud);
  if (!speed) return nullptr;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  // The lock keeps other openers (any process, root included) off the port.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !Configure(fd, *speed) ||
      ::tcflush(fd, TCIOFLUSH) != 0) {
    ::close(fd);
    return nullptr;
  }
  std::shared_ptr<SerialPort> port(new SerialPort(baud));
  if (!port->guard_.attach(fd)) return nullptr;  // attach closed fd
  return port;
}

SerialPort::~SerialPort() { close(); }

int SerialPort::read(void *buf, size_t capacity) {
  LinkGuard::Use use = guard_.enter();
  if (!use) return -1;
  if (capacity == 0 || buf == nullptr) return 0;
  for (;;) {
    const ssize_t got = ::read(use.fd(), buf, capacity);
    if (got >= 0) return static_cast<int>(got < INT32_MAX ? got : INT32_MAX);
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) ::tcflush(use.fd(), TCIFLUSH);
    return 0;
  }
}

int SerialPort::write(const void *buf, size_t len) {
  LinkGuard::Use use = guard_.enter();
  if (!use) return -1;
  if (len == 0) return 0;
  if (buf == nullptr || len > static_cast<size_t>(INT32_MAX)) return -1;
  const auto *bytes = static_cast<const unsigned char *>(buf);
  const Deadline deadline = WriteDeadline(len, baud_);
  size_t done = 0;
  while (done < len) {
    const ssize_t put = ::write(use.fd(), bytes + done, len - done);
    if (put > 0) {
      done += static_cast<size_t>(put);
      continue;
    }
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      if (errno == EIO) return -1;  // the device went away
      ::tcflush(use.fd(), TCIFLUSH);
      return static_cast<int>(done);
    }
    short revents = 0;
    const WaitResult waited = use.poll(POLLOUT, deadline, &revents);
    if (waited == WaitResult::Closed || waited == WaitResult::HungUp) return -1;
    if (waited == WaitResult::Timeout) {
      ::tcflush(use.fd(), TCOFLUSH);
      return -1;
    }
    if ((revents & POLLOUT) == 0) return -1;  // hung up or in error
  }
  return static_cast<int>(len);
}

WaitResult SerialPort::waitReadable(Deadline deadline) { return guard_.waitReadable(deadline); }

WaitResult SerialPort::waitClosed(Deadline deadline) { return guard_.waitClosed(deadline); }

void SerialPort::flushInput() {
  LinkGuard::Use use = guard_.enter();
  if (use) ::tcflush(use.fd(), TCIFLUSH);
}

int SerialPort::receive(void *buf, size_t capacity, bool *truncated) {
  if (truncated != nullptr) *truncated = false;
  return read(buf, capacity);
}

int SerialPort::send(const void *buf, size_t len, const Destination &) { return write(buf, len); }

ReplyTiming SerialPort::replyTiming() const {
  return ReplyTiming{.replyTime = std::chrono::milliseconds(2000),
                     .textGrace = std::chrono::milliseconds(1100),
                     .lateReads = 1};
}

void SerialPort::close() { guard_.close(); }

}  // namespace transport
