#pragma once
// Bytes as two hexadecimal characters, for the controller debug console.
#include <cstdint>
#include <string>
#include <string_view>

namespace selkan {

// The first two characters of text as a byte, high nibble first. "0".."9",
// "A".."F" and "a".."f" count their value; any other character, or a missing
// one, counts 0 ("3" gives 0x30).
uint8_t HexPairToByte(std::string_view text);

// Two upper-case hexadecimal characters, high nibble first (10 gives "0A").
std::string ByteToHexPair(uint8_t value);

}  // namespace selkan
