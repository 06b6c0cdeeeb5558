#include "display_app/model/value_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace morvit {
namespace {

std::string NonFinite(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

// Drops the sign of a text whose digits are all zero.
std::string Unsigned0(std::string text) {
  if (!text.empty() && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);
  return text;
}

}  // namespace

double ScaleToValue(double raw, double gain, double offset, double base) {
  if (gain == 0) return 0;
  return (raw - offset) / gain + base;
}

double ScaleToRaw(double value, double gain, double offset, double base) {
  return std::nearbyint((value - base) * gain + offset);
}

std::string formatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (decimals < 0) decimals = 0;
  if (decimals > 15) decimals = 15;
  // The shortest decimal text that reads back as the value, in fixed form.
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  std::string text(buf, res.ptr);
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.erase(0, 1);
  size_t dot = text.find('.');
  std::string intPart = dot == std::string::npos ? text : text.substr(0, dot);
  std::string frac = dot == std::string::npos ? std::string() : text.substr(dot + 1);

  bool roundUp = false;
  if (frac.size() > static_cast<size_t>(decimals)) {
    roundUp = frac[static_cast<size_t>(decimals)] >= '5';
    frac.resize(static_cast<size_t>(decimals));
  } else {
    frac.append(static_cast<size_t>(decimals) - frac.size(), '0');
  }
  std::string digits = intPart + frac;
  if (roundUp) {
    size_t i = digits.size();
    while (i > 0) {
      --i;
      if (digits[i] == '9') {
        digits[i] = '0';
      } else {
        ++digits[i];
        break;
      }
      if (i == 0) {
        digits.insert(digits.begin(), '1');
        break;
      }
    }
  }
  const size_t intLen = digits.size() - frac.size();
  std::string out = digits.substr(0, intLen);
  if (decimals > 0) out += "." + digits.substr(intLen);
  if (negative) out.insert(out.begin(), '-');
  return Unsigned0(out);
}

std::string formatRounded(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  const double rounded = std::nearbyint(value) + 0.0;  // + 0.0 turns -0 into 0
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 0);
  return Unsigned0(std::string(buf, res.ptr));
}

std::string formatPrecision(double value, int precision, const std::string &suffix) {
  switch (precision) {
    case 0:
      return formatRounded(value) + suffix;
    case 1:
    case 2:
      return formatFixed(value, precision) + suffix;
    default:
      return std::string();
  }
}

}  // namespace morvit
