#include "tools/controller_sim/serial_sim_link.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "tools/controller_sim/text_assembler.h"
#include "transport/baud_rate.h"

namespace controller_sim {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kReadChunk = 4096;
constexpr size_t kMaxNoiseBurst = 4096;
// A write that cannot go on for this long (nobody reads the line) is given up.
constexpr auto kWriteTimeout = std::chrono::seconds(2);

[[noreturn]] void ThrowSystemError(int err, const std::string &what) {
  throw std::system_error(err, std::generic_category(), what);
}

void MakeRaw(int fd, speed_t speed) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) ThrowSystemError(errno, "无法读取串口设置");
  cfmakeraw(&tio);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS | CSIZE);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (speed != B0) {
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
  }
  if (tcsetattr(fd, TCSANOW, &tio) != 0) ThrowSystemError(errno, "无法设置串口");
}

class SerialOutput final : public ReplyOutput {
 public:
  SerialOutput(int fd, const StopSignal &stop) : fd_(fd), stop_(stop) {}
  bool send(std::string_view bytes) override {
    const Clock::time_point deadline = Clock::now() + kWriteTimeout;
    while (!bytes.empty()) {
      const ssize_t n = write(fd_, bytes.data(), bytes.size());
      if (n > 0) {
        bytes.remove_prefix(static_cast<size_t>(n));
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN) return false;
      if (stop_.waitFor(fd_, POLLOUT, deadline) <= 0) return false;
    }
    return true;
  }
  size_t maxNoiseChunk() const override { return kMaxNoiseBurst; }

 private:
  int fd_;
  const StopSignal &stop_;
};

}  // namespace

SerialSimLink::SerialSimLink(SimCore &core, int fd, int held_fd, std::string path, int baud)
    : SimLink(core), fd_(fd), held_fd_(held_fd), path_(std::move(path)), baud_(baud) {}

std::unique_ptr<SerialSimLink> SerialSimLink::OpenPty(SimCore &core, int baud) {
  int master = -1;
  int slave = -1;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) ThrowSystemError(errno, "无法创建伪终端");
  char name[128] = {};
  const int err = ptsname_r(master, name, sizeof name);
  try {
    if (err != 0) ThrowSystemError(err, "无法取得伪终端路径");
    MakeRaw(slave, B0);
    if (fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK) != 0 ||
        fcntl(master, F_SETFD, FD_CLOEXEC) != 0 || fcntl(slave, F_SETFD, FD_CLOEXEC) != 0) {
      ThrowSystemError(errno, "无法设置伪终端");
    }
  } catch (...) {
    close(master);
    close(slave);
    throw;
  }
  return std::unique_ptr<SerialSimLink>(new SerialSimLink(core, master, slave, name, baud));
}

std::unique_ptr<SerialSimLink> SerialSimLink::OpenDevice(SimCore &core, const std::string &path, int baud) {
  const std::optional<speed_t> speed = transport::BaudConstant(baud);
  if (!speed) throw std::invalid_argument("不支持的波特率: " + std::to_string(baud));
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) ThrowSystemError(errno, "无法打开串口 " + path);
  try {
    MakeRaw(fd, *speed);
  } catch (...) {
    close(fd);
    throw;
  }
  tcflush(fd, TCIOFLUSH);
  return std::unique_ptr<SerialSimLink>(new SerialSimLink(core, fd, -1, path, baud));
}

SerialSimLink::~SerialSimLink() {
  stop();
  close(fd_);
  if (held_fd_ >= 0) close(held_fd_);
}

void SerialSimLink::run() {
  TextAssembler assembler;
  std::vector<char> buffer(kReadChunk);
  std::vector<std::string> texts;
  SerialOutput out(fd_, stop_);
  while (!stop_.triggered()) {
    const int revents = stop_.waitFor(fd_, POLLIN, Clock::now() + std::chrono::hours(24));
    if (revents < 0) return;
    if (revents == 0) continue;
    const ssize_t n = (revents & POLLIN) ? read(fd_, buffer.data(), buffer.size()) : 0;
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n < 0 || (n == 0 && (revents & (POLLHUP | POLLERR | POLLNVAL)))) {
      // An unplugged adapter: polling it again would only spin.
      core_.noteError("串口已断开: " + path_);
      return;
    }
    const Clock::time_point received = Clock::now();
    texts.clear();
    assembler.feed(std::string_view(buffer.data(), static_cast<size_t>(n)), texts);
    const auto char_time = core_.pace() ? CharTime(baud_) : std::chrono::nanoseconds(0);
    for (const std::string &text : texts) {
      const bool cut_short = !text.ends_with('\n') && text.size() >= TextAssembler::kMaxText;
      answer(text, cut_short, out, DeliveryTiming{received, text.size(), char_time});
    }
  }
}

}  // namespace controller_sim
