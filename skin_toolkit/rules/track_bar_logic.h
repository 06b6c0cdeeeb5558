#pragma once
// The track bar's rules without any drawing: where the slider sits for a
// position, which value a point stands for, how a press on the bar steps
// toward the point, and where the tick marks go. Positions and values may
// span the whole int range, so every product is formed in 64 bits.
#include <cstdint>
#include <vector>

namespace kwo {

// The slider's offset along the bar: (extent - slider) x (position - min)
// div (max - min), truncating toward zero; 0 when min = max.
int TrackSliderOffset(int extent, int sliderExtent, int min, int max, int position);

// The slider's offset across the bar: max(thickness - slider, 0) div 2.
int TrackCrossOffset(int thickness, int sliderThickness);

// The value at a point along the bar: min + round((point - slider div 2) x
// (max - min) / (extent - slider)), an exact half to the even neighbour;
// 0 when the slider fills the bar. Not clamped to min..max.
int64_t TrackValueAt(int point, int extent, int sliderExtent, int min, int max);

// value held to min..max.
int TrackClamp(int64_t value, int min, int max);

// A press on the bar beyond the slider's edge moves position up by step,
// but not past the value under the press; before it, down likewise; at the
// edge nothing moves. The result is held to min..max.
int TrackStepToward(int position, int64_t step, int64_t valueAtPress, int pressPoint, int sliderEdge, int min,
                    int max);

// The pixel positions of the tick marks, ascending for a slider no larger
// than the bar: min, every frequency-th value after it and max get a tick
// (frequency 0 or less: min and max only; none when min = max) at
// (v - min) x (extent - slider) div (max - min) + slider div 2. Ticks closer
// than a pixel give every pixel between min's and max's once, so the work
// and the result never exceed extent + 1 positions whatever the range.
// Positions outside 0..extent are left out.
std::vector<int> TrackTickPositions(int min, int max, int frequency, int extent, int sliderExtent);

}  // namespace kwo
