#pragma once
// One open serial port: raw 8N1 without flow control, non-blocking, locked
// against other openers with flock. Any thread may close it while others
// read, write or wait on it; after close() every call reports a closed port.
#include <cstddef>
#include <memory>
#include <string>

#include "transport/link.h"
#include "transport/link_guard.h"
#include "transport/wait_result.h"

namespace transport {

class SerialPort final : public Link {
 public:
  // Opens and configures the device at path for the given rate (one of the
  // standard rates 50..4000000). nullptr when the device cannot be opened, is
  // locked by another opener, is not a serial device, or refuses the rate or
  // the settings.
  static std::shared_ptr<SerialPort> open(const std::string &path, int baud);

  ~SerialPort() override;
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

  // Discards whatever is waiting in the input queue.
  void flushInput();

  int baud() const { return baud_; }

  // Link: receive and send are read and write (the destination is ignored);
  // stale input is flushed; a reply has 2 s, and a text begun within them
  // the time of 1024 characters at 9600 baud more.
  bool isOpen() const override { return guard_.isOpen(); }
  WaitResult waitReadable(Deadline deadline) override;
  WaitResult waitClosed(Deadline deadline) override;
  int receive(void *buf, size_t capacity, bool *truncated) override;
  int send(const void *buf, size_t len, const Destination &to) override;
  void discardStaleInput() override { flushInput(); }
  ReplyTiming replyTiming() const override;
  void close() override;

 private:
  explicit SerialPort(int baud) : baud_(baud) {}

  LinkGuard guard_;
  const int baud_;
};

}  // namespace transport
