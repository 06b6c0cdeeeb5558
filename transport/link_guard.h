#pragma once
// Lets one thread close a link while others are inside a read, write or wait
// on it.
//
// Callers enter before touching the descriptor and leave afterwards; once the
// guard is closed, entering is refused. Waits poll the descriptor together
// with an eventfd that close() signals, so every waiter wakes at once.
// close() then waits until nobody is inside and only then closes the
// descriptor: when it returns, the descriptor number can be reused by the
// process without any thread still touching it.
#include <poll.h>

#include <condition_variable>
#include <mutex>

#include "transport/wait_result.h"

namespace transport {

class LinkGuard {
 public:
  LinkGuard() = default;
  ~LinkGuard();  // closes as close() does
  LinkGuard(const LinkGuard &) = delete;
  LinkGuard &operator=(const LinkGuard &) = delete;

  // Takes ownership of fd and creates the wake-up eventfd. False (and fd
  // closed) when the eventfd cannot be created or a descriptor is already
  // attached or the guard was closed.
  bool attach(int fd);

  // One thread's stay inside the guard. Empty (fd() == -1) when refused.
  class Use {
   public:
    Use() = default;
    ~Use() { release(); }
    Use(Use &&other) noexcept : guard_(other.guard_) { other.guard_ = nullptr; }
    Use &operator=(Use &&other) noexcept;
    Use(const Use &) = delete;
    Use &operator=(const Use &) = delete;

    explicit operator bool() const { return guard_ != nullptr; }
    int fd() const;

    // Polls the descriptor for `events` together with the wake-up eventfd
    // until the deadline. Returns Closed when the guard is being closed,
    // Timeout at the deadline, otherwise Readable with the descriptor's
    // revents stored in *revents (which may hold POLLHUP or POLLERR).
    WaitResult poll(short events, Deadline deadline, short *revents) const;

    // Sleeps until the deadline without looking at the descriptor (a hung-up
    // one would report itself on every poll). Closed when the guard is being
    // closed first, else Timeout.
    WaitResult sleepUntilClosed(Deadline deadline) const;

   private:
    friend class LinkGuard;
    explicit Use(LinkGuard *guard) : guard_(guard) {}
    void release();
    LinkGuard *guard_ = nullptr;
  };

  // Refused (an empty Use) when nothing is attached or once closed.
  Use enter();

  // Enters and waits for input until the deadline. A descriptor reporting a
  // hang-up or an error gives HungUp, also when input is still flagged: such
  // a descriptor reports it on every poll, and a caller looping on Readable
  // would spin.
  WaitResult waitReadable(Deadline deadline);

  // Enters and sleeps until the deadline or until the guard is closed:
  // Timeout or Closed.
  WaitResult waitClosed(Deadline deadline);

  bool isOpen() const;

  // Refuses new entries, wakes every waiter, waits until nobody is inside and
  // closes the descriptor. Safe to call more than once and from any thread
  // except one that is itself inside the guard.
  void close();

 private:
  void leave();

  mutable std::mutex mutex_;
  std::condition_variable idle_;
  int fd_ = -1;
  int wakeFd_ = -1;
  int inside_ = 0;
  bool closed_ = false;
};

}  // namespace transport
