#include "screen_comm/ack_receiver.h"

#include <algorithm>
#include <cstring>

#include "platform/byte_order.h"
#include "screen_comm/screen_frame.h"
#include "screen_comm/screen_vars.h"
#include "transport/lrc.h"

namespace quodel {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

uint8_t *LineCutter::space() {
  compact();
  return bytes_.data() + end_;
}

void LineCutter::commit(size_t n) { end_ += std::min(n, room()); }

size_t LineCutter::append(const uint8_t *data, size_t n) {
  uint8_t *to = space();
  const size_t taken = std::min(n, room());
  if (taken > 0) std::memcpy(to, data, taken);
  commit(taken);
  return taken;
}

void LineCutter::compact() {
  if (begin_ == 0) return;
  std::memmove(bytes_.data(), bytes_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  lineEnd_ = 0;
}

std::optional<std::string_view> LineCutter::nextLine() {
  lineEnd_ = begin_;
  const uint8_t *first = bytes_.data() + begin_;
  const uint8_t *last = bytes_.data() + end_;
  const uint8_t *start = std::find(first, last, ':');
  if (start == last) {
    clear();
    return std::nullopt;
  }
  for (const uint8_t *p = start + 1; p < last; ++p) {
    if (*p == ':') {
      start = p;  // the line so far was cut off: start over here
    } else if (*p == '\r' && p + 1 < last && p[1] == '\n') {
      begin_ = static_cast<size_t>(start - bytes_.data());
      lineEnd_ = static_cast<size_t>(p + 2 - bytes_.data());
      return std::string_view(reinterpret_cast<const char *>(start), lineEnd_ - begin_);
    }
  }
  begin_ = static_cast<size_t>(start - bytes_.data());
  // A buffer filled by one unfinished line can never complete it.
  if (count() == kCapacity) clear();
  return std::nullopt;
}

void LineCutter::takeLine() {
  if (lineEnd_ > begin_) begin_ = lineEnd_;
  if (begin_ == end_) clear();
}

std::optional<size_t> DecodeLine(std::string_view line, uint8_t *out) {
  if (line.size() < 3) return 0;
  const size_t n = std::min((line.size() - 3) / 2, kMaxLineFrame);
  for (size_t i = 0; i < n; ++i) {
    const int high = HexValue(line[1 + 2 * i]);
    const int low = HexValue(line[2 + 2 * i]);
    if (high < 0 || low < 0) return std::nullopt;
    out[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return n;
}

FrameCheck CheckFrame(const uint8_t *bytes, size_t n, ReplyFrame *frame) {
  if (n == 0) return FrameCheck::Empty;
  if (n < kFrameHeaderSize + 1) return FrameCheck::Bad;
  if (transport::lrc8(bytes, n - 1) != bytes[n - 1]) return FrameCheck::Bad;
  const size_t count = platform::le::GetU16(bytes + 9);
  if (count > kMaxFrameParams) return FrameCheck::Bad;
  const size_t end = n - 1;  // the checksum
  size_t at = kFrameHeaderSize;
  for (size_t i = 0; i < count; ++i) {
    if (end - at < 4) return FrameCheck::Bad;
    const uint16_t length = platform::le::GetU16(bytes + at + 2);
    if (end - at - 4 < length) return FrameCheck::Bad;
    frame->params[i] = FrameParam{platform::le::GetU16(bytes + at), bytes + at + 4, length};
    at += 4 + length;
  }
  frame->address = platform::le::GetU16(bytes);
  frame->command = bytes[2];
  frame->index = platform::le::GetU16(bytes + 7);
  frame->count = count;
  return FrameCheck::Good;
}

AckCollector::AckCollector(ScreenVarsStore &store, uint8_t *status, int32_t *count,
                           AckParam *params)
    : store_(store), status_(status), count_(count), params_(params) {
  if (status_ != nullptr) *status_ = 2;
  if (count_ != nullptr) *count_ = 0;
}

AckCollector::Outcome AckCollector::offer(const uint8_t *bytes, size_t n) {
  const FrameCheck check = CheckFrame(bytes, n, &frame_);
  if (check == FrameCheck::Bad) {
    ++frames_;
    return Outcome::Bad;
  }
  if (check == FrameCheck::Empty) {
    ++frames_;
    return Outcome::Taken;
  }
  if (entries_ + frame_.count > QD_ACK_MAX_PARAMS) {
    noRoom_ = true;
    return Outcome::NoRoom;
  }
  ++frames_;
  if (status_ != nullptr) *status_ = 0;
  for (size_t i = 0; i < frame_.count; ++i) {
    if (params_ != nullptr) {
      params_[entries_ + i] = AckParam{frame_.params[i].id, frame_.index, frame_.command, 0,
                                       frame_.address};
    }
  }
  entries_ += frame_.count;
  if (count_ != nullptr) *count_ = static_cast<int32_t>(entries_);
  for (size_t i = 0; i < frame_.count; ++i) {
    const FrameParam &p = frame_.params[i];
    store_.store(frame_.command, frame_.index, p.id, p.data, p.length);
  }
  return Outcome::Taken;
}

AckCollector::Outcome AckCollector::offerDatagram(const uint8_t *bytes, size_t copied,
                                                  size_t length) {
  if (length > kMaxDatagram || copied != length) {
    ++frames_;
    return Outcome::Bad;
  }
  return offer(bytes, length);
}

int CollectLines(LineCutter &cutter, AckCollector &collector) {
  std::array<uint8_t, kMaxLineFrame> frame;
  while (!collector.full()) {
    const std::optional<std::string_view> line = cutter.nextLine();
    if (!line) return 0;
    const std::optional<size_t> n = DecodeLine(*line, frame.data());
    const AckCollector::Outcome outcome =
        n ? collector.offer(frame.data(), *n) : AckCollector::Outcome::Bad;
    if (outcome == AckCollector::Outcome::NoRoom) return 0;
    cutter.takeLine();
    if (outcome == AckCollector::Outcome::Bad) return 1;
  }
  return 0;
}

}  // namespace quodel
