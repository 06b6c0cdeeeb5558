#include "platform/number_text.h"

#include <charconv>
#include <limits>

namespace platform {

std::string FormatInteger(int64_t value) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string FormatFloat(double value) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return std::string(buf, res.ptr);
}

int32_t ParseIntegerOr(std::string_view text, int32_t def) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  // from_chars takes no sign of its own here: the one above is the only one.
  if (text.empty() || text[0] == '-' || text[0] == '+') return def;
  uint64_t magnitude = 0;
  auto res = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return def;
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  if (magnitude > limit) return def;
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude)) : static_cast<int32_t>(magnitude);
}

double ParseFloatOr(std::string_view text, double def) {
  if (!text.empty() && text[0] == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) return def;
  }
  if (text.empty()) return def;
  double value = 0;
  auto res = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return def;
  return value;
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t product = int64_t{a} * int64_t{b};
  int64_t quotient = product / c;
  const int64_t remainder = product % c;
  // |remainder| < |c| <= 2^31, so doubling it cannot overflow.
  const int64_t twice = remainder < 0 ? -2 * remainder : 2 * remainder;
  const int64_t divisor = c < 0 ? -int64_t{c} : int64_t{c};
  if (twice >= divisor) quotient += (product < 0) == (c < 0) ? 1 : -1;
  if (quotient > INT32_MAX || quotient < -INT32_MAX) return -1;
  return static_cast<int32_t>(quotient);
}

}  // namespace platform
