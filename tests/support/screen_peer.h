#pragma once
// A screen controller for tests, on a loopback UDP socket or the master end
// of a pty: it records every command it receives and answers each request
// (type 0x0200) with a command-1 set reply of the same address and index
// that holds its stored word for every requested id (0 when none is stored).
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/screen_codec.h"

namespace testsupport {

class LoopbackUdp;
class PtyPair;

class ScreenPeer {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  explicit ScreenPeer(LoopbackUdp &udp) : udp_(&udp) {}
  explicit ScreenPeer(PtyPair &pty) : pty_(&pty) {}

  void setWord(uint16_t id, uint16_t value) { words_[id] = value; }
  uint16_t word(uint16_t id) const;

  // Waits for the next command, records it and answers it if it is a
  // request. nullopt at the deadline, or for bytes that are no frame (they
  // are recorded in rejected()).
  std::optional<ScreenFrameFields> serveOne(Deadline deadline);

  const std::vector<ScreenFrameFields> &commands() const { return commands_; }
  const std::vector<std::string> &rejected() const { return rejected_; }

 private:
  LoopbackUdp *udp_ = nullptr;
  PtyPair *pty_ = nullptr;
  std::map<uint16_t, uint16_t> words_;
  std::vector<ScreenFrameFields> commands_;
  std::vector<std::string> rejected_;
};

}  // namespace testsupport
