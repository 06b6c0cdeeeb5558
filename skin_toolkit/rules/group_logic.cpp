#include "skin_toolkit/rules/group_logic.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/number_text.h"

namespace kwo {

int FontPixelHeight(int pointSize, int pixelHeight) {
  if (pixelHeight != 0) return pixelHeight == INT32_MIN ? INT32_MAX : std::abs(pixelHeight);
  return std::abs(platform::MulDiv(pointSize, 96, 72));
}

int GroupFrameLineY(int fontHeight, int clientTop) { return fontHeight / 2 + clientTop + 1; }

int GroupFrameTopEnd(int left, int captionWidth, bool hasCaption) {
  return hasCaption ? left + captionWidth + 6 : left;
}

namespace {

// Keeps a computed coordinate where a control placed there still has a
// rectangle the window system can hold.
int clampCoordinate(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, -kGroupCoordinateLimit, kGroupCoordinateLimit));
}

}  // namespace

Rect GroupItemArea(const Rect &client, int fontHeight, int topMargin) {
  return {clampCoordinate(int64_t{client.left} + 3),
          clampCoordinate(int64_t{client.top} + fontHeight + topMargin),
          clampCoordinate(int64_t{client.right} - 2), clampCoordinate(int64_t{client.bottom} - 2)};
}

std::vector<Point> GroupItemPositions(int count, int columns, int width, const Rect &area) {
  std::vector<Point> positions;
  if (count <= 0) return positions;
  const int64_t cols = std::max(columns, 1);
  const int64_t rows = (int64_t{count} + cols - 1) / cols;
  const int64_t columnWidth = (int64_t{width} - 10) / cols;
  const int64_t areaHeight = int64_t{area.bottom} - area.top;
  const int64_t rowHeight = areaHeight / rows;
  const int64_t firstTop = int64_t{area.top} + (areaHeight % rows) / 2;
  positions.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    positions.push_back(
        {clampCoordinate((i / rows) * columnWidth + 8), clampCoordinate((i % rows) * rowHeight + firstTop)});
  }
  return positions;
}

}  // namespace kwo
