#pragma once
// The simulated controller on a serial line: a pty whose slave end the
// caller opens, or a real device.
#include <memory>
#include <string>

#include "tools/controller_sim/sim_link.h"

namespace controller_sim {

class SerialSimLink final : public SimLink {
 public:
  // A raw pty; the link holds its own slave descriptor open, so a caller
  // closing its end never hangs up the master. baud sets the pace of replies
  // when pacing is on. Throws std::system_error.
  static std::unique_ptr<SerialSimLink> OpenPty(SimCore &core, int baud);
  // A device opened raw 8N1 at baud, without flow control. Throws
  // std::system_error, or std::invalid_argument for a baud rate the line
  // cannot take.
  static std::unique_ptr<SerialSimLink> OpenDevice(SimCore &core, const std::string &path, int baud);

  ~SerialSimLink() override;

  // The path a caller opens: the pty's slave or the device.
  const std::string &path() const { return path_; }

 private:
  SerialSimLink(SimCore &core, int fd, int held_fd, std::string path, int baud);
  void run() override;

  int fd_ = -1;
  int held_fd_ = -1;  // the pty slave, never read
  std::string path_;
  int baud_ = 0;
};

}  // namespace controller_sim
