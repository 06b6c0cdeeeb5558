#pragma once
// One open serial port: raw 8N1 without flow control, non-blocking, locked
// against other openers with flock. Any thread may close it while others
// read, write or wait on it; after close() every call reports a closed port.
#include <cstddef>
#include <memory>
#include <string>

#include "link_guard.h"
#include "wait_result.h"

namespace transport {

class SerialPort {
 public:
  // Opens and configures the device at path for the given rate (one of the
  // standard rates 50..4000000). nullptr when the device cannot be opened, is
  // locked by another opener, is not a serial device, or refuses the rate or
  // the settings.
  static std::shared_ptr<SerialPort> Open(const std::string &path, int baud);

  ~SerialPort();
  SerialPort(const SerialPort &) = delete;
  SerialPort &operator=(const SerialPort &) = delete;

  // Reads at most capacity waiting bytes without blocking; what does not fit
  // stays queued. 0 when nothing is waiting (or after an I/O error, which
  // discards the input queue); -1 when closed.
  int read(void *buf, size_t capacity);

  // Writes all len bytes, waiting for the line within 1 s plus the time the
  // bytes take at the port's rate. Returns len; -1 when closed, when the
  // time runs out (the output queue is then discarded) or the device went
  // away. Other I/O errors discard the input queue and give the count
  // written so far.
  int write(const void *buf, size_t len);

  // Waits until input is waiting, the deadline passes, the port is closed or
  // the device hangs up. Never spins on a hung-up device.
  WaitResult waitReadable(Deadline deadline);

  // Sleeps until the deadline or until the link is closed (Timeout or
  // Closed), without polling the descriptor: for a device that hung up.
  WaitResult waitClosed(Deadline deadline);

  // Discards whatever is waiting in the input queue.
  void flushInput();

  // Closes the port; waits for threads inside a call to leave (they wake at
  // once). Idempotent.
  void close();

  bool isOpen() const { return guard_.isOpen(); }
  int baud() const { return baud_; }

 private:
  explicit SerialPort(int baud) : baud_(baud) {}

  LinkGuard guard_;
  const int baud_;
};

}  // namespace transport
