#pragma once
// The scroll bar's rules without any drawing: where its two arrow buttons
// and the track between them go, and how long the thumb is.
#include "skin_toolkit/rules/geometry.h"

namespace kwo {

struct ScrollBarParts {
  // A bar with no width or no height hides itself; nothing else is placed.
  bool hidden = false;
  Rect decrease;  // left or top arrow
  Rect track;
  Rect increase;  // right or bottom arrow
  // The bar's own width (vertical) or height (horizontal) afterwards: the
  // decrease button's.
  int thickness = 0;
  bool operator==(const ScrollBarParts &) const = default;
};

// Lays the parts out in a bar of the given size. Vertical: the track starts
// under the decrease button and is one pixel shorter than the gap between
// the buttons; horizontal: it fills the gap. A gap too small for the track
// gives it no length.
ScrollBarParts ScrollBarLayout(bool vertical, Size bar, Size decrease, Size increase);

// The track length a bar of that size and orientation has: its extent
// along the bar less both buttons' (no pixel taken off).
int ScrollTrackLength(bool vertical, Size bar, Size decrease, Size increase);

// The shortest thumb a LineButton may ask for.
inline constexpr int kMinLineButton = 18;

struct ScrollThumb {
  // LineButton as it is stored back: a positive one below 18 is raised.
  int lineButton = 0;
  // The thumb's length, when one is known: LineButton when positive, else
  // PageSize percent of the track (10 % for a PageSize outside 10..100),
  // known only on a track longer than 0.
  int length = 0;
  bool known = false;
  bool operator==(const ScrollThumb &) const = default;
};

ScrollThumb ScrollThumbLength(int lineButton, int pageSize, int trackLength);

}  // namespace kwo
