#include "tools/controller_sim/stop_signal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <system_error>

namespace controller_sim {

StopSignal::StopSignal() {
  fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

StopSignal::~StopSignal() { close(fd_); }

void StopSignal::trigger() {
  triggered_.store(true);
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t n = write(fd_, &one, sizeof one);
}

bool StopSignal::sleepUntil(std::chrono::steady_clock::time_point deadline) const {
  return waitFor(-1, 0, deadline) != -1;
}

int StopSignal::waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) const {
  for (;;) {
    if (triggered()) return -1;
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) return 0;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec timeout{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    pollfd fds[2] = {{fd_, POLLIN, 0}, {fd, events, 0}};
    const int n = ppoll(fds, fd >= 0 ? 2 : 1, &timeout, nullptr);
    if (n < 0 && errno != EINTR) return 0;
    if (triggered() || (fds[0].revents & POLLIN)) return -1;
    if (fd >= 0 && fds[1].revents != 0) return fds[1].revents;
  }
}

}  // namespace controller_sim
