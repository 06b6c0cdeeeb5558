#include "skin_toolkit/rules/scroll_bar_logic.h"

#include <algorithm>
#include <cstdint>

namespace kwo {

ScrollBarParts ScrollBarLayout(bool vertical, Size bar, Size decrease, Size increase) {
  ScrollBarParts parts;
  if (bar.width <= 0 || bar.height <= 0) {
    parts.hidden = true;
    return parts;
  }
  parts.decrease = {0, 0, decrease.width, decrease.height};
  if (vertical) {
    const int trackHeight = std::max(bar.height - increase.height - decrease.height - 1, 0);
    parts.track = {0, decrease.height, decrease.width, decrease.height + trackHeight};
    const int top = bar.height - increase.height;
    parts.increase = {0, top, increase.width, top + increase.height};
    parts.thickness = decrease.width;
  } else {
    const int trackWidth = std::max(bar.width - increase.width - decrease.width, 0);
    parts.track = {decrease.width, 0, decrease.width + trackWidth, decrease.height};
    const int left = bar.width - increase.width;
    parts.increase = {left, 0, left + increase.width, increase.height};
    parts.thickness = decrease.height;
  }
  return parts;
}

int ScrollTrackLength(bool vertical, Size bar, Size decrease, Size increase) {
  const int64_t length = vertical ? int64_t{bar.height} - increase.height - decrease.height
                                  : int64_t{bar.width} - increase.width - decrease.width;
  return static_cast<int>(std::clamp<int64_t>(length, INT32_MIN, INT32_MAX));
}

ScrollThumb ScrollThumbLength(int lineButton, int pageSize, int trackLength) {
  ScrollThumb thumb;
  thumb.lineButton = lineButton;
  if (lineButton > 0) {
    thumb.lineButton = std::max(lineButton, kMinLineButton);
    thumb.length = thumb.lineButton;
    thumb.known = true;
    return thumb;
  }
  const int64_t percent = pageSize < 10 || pageSize > 100 ? 10 : pageSize;
  if (trackLength > 0) {
    thumb.length = static_cast<int>(percent * trackLength / 100);
    thumb.known = true;
  }
  return thumb;
}

}  // namespace kwo
