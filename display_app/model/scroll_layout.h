#pragma once
// Where a scrolled content panel, its two scroll bars and the corner square
// between them go inside a client area. The content is W x H including a
// margin m on every side; the bars are BW (vertical) and BH (horizontal)
// thick. Whether each bar shows depends on the other one taking room.
#include <cstdint>

namespace morvit {

// One bar's placement and scale. It is placed (and scaled) also when hidden.
struct ScrollBarLayout {
  bool visible = false;
  int32_t left = 0;
  int32_t top = 0;
  int32_t length = 0;  // width of the horizontal bar, height of the vertical one
  int32_t max = 0;     // content less the visible extent; may be negative (Min is 0)
  int32_t lineButton = 0;  // thumb length
  int32_t step = 0;        // small change, large change and page size alike
};

struct ScrollLayout {
  // 1: no bars, 2: vertical only, 3 and 5: both, 4: horizontal only.
  int caseNumber = 0;
  int32_t visibleWidth = 0;
  int32_t visibleHeight = 0;
  int32_t margin = 0;
  ScrollBarLayout horizontal;
  ScrollBarLayout vertical;
  bool cornerVisible = false;
  int32_t cornerLeft = 0;
  int32_t cornerTop = 0;
  // The axis is centred (its bar is hidden) and the content sits here.
  bool leftCentred = false;
  int32_t centredLeft = 0;
  bool topCentred = false;
  int32_t centredTop = 0;
};

ScrollLayout ComputeScrollLayout(int32_t W, int32_t H, int32_t CW, int32_t CH, int32_t BW, int32_t BH, int32_t m);

struct ContentPlace {
  int32_t left = 0;
  int32_t top = 0;
  bool operator==(const ContentPlace &) const = default;
};

// The content's Left and Top for the bars' positions hpos and vpos (as the
// bars hold them after clamping): the centred value on a centred axis,
// otherwise margin - position.
ContentPlace PlaceContent(const ScrollLayout &layout, int32_t hpos, int32_t vpos);

}  // namespace morvit
