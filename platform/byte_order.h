#pragma once
// Little-endian access to raw bytes, for frames, project files and skin
// files: every field is read and written byte by byte, whatever the host's
// order. Qt-free and header-only.
#include <cstddef>
#include <cstdint>

namespace platform::le {

// Any one-byte type (uint8_t, char, std::byte) reads as its unsigned value.
template <typename Byte>
constexpr uint8_t ByteAt(const Byte *p, size_t i) {
  static_assert(sizeof(Byte) == 1, "bytes only");
  return static_cast<uint8_t>(p[i]);
}

// The value of the first n bytes (at most 8), lowest byte first.
template <typename Byte>
constexpr uint64_t GetBytes(const Byte *p, size_t n) {
  uint64_t v = 0;
  for (size_t i = n < 8 ? n : 8; i > 0; --i) v = (v << 8) | ByteAt(p, i - 1);
  return v;
}

template <typename Byte>
constexpr uint16_t GetU16(const Byte *p) {
  return static_cast<uint16_t>(GetBytes(p, 2));
}
template <typename Byte>
constexpr uint32_t GetU32(const Byte *p) {
  return static_cast<uint32_t>(GetBytes(p, 4));
}
template <typename Byte>
constexpr uint64_t GetU64(const Byte *p) {
  return GetBytes(p, 8);
}

// Writes the low n bytes (at most 8) of v, lowest byte first.
constexpr void PutBytes(uint8_t *p, uint64_t v, size_t n) {
  for (size_t i = 0; i < n && i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
constexpr void PutU16(uint8_t *p, uint16_t v) { PutBytes(p, v, 2); }
constexpr void PutU32(uint8_t *p, uint32_t v) { PutBytes(p, v, 4); }
constexpr void PutU64(uint8_t *p, uint64_t v) { PutBytes(p, v, 8); }

}  // namespace platform::le
