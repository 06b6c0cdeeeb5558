#pragma once
// A pseudo-terminal pair standing in for a serial cable: the code under test
// opens slavePath() as its serial device, the test talks through the master.
// Both ends start in raw mode. The pair keeps its own slave descriptor open
// for its whole life (and never reads it), so the master stays usable while
// the code under test opens and closes the device.
#include <chrono>
#include <string>
#include <string_view>

namespace testsupport {

class PtyPair {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  PtyPair();  // throws std::runtime_error when no pty can be made
  ~PtyPair();
  PtyPair(const PtyPair &) = delete;
  PtyPair &operator=(const PtyPair &) = delete;

  int masterFd() const { return master_; }
  const std::string &slavePath() const { return slavePath_; }

  // Writes all bytes to the master end; false on failure or after hangUp().
  bool write(std::string_view bytes);

  // Everything that arrives at the master within the duration.
  std::string readFor(std::chrono::milliseconds duration);

  // Reads until the bytes received end with terminator, or the deadline.
  // Returns what arrived up to and including the terminator; bytes after it
  // are kept for the next read.
  std::string readUntil(std::string_view terminator, Deadline deadline);

  // Closes the master end: the device side sees a hang-up.
  void hangUp();

 private:
  // Appends what arrives until the deadline or until stop() holds.
  template <typename Stop>
  void receive(Deadline deadline, Stop stop);

  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
  std::string pending_;
};

}  // namespace testsupport
