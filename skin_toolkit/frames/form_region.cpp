#include "skin_toolkit/frames/form_region.h"

#include <QRect>
#include <algorithm>

namespace kwo {

QRegion RoundTopRegion(int width, int height, int corner) {
  if (width <= 0 || height <= 0) return {};
  const int c = std::clamp(corner, 0, std::min(width, height));
  QRegion region;
  int y = 0;
  // In doubled coordinates the ellipse's centre is (c, c) and its radius c;
  // the centre of pixel (x, y) lies at (2x + 1, 2y + 1).
  for (; 2 * y + 1 < c; ++y) {
    const long long dy = 2LL * y + 1 - c;
    int inset = 0;
    while (2 * inset + 1 < c) {
      const long long dx = 2LL * inset + 1 - c;
      if (dx * dx + dy * dy <= 1LL * c * c) break;
      ++inset;
    }
    if (width - 2 * inset > 0) region += QRect(inset, y, width - 2 * inset, 1);
  }
  region += QRect(0, y, width, height - y);
  return region;
}

}  // namespace kwo
