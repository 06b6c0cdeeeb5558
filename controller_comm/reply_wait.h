#pragma once
// Waiting for a controller's reply: the bytes of the link cut into texts
// (ReplyAssembler), and the wait on a device link that ends as soon as a
// text answers, the link closes or the time is up.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "transport/link.h"
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

// Takes one complete text: the result it ends the wait with (done or
// mismatch), or nothing to keep waiting.
using TakeText = std::function<std::optional<int>(std::string_view text)>;

// Waits on link for a reply until the deadline, and after it as the link's
// reply timing allows: a late look at input already waiting, and on a link
// with a text grace the end of a text begun in time. Returns what take gave
// for the first text it accepted, PlcResultTimeOut when none was in time,
// PlcResultBadSlot when the link is or gets closed. A hung-up link is not
// polled again: the wait then sleeps until the deadline or the close. A
// datagram longer than the free space is dropped with the unfinished text.
int WaitForReply(transport::Link &link, transport::Deadline deadline, const TakeText &take);

}  // namespace tarnex
