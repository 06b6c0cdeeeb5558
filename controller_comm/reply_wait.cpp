#include "controller_comm/reply_wait.h"

#include <algorithm>
#include <cstring>

#include "tarnex.h"

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

int SleepOut(transport::Link &link, Deadline deadline) {
  return link.waitClosed(deadline) == WaitResult::Closed ? PlcResultBadSlot : PlcResultTimeOut;
}

}  // namespace

int WaitForReply(transport::Link &link, Deadline deadline, const TakeText &take) {
  const transport::ReplyTiming timing = link.replyTiming();
  ReplyAssembler assembler;
  std::optional<int> result;
  Deadline end = deadline;
  bool inGrace = false;
  uint64_t graceText = 0;  // the text allowed to finish after the deadline

  // In the grace only the text begun before the deadline may still answer.
  const auto graceTextGone = [&] {
    return inGrace && (!assembler.inText() || assembler.textsBegun() != graceText);
  };
  const ReplyAssembler::OnText onText = [&](std::string_view text) {
    if (inGrace && assembler.textsBegun() != graceText) {
      result = PlcResultTimeOut;
      return true;
    }
    result = take(text);
    return result.has_value();
  };

  int lateReads = 0;
  for (;;) {
    if (Clock::now() >= end && ++lateReads > timing.lateReads) {
      if (inGrace || timing.textGrace.count() <= 0 || !assembler.inText()) return PlcResultTimeOut;
      inGrace = true;
      graceText = assembler.textsBegun();
      end = deadline + timing.textGrace;
      lateReads = 0;
      continue;
    }
    switch (link.waitReadable(end)) {
      case WaitResult::Closed:
        return PlcResultBadSlot;
      case WaitResult::HungUp:
        return SleepOut(link, end);
      case WaitResult::Timeout:
        lateReads = timing.lateReads;  // nothing is waiting: no late look is left
        continue;
      case WaitResult::Readable:
        break;
    }
    bool truncated = false;
    const int got = link.receive(assembler.space(), assembler.freeSpace(), &truncated);
    if (got < 0) return PlcResultBadSlot;
    if (truncated) {
      assembler.dropText();
    } else if (got > 0 && assembler.commit(static_cast<size_t>(got), onText)) {
      return *result;
    }
    if (graceTextGone()) return PlcResultTimeOut;
  }
}

}  // namespace tarnex
