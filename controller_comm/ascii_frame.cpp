#include "controller_comm/ascii_frame.h"

#include <array>
#include <cstddef>

#include "transport/lrc.h"

namespace tarnex {
namespace {

constexpr size_t kMaxDecodedBytes = 1024;
constexpr char kHexDigits[] = "0123456789ABCDEF";

// A binary frame under construction: the bytes before the checksum.
class BinaryFrame {
 public:
  // Address, function, first register and count: the head of every request.
  BinaryFrame(uint8_t address, uint8_t function, int32_t firstRegister, int32_t count) {
    byte(address);
    byte(function);
    word(static_cast<uint16_t>(firstRegister));
    word(static_cast<uint16_t>(count));
  }

  void byte(uint8_t b) { bytes_[size_++] = b; }
  void word(uint16_t w) {
    byte(static_cast<uint8_t>(w >> 8));
    byte(static_cast<uint8_t>(w & 0xFF));
  }

  // ":" + hex of every byte and the LRC + CR LF.
  std::string text() const {
    const uint8_t lrc = transport::lrc8(bytes_.data(), size_);
    std::string out;
    out.reserve(1 + 2 * (size_ + 1) + 2);
    out += ':';
    auto hex = [&out](uint8_t b) {
      out += kHexDigits[b >> 4];
      out += kHexDigits[b & 0x0F];
    };
    for (size_t i = 0; i < size_; ++i) hex(bytes_[i]);
    hex(lrc);
    out += "\r\n";
    return out;
  }

 private:
  std::array<uint8_t, 6 + 2 * kMaxWriteValues> bytes_{};
  size_t size_ = 0;
};

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

uint16_t wordAt(const uint8_t *bytes, size_t at) {
  return static_cast<uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

}  // namespace

std::string CAsciiFrameBuilder::BuildReadFrame(int32_t addr, int32_t firstRegister, int32_t count) {
  function = kFunctionRead;
  address = static_cast<uint8_t>(addr);
  return BinaryFrame(address, kFunctionRead, firstRegister, count).text();
}

std::optional<std::string> CAsciiFrameBuilder::BuildWriteFrame(int32_t addr, int32_t firstRegister,
                                                               const uint16_t *values, int32_t count) {
  if (count < 0 || count > kMaxWriteValues || (values == nullptr && count > 0)) {
    function = 0;
    address = 0;
    return std::nullopt;
  }
  function = kFunctionWrite;
  address = static_cast<uint8_t>(addr);
  BinaryFrame frame(address, kFunctionWrite, firstRegister, count);
  for (int32_t i = 0; i < count; ++i) frame.word(values[i]);
  return frame.text();
}

int ParseReply(const char *text, uint16_t length, PlcReply &reply) {
  const size_t L = length;
  if (text == nullptr || L < 15 || text[0] != ':' || text[L - 2] != '\r' || text[L - 1] != '\n') return 0;

  const size_t n = (L - 3) / 2;
  if (n > kMaxDecodedBytes) return 0;
  std::array<uint8_t, kMaxDecodedBytes> bytes;
  for (size_t i = 0; i < n; ++i) {
    const int hi = hexValue(text[1 + 2 * i]);
    const int lo = hexValue(text[2 + 2 * i]);
    if (hi < 0 || lo < 0) return 0;
    bytes[i] = static_cast<uint8_t>((hi << 4) | lo);
  }

  // n >= 6 from here on (L >= 15).
  reply.address = bytes[0];
  reply.function = bytes[1];

  if (bytes[1] == kFunctionWrite) {
    if ((n - 5) / 2 != 1) return 0;  // 17 to 20 characters
    reply.firstRegister = wordAt(bytes.data(), 2);
    reply.count = 1;
    reply.data[0] = wordAt(bytes.data(), 4);
    return 1;
  }
  if (bytes[1] == kFunctionRead) {
    const size_t count = bytes[2] / 2;  // at most 127
    if (count != (n - 4) / 2) return 0;
    reply.firstRegister = 0;
    reply.count = static_cast<uint16_t>(count);
    for (size_t k = 0; k < count; ++k) reply.data[k] = wordAt(bytes.data(), 3 + 2 * k);
    return 1;
  }
  return 0;
}

std::optional<uint8_t> FrameByteAt(std::string_view text, size_t index) {
  if (index >= text.size() / 2 || text.size() < 3 + 2 * index) return std::nullopt;
  const int hi = hexValue(text[1 + 2 * index]);
  const int lo = hexValue(text[2 + 2 * index]);
  if (hi < 0 || lo < 0) return std::nullopt;
  return static_cast<uint8_t>((hi << 4) | lo);
}

RequestRange RequestRangeOf(std::string_view frame) {
  uint8_t bytes[4];
  for (size_t i = 0; i < 4; ++i) {
    const std::optional<uint8_t> byte = FrameByteAt(frame, 2 + i);
    if (!byte) return {};
    bytes[i] = *byte;
  }
  return {wordAt(bytes, 0), wordAt(bytes, 2)};
}

}  // namespace tarnex
