#pragma once
// Tells a link thread to end: an eventfd it can poll beside its descriptor,
// and waits that end early when it fires.
#include <atomic>
#include <chrono>

namespace controller_sim {

class StopSignal {
 public:
  StopSignal();  // throws std::system_error when no eventfd can be made
  ~StopSignal();
  StopSignal(const StopSignal &) = delete;
  StopSignal &operator=(const StopSignal &) = delete;

  void trigger();
  bool triggered() const { return triggered_.load(); }
  int fd() const { return fd_; }

  // Sleeps until deadline; false when stopped first.
  bool sleepUntil(std::chrono::steady_clock::time_point deadline) const;

  // Polls fd for events and the stop signal until deadline. Returns the
  // revents of fd, 0 on time-out, -1 when stopped.
  int waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) const;

 private:
  int fd_ = -1;
  std::atomic<bool> triggered_{false};
};

}  // namespace controller_sim
