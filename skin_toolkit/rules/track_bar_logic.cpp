#include "skin_toolkit/rules/track_bar_logic.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kwo {
namespace {

int clampInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// a x b div c, truncating toward zero; |a|, |b| and |c| below 2^33, so
// the product needs more than 64 bits but the quotient fits.
int64_t mulDivTruncating(int64_t a, int64_t b, int64_t c) {
  return static_cast<int64_t>(static_cast<__int128>(a) * b / c);
}

}  // namespace

int TrackSliderOffset(int extent, int sliderExtent, int min, int max, int position) {
  const int64_t range = int64_t{max} - min;
  if (range == 0) return 0;
  const int64_t free = int64_t{extent} - sliderExtent;
  return clampInt(mulDivTruncating(free, int64_t{position} - min, range));
}

int TrackCrossOffset(int thickness, int sliderThickness) {
  return clampInt(std::max<int64_t>(int64_t{thickness} - sliderThickness, 0) / 2);
}

int64_t TrackValueAt(int point, int extent, int sliderExtent, int min, int max) {
  const int64_t free = int64_t{extent} - sliderExtent;
  if (free == 0) return 0;
  // A point far outside the bar times the whole int range passes 2^63, so
  // the product takes 128 bits and the quotient a 64-bit mantissa, exact
  // enough to see every half; nearbyint rounds an exact half to even.
  const __int128 product = static_cast<__int128>(int64_t{point} - sliderExtent / 2) * (int64_t{max} - min);
  const long double v = std::nearbyint(static_cast<long double>(product) / static_cast<long double>(free));
  constexpr long double kLimit = 4.0e18L;
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
  auto at = [&](int64_t offset) { return mulDivTruncating(offset, free, range) + half; };
  auto add = [&](int64_t p) {
    if (p < 0 || p > extent) return;
    if (!ticks.empty() && ticks.back() == p) return;
    ticks.push_back(static_cast<int>(p));
  };
  const int64_t magnitude = free < 0 ? -free : free;
  if (frequency <= 0) {
    add(at(0));
    add(at(range));
  } else if (static_cast<__int128>(frequency) * magnitude < range) {
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
