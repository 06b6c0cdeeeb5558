#pragma once
// Numbers as text, always with '.' and never through the C locale, so files
// read the same whatever locale the program runs under.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

std::string FormatInteger(int64_t value);

// General format with up to 15 significant digits and no trailing zeros:
// 1 -> "1", 0.5 -> "0.5", 1.0/3 -> "0.333333333333333", 1e20 -> "1e+20".
std::string FormatFloat(double value);

// Decimal with an optional sign, or hexadecimal written "$1F" or "0x1F"
// (optionally signed). Anything else, or a value outside int32, gives def.
int32_t ParseIntegerOr(std::string_view text, int32_t def);

// The whole text must be a decimal floating-point number (a leading '+' is
// allowed); anything else gives def.
double ParseFloatOr(std::string_view text, double def);

// a x b / c with a 64-bit product, the quotient rounded half away from
// zero: MulDiv(1, 3, 2) = 2, MulDiv(-1, 3, 2) = -2. A zero divisor, or a
// result outside -2147483647..2147483647, gives -1.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace platform
