#include "transport/link_guard.h"

#include <errno.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace transport {
namespace {

// poll() counts whole milliseconds: round up so a wait never ends just short
// of its deadline and spins through the last millisecond.
int PollTimeoutMs(Deadline deadline) {
  const auto now = Clock::now();
  if (deadline <= now) return 0;
  const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
  constexpr long long kMaxMs = 24LL * 3600 * 1000;  // re-checked each pass anyway
  return static_cast<int>(remaining < kMaxMs ? remaining : kMaxMs);
}

}  // namespace

LinkGuard::~LinkGuard() { close(); }

bool LinkGuard::attach(int fd) {
  if (fd < 0) return false;
  std::lock_guard lock(mutex_);
  if (closed_ || fd_ >= 0) {
    ::close(fd);
    return false;
  }
  const int wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wake < 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  wakeFd_ = wake;
  return true;
}

LinkGuard::Use LinkGuard::enter() {
  std::lock_guard lock(mutex_);
  if (closed_ || fd_ < 0) return Use();
  ++inside_;
  return Use(this);
}

void LinkGuard::leave() {
  std::lock_guard lock(mutex_);
  if (--inside_ == 0) idle_.notify_all();
}

WaitResult LinkGuard::waitReadable(Deadline deadline) {
  const Use use = enter();
  if (!use) return WaitResult::Closed;
  short revents = 0;
  const WaitResult waited = use.poll(POLLIN, deadline, &revents);
  if (waited != WaitResult::Readable) return waited;
  if (revents & (POLLHUP | POLLERR | POLLNVAL)) return WaitResult::HungUp;
  return WaitResult::Readable;
}

WaitResult LinkGuard::waitClosed(Deadline deadline) {
  const Use use = enter();
  if (!use) return WaitResult::Closed;
  return use.sleepUntilClosed(deadline);
}

bool LinkGuard::isOpen() const {
  std::lock_guard lock(mutex_);
  return !closed_ && fd_ >= 0;
}

void LinkGuard::close() {
  int fd = -1;
  int wake = -1;
  {
    std::unique_lock lock(mutex_);
    if (closed_) {
      // Another close may still be waiting for the last user; wait with it so
      // every close returns only once the descriptor is gone.
      idle_.wait(lock, [this] { return inside_ == 0 && fd_ < 0; });
      return;
    }
    closed_ = true;
    if (wakeFd_ >= 0) {
      const uint64_t one = 1;
      // The counter cannot overflow from a single signal; nothing to handle.
      [[maybe_unused]] ssize_t ignored = ::write(wakeFd_, &one, sizeof one);
    }
    idle_.wait(lock, [this] { return inside_ == 0; });
    fd = fd_;
    wake = wakeFd_;
    fd_ = -1;
    wakeFd_ = -1;
    idle_.notify_all();
  }
  if (fd >= 0) ::close(fd);
  if (wake >= 0) ::close(wake);
}

LinkGuard::Use &LinkGuard::Use::operator=(Use &&other) noexcept {
  if (this != &other) {
    release();
    guard_ = other.guard_;
    other.guard_ = nullptr;
  }
  return *this;
}

void LinkGuard::Use::release() {
  if (guard_ != nullptr) guard_->leave();
  guard_ = nullptr;
}

// The descriptors cannot change while a Use exists: close() waits for it.
int LinkGuard::Use::fd() const { return guard_ != nullptr ? guard_->fd_ : -1; }

WaitResult LinkGuard::Use::poll(short events, Deadline deadline, short *revents) const {
  if (guard_ == nullptr) return WaitResult::Closed;
  pollfd fds[2] = {{guard_->fd_, events, 0}, {guard_->wakeFd_, POLLIN, 0}};
  for (;;) {
    const int timeout = PollTimeoutMs(deadline);
    const int ready = ::poll(fds, 2, timeout);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return WaitResult::HungUp;  // the descriptor cannot be polled: unusable
    }
    if (fds[1].revents != 0) return WaitResult::Closed;
    if (fds[0].revents != 0) {
      if (revents != nullptr) *revents = fds[0].revents;
      return WaitResult::Readable;
    }
    if (timeout == 0 || Clock::now() >= deadline) return WaitResult::Timeout;
  }
}

WaitResult LinkGuard::Use::sleepUntilClosed(Deadline deadline) const {
  if (guard_ == nullptr) return WaitResult::Closed;
  pollfd wake{guard_->wakeFd_, POLLIN, 0};
  for (;;) {
    const int timeout = PollTimeoutMs(deadline);
    const int ready = ::poll(&wake, 1, timeout);
    if (ready < 0 && errno != EINTR) return WaitResult::Timeout;  // cannot happen for an eventfd
    if (ready > 0 && wake.revents != 0) return WaitResult::Closed;
    if (Clock::now() >= deadline) return WaitResult::Timeout;
  }
}

}  // namespace transport
