#pragma once
// Code page 936 (GBK) text. Files of the suite store text in this code page;
// models keep the raw bytes and convert only for display or from user input.
// Conversion goes through glibc iconv, so this layer needs no Qt.
#include <cstddef>
#include <string>
#include <string_view>

namespace cp936 {

// True for a byte that starts a two-byte character (0x81..0xFE).
inline bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// True for a byte that can end a two-byte character (0x40..0xFE but 0x7F).
inline bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// An ASCII capital as its small letter; every other byte as it is (never
// through the locale).
inline unsigned char FoldAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// Length of the character starting at bytes[i]: 2 for a lead byte followed by
// a trail byte, otherwise 1. i must be inside bytes.
inline size_t CharLength(std::string_view bytes, size_t i) {
  return i + 1 < bytes.size() && IsLeadByte(static_cast<unsigned char>(bytes[i])) &&
                 IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))
             ? 2
             : 1;
}

// For display: every byte or pair that does not decode becomes U+FFFD.
// Never fails.
std::string ToUtf8(std::string_view bytes);

// Encodes UTF-8 text; a character the code page lacks (or malformed UTF-8)
// becomes '?'. *lossless (when given) tells whether nothing was replaced.
std::string FromUtf8(std::string_view utf8, bool *lossless = nullptr);

// The longest prefix of at most max bytes that does not split a character.
std::string TruncateToBytes(std::string_view bytes, size_t max);

// Compares two names folding ASCII letters only; a two-byte character must
// match exactly (its trail byte may look like an ASCII letter).
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// A key with the same folding as EqualsIgnoreCase: two names compare equal
// exactly when their folded keys are equal. For hash indexes.
std::string FoldCase(std::string_view bytes);

}  // namespace cp936
