#include "track_bar_logic.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kwo {
namespace {

int clampInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

int TrackSliderOffset(int extent, int sliderExtent, int min, int max, int position) {
  const int64_t range = int64_t{max} - min;
  if (range == 0) return 0;
  const int64_t free = int64_t{extent} - sliderExtent;
  return clampInt(free * (int64_t{position} - min) / range);
}

int TrackCrossOffset(int thickness, int sliderThickness) {
  return clampInt(std::max<int64_t>(int64_t{thickness} - sliderThickness, 0) / 2);
}

int64_t TrackValueAt(int point, int extent, int sliderExtent, int min, int max) {
  const int64_t free = int64_t{extent} - sliderExtent;
  if (free == 0) return 0;
  const int64_t product = (int64_t{point} - sliderExtent / 2) * (int64_t{max} - min);
  // A 64-bit product over a 32-bit extent stays well inside int64 once
  // rounded; nearbyint rounds an exact half to even.
  const double v = std::nearbyint(static_cast<double>(product) / static_cast<double>(free));
  constexpr double kLimit = 9.0e18;
  return int64_t{min} + static_cast<int64_t>(std::clamp(v, -kLimit, kLimit));
}

int TrackClamp(int64_t value, int min, int max) { return static_cast<int>(std::clamp<int64_t>(value, min, max)); }

int TrackStepToward(int position, int64_t step, int64_t valueAtPress, int pressPoint, int sliderEdge, int min,
                    int max) {
  int64_t target = position;
  if (pressPoint > sliderEdge) {
    target = std::min(int64_t{position} + step, valueAtPress);
  } else if (pressPoint < sliderEdge) {
    target = std::max(int64_t{position} - step, valueAtPress);
  }
  return TrackClamp(target, min, max);
}

std::vector<int> TrackTickPositions(int min, int max, int frequency, int extent, int sliderExtent) {
  std::vector<int> ticks;
  if (min >= max) return ticks;
  const int64_t range = int64_t{max} - min;
  const int64_t free = int64_t{extent} - sliderExtent;
  const int64_t half = sliderExtent / 2;
  auto at = [&](int64_t offset) { return offset * free / range + half; };
  auto add = [&](int64_t p) {
    if (p < 0 || p > extent) return;
    if (!ticks.empty() && ticks.back() == p) return;
    ticks.push_back(static_cast<int>(p));
  };
  const int64_t magnitude = free < 0 ? -free : free;
  if (frequency <= 0) {
    add(at(0));
    add(at(range));
  } else if (int64_t{frequency} * magnitude < range) {
    // Closer than a pixel: every pixel from min's to max's.
    const int64_t first = at(0);
    const int64_t last = at(range);
    const int64_t lo = std::max<int64_t>(std::min(first, last), 0);
    const int64_t hi = std::min<int64_t>(std::max(first, last), extent);
    for (int64_t p = lo; p <= hi; ++p) add(p);
  } else {
    // At least a pixel apart, so at most free + 1 ticked values.
    for (int64_t offset = 0; offset < range; offset += frequency) add(at(offset));
    add(at(range));
  }
  if (free < 0) std::sort(ticks.begin(), ticks.end());
  ticks.erase(std::unique(ticks.begin(), ticks.end()), ticks.end());
  return ticks;
}

}  // namespace kwo
