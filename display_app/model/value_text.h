#pragma once
// Status values: scaling between raw register values and engineering values,
// and their texts. Texts never depend on the C locale.
#include <string>

namespace morvit {

// (raw - offset) / gain + base; 0 when gain is 0.
double ScaleToValue(double raw, double gain, double offset, double base);

// (value - base) * gain + offset, rounded to the nearest integer (half to
// even). Not finite when the inputs are not.
double ScaleToRaw(double value, double gain, double offset, double base);

// Fixed-point text with the given number of decimals (0..15) and '.', rounding
// half away from zero on the shortest decimal text of the value, so 60.25
// gives "60.3" and 0.15 gives "0.2". No "-" for a value that rounds to zero.
std::string formatFixed(double value, int decimals);

// The nearest integer, half to even ("%d" of a rounded value): 2.5 -> "2".
std::string formatRounded(double value);

// The value with 0, 1 or 2 decimals followed by suffix; empty for any other
// precision (the caller then keeps its old text).
std::string formatPrecision(double value, int precision, const std::string &suffix);

}  // namespace morvit
