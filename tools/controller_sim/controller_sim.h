#pragma once
// Cabinet controllers in software, for tests, benchmarks and the demo: it
// answers the register protocol on UDP (127.0.0.1), a pty or a serial
// device, for one controller or several at different addresses on the same
// links, acts on their registers as a controller would, and can misbehave on
// purpose (see fault_mode.h). Every member is safe to call from any thread.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/controller_sim/event_log.h"
#include "tools/controller_sim/fault_mode.h"
#include "tools/controller_sim/register_file.h"

namespace controller_sim {

class SimCore;
class SimLink;

class ControllerSim {
 public:
  // The first controller, at address.
  explicit ControllerSim(uint8_t address = 1);
  ~ControllerSim();  // stops every link
  ControllerSim(const ControllerSim &) = delete;
  ControllerSim &operator=(const ControllerSim &) = delete;

  // Answers on 127.0.0.1:port (0 = a free port), replying to each sender.
  // Returns the bound port; throws std::system_error.
  uint16_t startUdp(uint16_t port);
  // Creates a raw pty and returns its slave path; baud is the line speed
  // that pacing imitates. Throws std::system_error.
  std::string startPty(int baud = 9600);
  // The same, with a symbolic link at link_path to the slave (for a program
  // that opens <its directory>/COMn). An older symbolic link of that name is
  // replaced; any other file there is an error (std::runtime_error). stop()
  // removes the link while it still points at the slave.
  std::string startPty(const std::string &link_path, int baud = 9600);
  // Opens a serial device raw 8N1. Throws std::system_error, or
  // std::invalid_argument for an unsupported baud rate.
  void startSerial(const std::string &path, int baud);

  // Serial links: the reply starts after the request's wire time and goes
  // out one character per 10 bits at the link's baud rate.
  void setPace(bool on);

  // Another controller at address, with the default registers, answered on
  // the same links; nothing when there is one already.
  void addController(uint8_t address);
  std::vector<uint8_t> addresses() const;  // ascending

  // Holding registers 0..255 (std::out_of_range otherwise) of the first
  // controller, or of the one at address (std::out_of_range when there is
  // none). setReg stores the value without the effects a written request has.
  uint16_t reg(int n) const;
  void setReg(int n, uint16_t value);
  uint16_t reg(uint8_t address, int n) const;
  void setReg(uint8_t address, int n, uint16_t value);

  // Adds the file's controllers and stores its values (see register_file.h).
  void loadRegisters(const RegisterFile &file);
  // Reads the file at path and loads it; std::runtime_error with a message
  // naming the fault, and no change, when it cannot be read or parsed.
  void loadRegisterFile(const std::string &path);

  void setFault(const Fault &fault);
  bool setFault(std::string_view mode);  // false, and no change, for an unknown mode
  Fault fault() const;

  // Texts of the requests answered so far (without CR LF), oldest first.
  std::vector<std::string> received() const;
  std::vector<SimEvent> events() const;
  // The oldest event of kind ("rx", "tx", "drop", "fault", "error") that no
  // earlier call returned, waiting up to timeout; nothing on time-out.
  std::optional<SimEvent> waitForEvent(std::string_view kind, std::chrono::milliseconds timeout);
  void clearEvents();  // forgets received texts and events

  // When the last byte of the latest reply went out (steady clock).
  std::chrono::steady_clock::time_point lastReplySentAt() const;

  // Called for each event as it happens, from a link thread; it must not
  // call back into the simulator.
  void setEventSink(std::function<void(const SimEvent &)> sink);

  // Stops and closes every link, removing the pty links made by startPty;
  // the simulator can be started again.
  void stop();

 private:
  std::unique_ptr<SimCore> core_;
  std::mutex links_mutex_;
  std::vector<std::unique_ptr<SimLink>> links_;
  std::vector<std::pair<std::string, std::string>> pty_links_;  // link path, slave path
};

}  // namespace controller_sim
