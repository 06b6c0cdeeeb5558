#pragma once
// Longitudinal checksum used by both wire formats: the two's complement of the
// 8-bit sum of the bytes, so that the bytes plus the checksum sum to 0 mod 256.
#include <cstddef>
#include <cstdint>

namespace transport {

inline uint8_t lrc8(const uint8_t *bytes, size_t n) {
  unsigned sum = 0;
  for (size_t i = 0; i < n; ++i) sum += bytes[i];
  return static_cast<uint8_t>((256u - (sum & 0xFFu)) & 0xFFu);
}

}  // namespace transport
