#include "tests/support/pty_pair.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace testsupport {
namespace {

void MakeRaw(int fd) {
  termios t;
  if (::tcgetattr(fd, &t) != 0) throw std::runtime_error("tcgetattr on pty failed");
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (::tcsetattr(fd, TCSANOW, &t) != 0) throw std::runtime_error("tcsetattr on pty failed");
}

int PollTimeoutMs(PtyPair::Deadline deadline) {
  const auto now = std::chrono::steady_clock::now();
  if (deadline <= now) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count());
}

}  // namespace

PtyPair::PtyPair() {
  char name[256] = {};
  if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
    throw std::runtime_error("openpty failed");
  slavePath_ = name;
  const int flags = ::fcntl(master_, F_GETFL);
  ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  MakeRaw(slave_);
  MakeRaw(master_);
}

PtyPair::~PtyPair() {
  hangUp();
  if (slave_ >= 0) ::close(slave_);
}

bool PtyPair::write(std::string_view bytes) {
  const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  size_t done = 0;
  while (done < bytes.size()) {
    if (master_ < 0) return false;
    const ssize_t put = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (put > 0) {
      done += static_cast<size_t>(put);
      continue;
    }
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && errno != EAGAIN) return false;
    pollfd p{master_, POLLOUT, 0};
    if (::poll(&p, 1, PollTimeoutMs(deadline)) <= 0) return false;
  }
  return true;
}

template <typename Stop>
void PtyPair::receive(Deadline deadline, Stop stop) {
  while (master_ >= 0 && !stop()) {
    pollfd p{master_, POLLIN, 0};
    const int ready = ::poll(&p, 1, PollTimeoutMs(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return;
    char buf[512];
    const ssize_t got = ::read(master_, buf, sizeof buf);
    if (got > 0) {
      pending_.append(buf, static_cast<size_t>(got));
    } else if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    } else {
      return;  // EIO: no slave side left
    }
  }
}

std::string PtyPair::readFor(std::chrono::milliseconds duration) {
  receive(std::chrono::steady_clock::now() + duration, [] { return false; });
  return std::exchange(pending_, std::string());
}

std::string PtyPair::readUntil(std::string_view terminator, Deadline deadline) {
  auto found = [&] { return !terminator.empty() && pending_.find(terminator) != std::string::npos; };
  receive(deadline, found);
  const size_t at = terminator.empty() ? std::string::npos : pending_.find(terminator);
  if (at == std::string::npos) return std::exchange(pending_, std::string());
  std::string head = pending_.substr(0, at + terminator.size());
  pending_.erase(0, at + terminator.size());
  return head;
}

void PtyPair::hangUp() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

}  // namespace testsupport
