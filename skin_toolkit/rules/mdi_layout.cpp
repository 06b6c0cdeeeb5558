#include "skin_toolkit/rules/mdi_layout.h"

#include <algorithm>
#include <cstdint>

namespace kwo {
namespace {

constexpr int kCascadeStep = 22;
// Room kept at the bottom for the minimised children.
constexpr int kMinimizedRow = 25;

Rect boundsAt(int x, int y, int width, int height) {
  return {x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

int notMinimized(const std::vector<bool> &minimized) {
  return static_cast<int>(std::ranges::count(minimized, false));
}

}  // namespace

std::vector<std::optional<Rect>> CascadeLayout(const MdiLayoutInput &in) {
  std::vector<std::optional<Rect>> bounds(in.minimized.size());
  // 0.8 and 0.6 of the client, truncated, in exact integer steps.
  const int width = static_cast<int>(std::max<int64_t>(in.client.width, 0) * 4 / 5);
  const int height = static_cast<int>(std::max<int64_t>(in.client.height, 0) * 3 / 5);
  int offset = 0;
  for (size_t i = in.minimized.size(); i-- > 0;) {
    if (in.minimized[i]) continue;
    bounds[i] = boundsAt(offset, offset, width, height);
    // Far past any screen; the bound only keeps the sum from overflowing.
    offset = std::min(offset + kCascadeStep, 1 << 24);
  }
  return bounds;
}

std::vector<std::optional<Rect>> TileLayout(const MdiLayoutInput &in) {
  std::vector<std::optional<Rect>> bounds(in.minimized.size());
  const int n = notMinimized(in.minimized);
  if (n == 0) return bounds;
  const bool someMinimized = n < static_cast<int>(in.minimized.size());
  const int64_t available = int64_t{in.client.height} - std::max(in.alignedHeight, 0) -
                            (someMinimized ? kMinimizedRow : 0);
  const int height = static_cast<int>(std::max<int64_t>(available, 0));
  const int width = std::max(in.client.width, 0);
  if (in.vertical) {
    const int step = std::max(width / n - 2, 0);
    int x = 0;
    for (size_t i = in.minimized.size(); i-- > 0;) {
      if (in.minimized[i]) continue;
      bounds[i] = boundsAt(x, 0, step, height - 4);
      x += step;
    }
  } else {
    const int step = std::max(height / n - 2, 0);
    int y = 0;
    for (size_t i = in.minimized.size(); i-- > 0;) {
      if (in.minimized[i]) continue;
      bounds[i] = boundsAt(0, y, width - 4, step);
      y += step;
    }
  }
  return bounds;
}

}  // namespace kwo
