#pragma once
// Waiting for a controller's reply: the bytes of the link cut into texts
// (ReplyAssembler), and the wait on a serial port or UDP link that ends as
// soon as a text parses, the link closes or the deadline passes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "transport/serial_port.h"
#include "transport/udp_link.h"
#include "transport/wait_result.h"

namespace tarnex {

// Cuts the bytes of a link into reply texts in one fixed 1024-byte buffer.
//
// ':' starts a text (dropping an unfinished one), CR LF ends it, bytes
// outside a text are dropped. A text that would not fit the buffer is
// dropped whole. The buffer holds only the text under way, and each read
// asks for at most its free space, so no read can overrun it.
//
// Use: read at most freeSpace() bytes into space(), then commit() them.
class ReplyAssembler {
 public:
  static constexpr size_t kCapacity = 1024;

  // Called with each complete text (':' .. CR LF); true ends the commit.
  using OnText = std::function<bool(std::string_view text)>;

  char *space() { return buffer_ + length_; }
  size_t freeSpace() const { return kCapacity - length_; }

  // Takes n bytes just written at space() (n <= freeSpace()) and hands every
  // text they complete to onText, in order. Returns true when onText ended
  // it (the bytes after that text are dropped).
  bool commit(size_t n, const OnText &onText);

  // Copies bytes in through space() and commit(), as reads of at most the
  // free space would. Returns true when onText ended it.
  bool feed(std::string_view bytes, const OnText &onText);

  // Drops the text under way (a truncated datagram).
  void dropText();

  bool inText() const { return inText_; }
  // How many texts have begun (':' seen) since construction.
  uint64_t textsBegun() const { return textsBegun_; }

 private:
  char buffer_[kCapacity];
  size_t length_ = 0;  // bytes of the text under way
  bool inText_ = false;
  uint64_t textsBegun_ = 0;
};

// The address and function a reply must carry to answer the request.
struct ExpectedReply {
  uint8_t address = 0;
  uint8_t function = 0;
};

// Parses one complete text into the reply record; the address and function
// it parsed with, or nothing when it did not parse.
struct ParsedReply {
  uint8_t address = 0;
  uint8_t function = 0;
};
using ParseText = std::function<std::optional<ParsedReply>(std::string_view text)>;

// Results of a wait, as the completion notice carries them.
inline constexpr int kWaitClosed = 0;     // the link was closed
inline constexpr int kWaitDone = 1;       // a reply with the expected address and function
inline constexpr int kWaitTimeOut = 16;   // nothing parsed in time
inline constexpr int kWaitMismatch = 20;  // a reply with another address or function

// On serial links a text whose ':' arrived before the deadline may still
// finish within this time after it (1024 characters at 9600 baud).
inline constexpr std::chrono::milliseconds kSerialTextGrace{1100};

// Waits for a reply until the deadline: 1 or 20 for the first text that
// parses, 16 when none did in time, 0 when the link is or gets closed. A
// hung-up port is not polled again: the wait then sleeps until the deadline
// or the close.
int WaitForReply(transport::SerialPort &port, transport::Deadline deadline, ExpectedReply expected,
                 const ParseText &parse);
// The same over the bytes of successive datagrams. A datagram that does not
// fit the free space is dropped with the unfinished text.
int WaitForReply(transport::CUdpLink &link, transport::Deadline deadline, ExpectedReply expected,
                 const ParseText &parse);

}  // namespace tarnex
