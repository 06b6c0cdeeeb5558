#pragma once
// One open link of the screen command library with the test's end of it:
// COM3 through a pty in a temporary executable directory, or the library's
// UDP link on a port the system picks, talking to a loopback socket.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quodel.h"
#include "tests/support/com_link.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

namespace screentest {

using Clock = std::chrono::steady_clock;

enum class Via { Serial, Udp };

inline constexpr int kComPort = 3;
inline constexpr int kBaud = 9600;

// A generous bound for I/O that should complete at once.
inline Clock::time_point Soon() { return Clock::now() + std::chrono::seconds(5); }

struct AckCall {
  int32_t result = -1;
  uint8_t status = 0xEE;
  int32_t count = -1;
  std::vector<AckParam> params;  // the first count entries
};

class ScreenLink {
 public:
  explicit ScreenLink(Via via);
  ~ScreenLink();
  ScreenLink(const ScreenLink &) = delete;
  ScreenLink &operator=(const ScreenLink &) = delete;

  Via via() const { return via_; }

  // Qd_SendCmd on this link.
  int32_t send();
  // The next frame the library put on the link; on serial the line must be
  // exactly the frame in lower-case hex. nullopt at the deadline.
  std::optional<std::string> nextFrame(Clock::time_point deadline);
  // Sends a marker request and checks that it is the next frame: nothing
  // else went out before it.
  void expectNothingSent();

  // Puts raw bytes on the library's side: written to the pty (and waited
  // for until the port holds them), or sent as one datagram.
  void deliver(std::string_view bytes);
  // A frame as the link carries it: a lower-case line, or a datagram.
  void deliverFrame(std::string_view frame);

  // One Qd_GetAck call on this link.
  AckCall getAck();
  // Qd_GetAck until a frame is taken or refused, or the deadline.
  AckCall pollAck(Clock::time_point deadline);

  testsupport::PtyPair *pty() { return pty_.get(); }
  // The executable directory of a serial link.
  const std::filesystem::path &dir() const { return dir_->path(); }
  testsupport::LoopbackUdp *peer() { return udp_.get(); }
  int libraryUdpPort() const { return libraryPort_; }

 private:
  // Bytes waiting at the port's input side.
  int waitingInput() const;

  Via via_;
  std::unique_ptr<testsupport::TempDir> dir_;
  std::unique_ptr<testsupport::ExecutableDirOverride> override_;
  std::unique_ptr<testsupport::PtyPair> pty_;
  std::unique_ptr<testsupport::ComLink> com_;
  int inputProbe_ = -1;
  std::unique_ptr<testsupport::LoopbackUdp> udp_;
  int libraryPort_ = 0;
};

// Names the parameter for test names.
std::string ViaName(const testing::TestParamInfo<Via> &info);

// The library's frames as they appear on the link, hex for messages.
std::string Hex(std::string_view bytes);

}  // namespace screentest
