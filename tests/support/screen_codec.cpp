#include "tests/support/screen_codec.h"

#include <cstdio>

namespace testsupport {
namespace {

uint16_t WordAt(std::string_view s, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8);
}

int Nibble(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string ScreenCodec::word(uint16_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string ScreenCodec::dword(uint32_t v) {
  return word(static_cast<uint16_t>(v & 0xFFFF)) + word(static_cast<uint16_t>(v >> 16));
}

std::string ScreenCodec::seal(std::string_view body) {
  unsigned sum = 0;
  for (char c : body) sum += static_cast<uint8_t>(c);
  std::string frame(body);
  frame.push_back(static_cast<char>((0x100 - (sum & 0xFF)) & 0xFF));
  return frame;
}

std::string ScreenCodec::encode(const ScreenFrameFields &frame) {
  std::string params;
  for (const ScreenParam &p : frame.params) {
    params += word(p.id);
    if (p.data) params += word(static_cast<uint16_t>(p.data->size())) + *p.data;
  }
  std::string body = word(frame.address);
  body.push_back(static_cast<char>(frame.command));
  body += word(frame.type) + word(static_cast<uint16_t>(11 + params.size())) + word(frame.index) +
          word(static_cast<uint16_t>(frame.params.size())) + params;
  return seal(body);
}

std::string ScreenCodec::line(std::string_view frame, bool upperCase) {
  std::string text = ":";
  for (char c : frame) {
    char pair[3];
    std::snprintf(pair, sizeof pair, upperCase ? "%02X" : "%02x", static_cast<uint8_t>(c));
    text += pair;
  }
  return text + "\r\n";
}

std::optional<std::string> ScreenCodec::unline(std::string_view line) {
  if (line.size() < 3 || line.front() != ':' || !line.ends_with("\r\n") || line.size() % 2 == 0)
    return std::nullopt;
  std::string frame;
  for (size_t i = 1; i + 2 < line.size(); i += 2) {
    const int high = Nibble(line[i]);
    const int low = Nibble(line[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    frame.push_back(static_cast<char>(high << 4 | low));
  }
  return frame;
}

std::optional<ScreenFrameFields> ScreenCodec::decode(std::string_view frame) {
  if (frame.size() < 12 || seal(frame.substr(0, frame.size() - 1)) != frame) return std::nullopt;
  if (WordAt(frame, 5) != frame.size() - 1) return std::nullopt;
  ScreenFrameFields fields;
  fields.address = WordAt(frame, 0);
  fields.command = static_cast<uint8_t>(frame[2]);
  fields.type = WordAt(frame, 3);
  fields.index = WordAt(frame, 7);
  const size_t count = WordAt(frame, 9);
  const size_t end = frame.size() - 1;
  size_t at = 11;
  for (size_t i = 0; i < count; ++i) {
    if (end - at < 2) return std::nullopt;
    ScreenParam p{WordAt(frame, at), std::nullopt};
    at += 2;
    if (fields.type != kRequest) {
      if (end - at < 2) return std::nullopt;
      const size_t length = WordAt(frame, at);
      at += 2;
      if (end - at < length) return std::nullopt;
      p.data = std::string(frame.substr(at, length));
      at += length;
    }
    fields.params.push_back(std::move(p));
  }
  if (at != end) return std::nullopt;
  return fields;
}

std::string ScreenCodec::hex(std::string_view bytes) {
  std::string text;
  for (char c : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%s%02X", text.empty() ? "" : " ", static_cast<uint8_t>(c));
    text += pair;
  }
  return text;
}

std::string ScreenCodec::bytes(std::string_view hexText) {
  std::string out;
  int high = -1;
  for (char c : hexText) {
    const int v = Nibble(c);
    if (v < 0) continue;
    if (high < 0) {
      high = v;
    } else {
      out.push_back(static_cast<char>(high << 4 | v));
      high = -1;
    }
  }
  return out;
}

}  // namespace testsupport
