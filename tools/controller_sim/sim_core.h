#pragma once
// The simulated controllers without their links: one register bank per
// address, the fault mode and event log, and the answer to each text a link
// hands in. Safe to use from several threads.
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "tools/controller_sim/event_log.h"
#include "tools/controller_sim/fault_mode.h"
#include "tools/controller_sim/frame_codec.h"
#include "tools/controller_sim/register_bank.h"

namespace controller_sim {

// The sound reply body (no LRC) to a request, with the registers acting on
// a write; an exception reply (code 2) for count 0, a read over 127
// registers or a block past register 255.
std::vector<uint8_t> AnswerRequest(const Request &request, RegisterBank &bank);

class SimCore {
 public:
  explicit SimCore(uint8_t address, RegisterBank bank = RegisterBank());

  // A text a link received (CR LF included); cut_short when the link had to
  // cut it (too long, a truncated datagram). Records rx or drop; for an
  // accepted request the registers act and the reply under the current fault
  // mode comes back.
  std::optional<ReplyPlan> handleText(std::string_view text, bool cut_short = false);

  // A link sent the last byte of a reply at `at`.
  void noteReplySent(const ReplyPlan &plan, std::chrono::steady_clock::time_point at);
  void noteError(std::string message);

  // The first controller's address.
  uint8_t address() const { return address_; }
  // Adds a controller with the default registers at address, answered on
  // every link; nothing when there is one already.
  void addController(uint8_t address);
  bool hasController(uint8_t address) const;
  std::vector<uint8_t> addresses() const;  // ascending

  // The first controller's registers; n 0..255, else std::out_of_range.
  uint16_t reg(int n) const;
  void setReg(int n, uint16_t value);
  // The registers of the controller at address; std::out_of_range for a
  // register outside 0..255 or an address without a controller.
  uint16_t reg(uint8_t address, int n) const;
  void setReg(uint8_t address, int n, uint16_t value);

  void setFault(const Fault &fault);  // records a fault event
  Fault fault() const;
  void setPace(bool on);
  bool pace() const;

  // When the last byte of the latest reply went out (epoch before any).
  std::chrono::steady_clock::time_point lastReplySentAt() const;

  EventLog &log() { return log_; }

 private:
  // The bank of the controller at address (mutex_ held); std::out_of_range
  // when there is none.
  RegisterBank &bankAt(uint8_t address);
  const RegisterBank &bankAt(uint8_t address) const;

  const uint8_t address_;
  mutable std::mutex mutex_;
  std::map<uint8_t, RegisterBank> banks_;
  Fault fault_;
  bool pace_ = false;
  std::chrono::steady_clock::time_point last_reply_{};
  std::mt19937 rng_;
  EventLog log_;
};

}  // namespace controller_sim
