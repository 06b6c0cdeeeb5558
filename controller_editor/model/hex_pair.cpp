#include "controller_editor/model/hex_pair.h"

namespace selkan {
namespace {

uint8_t nibble(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
  return 0;
}

}  // namespace

uint8_t HexPairToByte(std::string_view text) {
  const uint8_t high = text.size() > 0 ? nibble(text[0]) : 0;
  const uint8_t low = text.size() > 1 ? nibble(text[1]) : 0;
  return static_cast<uint8_t>(high << 4 | low);
}

std::string ByteToHexPair(uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string{kDigits[value >> 4], kDigits[value & 0x0F]};
}

}  // namespace selkan
