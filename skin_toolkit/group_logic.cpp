#include "group_logic.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "number_text.h"

namespace kwo {

int FontPixelHeight(int pointSize, int pixelHeight) {
  if (pixelHeight != 0) return pixelHeight == INT32_MIN ? INT32_MAX : std::abs(pixelHeight);
  return std::abs(platform::MulDiv(pointSize, 96, 72));
}

int GroupFrameLineY(int fontHeight, int clientTop) { return fontHeight / 2 + clientTop + 1; }

int GroupFrameTopEnd(int left, int captionWidth, bool hasCaption) {
  return hasCaption ? left + captionWidth + 6 : left;
}

Rect GroupItemArea(const Rect &client, int fontHeight, int topMargin) {
  Rect area{client.left + 3, client.top + fontHeight, client.right - 2, client.bottom - 2};
  area.top += topMargin;
  return area;
}

std::vector<Point> GroupItemPositions(int count, int columns, int width, const Rect &area) {
  std::vector<Point> positions;
  if (count <= 0) return positions;
  const int cols = std::max(columns, 1);
  const int rows = (count + cols - 1) / cols;
  const int columnWidth = (width - 10) / cols;
  const int areaHeight = area.height();
  const int rowHeight = areaHeight / rows;
  const int firstTop = area.top + (areaHeight % rows) / 2;
  positions.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    positions.push_back({(i / rows) * columnWidth + 8, (i % rows) * rowHeight + firstTop});
  }
  return positions;
}

}  // namespace kwo
