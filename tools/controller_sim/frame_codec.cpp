#include "tools/controller_sim/frame_codec.h"

#include "transport/lrc.h"

namespace controller_sim {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void AppendWord(std::vector<uint8_t> &body, uint16_t word) {
  body.push_back(static_cast<uint8_t>(word >> 8));
  body.push_back(static_cast<uint8_t>(word & 0xFF));
}

uint16_t WordAt(const std::vector<uint8_t> &bytes, size_t at) {
  return static_cast<uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

}  // namespace

std::string EncodeFrame(std::span<const uint8_t> body) {
  std::string text;
  text.reserve(1 + 2 * (body.size() + 1) + 2);
  text.push_back(':');
  auto put = [&text](uint8_t b) {
    text.push_back(kHexDigits[b >> 4]);
    text.push_back(kHexDigits[b & 0xF]);
  };
  for (uint8_t b : body) put(b);
  put(transport::lrc8(body.data(), body.size()));
  text += "\r\n";
  return text;
}

std::optional<std::vector<uint8_t>> DecodeText(std::string_view text) {
  if (text.size() < 3 || text.front() != ':' || !text.ends_with("\r\n")) return std::nullopt;
  const std::string_view digits = text.substr(1, text.size() - 3);
  if (digits.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  bytes.reserve(digits.size() / 2);
  for (size_t i = 0; i < digits.size(); i += 2) {
    const int hi = HexValue(digits[i]);
    const int lo = HexValue(digits[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(hi << 4 | lo));
  }
  return bytes;
}

const char *DropReasonName(DropReason reason) {
  switch (reason) {
    case DropReason::Malformed: return "malformed";
    case DropReason::Lrc: return "lrc";
    case DropReason::Address: return "address";
    case DropReason::Function: return "function";
    case DropReason::Length: return "length";
    case DropReason::TooLong: return "too-long";
  }
  return "malformed";
}

std::variant<Request, DropReason> ParseRequest(std::string_view text, uint8_t own_address) {
  return ParseRequestFor(text, [own_address](uint8_t a) { return a == own_address; });
}

std::variant<Request, DropReason> ParseRequestFor(std::string_view text,
                                                  const std::function<bool(uint8_t)> &is_own) {
  const std::optional<std::vector<uint8_t>> decoded = DecodeText(text);
  // Address, function and LRC at the least.
  if (!decoded || decoded->size() < 3) return DropReason::Malformed;
  const std::vector<uint8_t> &bytes = *decoded;
  const size_t body_size = bytes.size() - 1;
  if (transport::lrc8(bytes.data(), body_size) != bytes.back()) return DropReason::Lrc;
  if (!is_own(bytes[0])) return DropReason::Address;

  Request request;
  request.address = bytes[0];
  request.function = bytes[1];
  if (request.function != kFunctionRead && request.function != kFunctionWrite) {
    return DropReason::Function;
  }
  if (body_size < 6) return DropReason::Length;
  request.first = WordAt(bytes, 2);
  request.count = WordAt(bytes, 4);
  if (request.function == kFunctionRead) {
    if (body_size != 6) return DropReason::Length;
    return request;
  }
  // The write form carries the values straight after the count.
  if (body_size != 6 + 2 * size_t{request.count}) return DropReason::Length;
  request.values.reserve(request.count);
  for (size_t i = 0; i < request.count; ++i) request.values.push_back(WordAt(bytes, 6 + 2 * i));
  return request;
}

std::vector<uint8_t> ReadReplyBody(uint8_t address, std::span<const uint16_t> values) {
  std::vector<uint8_t> body{address, kFunctionRead, static_cast<uint8_t>(2 * values.size())};
  for (uint16_t v : values) AppendWord(body, v);
  return body;
}

std::vector<uint8_t> WriteReplyBody(uint8_t address, uint16_t first, uint16_t count) {
  std::vector<uint8_t> body{address, kFunctionWrite};
  AppendWord(body, first);
  AppendWord(body, count);
  return body;
}

std::vector<uint8_t> ExceptionReplyBody(uint8_t address, uint8_t function, uint8_t code) {
  return {address, static_cast<uint8_t>(function | kExceptionFlag), code};
}

std::string EscapeForLog(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\\') {
      out += "\\\\";
    } else if (c >= 0x20 && c < 0x7F) {
      out.push_back(ch);
    } else {
      out += "\\x";
      out.push_back(kHexDigits[c >> 4]);
      out.push_back(kHexDigits[c & 0xF]);
    }
  }
  return out;
}

}  // namespace controller_sim
