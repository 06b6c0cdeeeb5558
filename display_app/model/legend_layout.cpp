#include "display_app/model/legend_layout.h"

#include <algorithm>
#include <limits>

namespace morvit {
namespace {

constexpr int64_t kCaptionOffset = 2;

int32_t saturate(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

std::vector<LegendItem> LegendLayout(const LegendRect &panel, const std::vector<int32_t> &textWidths) {
  std::vector<LegendItem> items;
  items.reserve(textWidths.size());
  const int32_t squareTop = saturate(int64_t{panel.top} + 1);
  const int32_t squareHeight = saturate(std::max<int64_t>(int64_t{panel.height} - 2, 0));
  int64_t x = int64_t{panel.left} + kLegendGap;
  for (const int32_t textWidth : textWidths) {
    // The square's right edge stays representable.
    const int32_t squareLeft = saturate(std::min<int64_t>(x, std::numeric_limits<int32_t>::max() - kLegendSquareWidth));
    const int64_t captionLeft = int64_t{squareLeft} + kLegendSquareWidth + kCaptionOffset;
    items.push_back({{squareLeft, squareTop, kLegendSquareWidth, squareHeight}, saturate(captionLeft), squareTop});
    x = captionLeft + std::max<int32_t>(textWidth, 0) + kLegendGap;
  }
  return items;
}

}  // namespace morvit
