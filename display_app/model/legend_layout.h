#pragma once
// Where the colour legend of the monitor's status bar goes: a row of
// squares, each followed by its caption, inside the bar's panel rectangle.
#include <cstdint>
#include <vector>

namespace morvit {

// Left, top, width and height; right and bottom exclusive.
struct LegendRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t right() const { return left + width; }
  bool operator==(const LegendRect &) const = default;
};

struct LegendItem {
  LegendRect square;
  int32_t captionLeft = 0;
  int32_t captionTop = 0;
  bool operator==(const LegendItem &) const = default;
};

// The squares are kLegendSquareWidth wide and the panel's height less 2
// high, one pixel below its top. The first starts kLegendGap after the
// panel's left; each caption starts 2 pixels after its square, and the next
// square kLegendGap after the caption's text. One item per text width; a
// negative width counts as 0, and positions stop growing at the int32 limit.
inline constexpr int32_t kLegendSquareWidth = 32;
inline constexpr int32_t kLegendGap = 32;

std::vector<LegendItem> LegendLayout(const LegendRect &panel, const std::vector<int32_t> &textWidths);

}  // namespace morvit
