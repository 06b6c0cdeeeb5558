#include "controller_editor/model/ip_text.h"

namespace selkan {

bool IsDottedQuad(std::string_view text) {
  constexpr int kParts = 4;
  constexpr int kMaxDigits = 3;
  constexpr int kMaxPart = 255;
  int parts = 0;
  size_t pos = 0;
  while (parts < kParts) {
    int value = 0;
    int digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
      if (++digits > kMaxDigits) return false;
      value = value * 10 + (text[pos] - '0');
      ++pos;
    }
    if (digits == 0 || value > kMaxPart) return false;
    ++parts;
    if (parts == kParts) break;
    if (pos >= text.size() || text[pos] != '.') return false;
    ++pos;
  }
  return pos == text.size();
}

}  // namespace selkan
