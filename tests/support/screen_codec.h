#pragma once
// Screen command frames as a peer sees them, written independently of the
// library: little-endian header (address, command, type, length, index,
// count), parameters, then the two's-complement checksum; on serial lines
// ':' + hex digits + CR LF.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

struct ScreenParam {
  uint16_t id = 0;
  // The data of a set parameter; none for a request parameter (the bare id).
  std::optional<std::string> data;
};

struct ScreenFrameFields {
  uint16_t address = 0;
  uint8_t command = 0;
  uint16_t type = 0;
  uint16_t index = 0;
  std::vector<ScreenParam> params;

  bool operator==(const ScreenFrameFields &) const = default;
};

class ScreenCodec {
 public:
  static constexpr uint16_t kRequest = 0x0200;
  static constexpr uint16_t kSet = 0x0300;

  // The whole frame with its length, count and checksum.
  static std::string encode(const ScreenFrameFields &frame);
  // body followed by its checksum.
  static std::string seal(std::string_view body);
  // A set parameter's data: a little-endian word or double word.
  static std::string word(uint16_t v);
  static std::string dword(uint32_t v);

  // The serial line of a frame, in lower- or upper-case hex.
  static std::string line(std::string_view frame, bool upperCase = false);
  // The frame of a line; nullopt unless it is ':' + hex pairs + CR LF.
  static std::optional<std::string> unline(std::string_view line);

  // Takes a frame apart: parameters are bare ids in a request (type 0x0200)
  // and set parameters otherwise. nullopt for a bad checksum, length or
  // count, or parameters that do not fill the frame exactly.
  static std::optional<ScreenFrameFields> decode(std::string_view frame);

  // Space-separated upper-case hex, for messages.
  static std::string hex(std::string_view bytes);
  // The bytes of space-separated hex ("00 0A ff").
  static std::string bytes(std::string_view hexText);
};

}  // namespace testsupport
