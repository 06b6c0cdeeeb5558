#include "reply_wait.h"

#include <algorithm>
#include <cstring>

namespace tarnex {

using transport::Clock;
using transport::Deadline;
using transport::WaitResult;

bool ReplyAssembler::commit(size_t n, const OnText &onText) {
  n = std::min(n, freeSpace());
  // The new bytes are compacted in place: the text never grows faster than
  // the bytes are read, so `write` never passes `read`.
  size_t write = length_;
  const size_t end = length_ + n;
  for (size_t read = length_; read < end; ++read) {
    const char c = buffer_[read];
    if (c == ':') {
      inText_ = true;
      ++textsBegun_;
      write = 0;
      buffer_[write++] = c;
      continue;
    }
    if (!inText_) continue;
    buffer_[write++] = c;
    if (c == '\n' && write >= 2 && buffer_[write - 2] == '\r') {
      inText_ = false;
      const size_t textLength = write;
      write = 0;
      if (onText(std::string_view(buffer_, textLength))) {
        length_ = 0;
        return true;
      }
    }
  }
  length_ = inText_ ? write : 0;
  if (inText_ && length_ == kCapacity) dropText();  // too long for any reply
  return false;
}

bool ReplyAssembler::feed(std::string_view bytes, const OnText &onText) {
  while (!bytes.empty()) {
    const size_t n = std::min(bytes.size(), freeSpace());
    std::memcpy(space(), bytes.data(), n);
    bytes.remove_prefix(n);
    if (commit(n, onText)) return true;
  }
  return false;
}

void ReplyAssembler::dropText() {
  inText_ = false;
  length_ = 0;
}

namespace {

// The result a parsed text gives, or nothing to keep waiting.
std::optional<int> Judge(std::string_view text, ExpectedReply expected, const ParseText &parse) {
  const std::optional<ParsedReply> parsed = parse(text);
  if (!parsed) return std::nullopt;
  return parsed->address == expected.address && parsed->function == expected.function ? kWaitDone
                                                                                      : kWaitMismatch;
}

// Datagrams read after the deadline, at most.
constexpr int kLateDatagramLimit = 16;

template <typename Link>
int SleepOut(Link &link, Deadline deadline) {
  return link.waitClosed(deadline) == WaitResult::Closed ? kWaitClosed : kWaitTimeOut;
}

}  // namespace

int WaitForReply(transport::SerialPort &port, Deadline deadline, ExpectedReply expected,
                 const ParseText &parse) {
  ReplyAssembler assembler;
  std::optional<int> result;
  Deadline end = deadline;
  bool inGrace = false;
  uint64_t graceText = 0;  // the text allowed to finish after the deadline

  const ReplyAssembler::OnText onText = [&](std::string_view text) {
    // After the deadline only the text begun before it may still answer.
    if (inGrace && assembler.textsBegun() != graceText) {
      result = kWaitTimeOut;
      return true;
    }
    result = Judge(text, expected, parse);
    return result.has_value();
  };

  // Once the time is up, what had already arrived is still read once: a
  // worker scheduled late must not miss a reply that is waiting.
  bool lookedLast = false;
  for (;;) {
    if (Clock::now() >= end) {
      if (!lookedLast) {
        lookedLast = true;
      } else if (!inGrace && assembler.inText()) {
        inGrace = true;
        graceText = assembler.textsBegun();
        end = deadline + kSerialTextGrace;
        lookedLast = false;
        continue;
      } else {
        return kWaitTimeOut;
      }
    }
    switch (port.waitReadable(end)) {
      case WaitResult::Closed:
        return kWaitClosed;
      case WaitResult::HungUp:
        return SleepOut(port, end);
      case WaitResult::Timeout:
        continue;
      case WaitResult::Readable:
        break;
    }
    const int got = port.read(assembler.space(), assembler.freeSpace());
    if (got < 0) return kWaitClosed;
    if (got == 0) continue;
    if (assembler.commit(static_cast<size_t>(got), onText)) return *result;
    if (inGrace && (!assembler.inText() || assembler.textsBegun() != graceText)) return kWaitTimeOut;
  }
}

int WaitForReply(transport::CUdpLink &link, Deadline deadline, ExpectedReply expected,
                 const ParseText &parse) {
  ReplyAssembler assembler;
  std::optional<int> result;
  const ReplyAssembler::OnText onText = [&](std::string_view text) {
    result = Judge(text, expected, parse);
    return result.has_value();
  };

  // Once the time is up, the datagrams that had already arrived are still
  // read, a bounded number of them: a worker scheduled late must not miss a
  // waiting reply, and a peer that keeps sending must not keep the wait alive.
  int lateReads = 0;
  for (;;) {
    if (Clock::now() >= deadline && ++lateReads > kLateDatagramLimit) return kWaitTimeOut;
    switch (link.waitReadable(deadline)) {
      case WaitResult::Closed:
        return kWaitClosed;
      case WaitResult::HungUp:
        return SleepOut(link, deadline);
      case WaitResult::Timeout:
        return kWaitTimeOut;
      case WaitResult::Readable:
        break;
    }
    bool truncated = false;
    const int got = link.ReceiveFrom(assembler.space(), assembler.freeSpace(), nullptr, nullptr, &truncated);
    if (got < 0) return kWaitClosed;
    if (truncated) {
      assembler.dropText();
      continue;
    }
    if (got > 0 && assembler.commit(static_cast<size_t>(got), onText)) return *result;
  }
}

}  // namespace tarnex
