#include "screen_comm/screen_frame.h"

#include "platform/byte_order.h"
#include "transport/lrc.h"

namespace quodel {
namespace {

constexpr size_t kLengthField = 5;
constexpr size_t kCountField = 9;

}  // namespace

void ScreenFrame::makeHeader(uint16_t address, uint8_t command, uint16_t type, uint16_t index) {
  platform::le::PutU16(&buffer_[0], address);
  buffer_[2] = command;
  platform::le::PutU16(&buffer_[3], type);
  platform::le::PutU16(&buffer_[kLengthField], static_cast<uint16_t>(kFrameHeaderSize));
  platform::le::PutU16(&buffer_[7], index);
  platform::le::PutU16(&buffer_[kCountField], 0);
  length_ = kFrameHeaderSize;
  count_ = 0;
  state_ = State::HeaderMade;
}

bool ScreenFrame::hasRoom(size_t k) const {
  return state_ != State::Idle && length_ + k + 1 <= kFrameCapacity;
}

void ScreenFrame::appendBytes(const uint8_t *data, size_t n) {
  for (size_t i = 0; i < n; ++i) buffer_[length_ + i] = data[i];
  length_ += n;
}

void ScreenFrame::appendWord(uint16_t v) {
  platform::le::PutU16(&buffer_[length_], v);
  length_ += 2;
}

void ScreenFrame::countParameter() {
  ++count_;
  platform::le::PutU16(&buffer_[kLengthField], static_cast<uint16_t>(length_));
  platform::le::PutU16(&buffer_[kCountField], count_);
  state_ = State::ParamsAdded;
}

bool ScreenFrame::appendRequest(uint16_t id) {
  if (!hasRoom(2)) return false;
  appendWord(id);
  countParameter();
  return true;
}

bool ScreenFrame::appendSet(uint16_t id, const uint8_t *data, size_t n) {
  if (n > kFrameCapacity || !hasRoom(4 + n) || (data == nullptr && n > 0)) return false;
  appendWord(id);
  appendWord(static_cast<uint16_t>(n));
  appendBytes(data, n);
  countParameter();
  return true;
}

bool ScreenFrame::finish() {
  if (state_ != State::ParamsAdded) return false;
  // Room for the checksum was kept by every append.
  buffer_[length_] = transport::lrc8(buffer_.data(), length_);
  ++length_;
  state_ = State::Idle;
  return true;
}

std::string FrameText(const uint8_t *bytes, size_t n) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(2 * n + 3);
  text.push_back(':');
  for (size_t i = 0; i < n; ++i) {
    text.push_back(kDigits[bytes[i] >> 4]);
    text.push_back(kDigits[bytes[i] & 0x0F]);
  }
  text.append("\r\n");
  return text;
}

}  // namespace quodel
