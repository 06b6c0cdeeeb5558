#pragma once
// The geometry of an input-window rectangle on the video processor's
// workspace: its eight grab handles, the handle under the cursor and the
// cursor it shows, and what a finished drag of a handle (or of the whole
// rectangle) sets. Qt-free.
#include <array>
#include <cstdint>
#include <vector>

namespace morvit {

// Left, top, right and bottom, the right and bottom edges outside.
struct EdgeRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const EdgeRect &) const = default;
};

struct PlanePoint {
  int x = 0;
  int y = 0;
  bool operator==(const PlanePoint &) const = default;
};

inline constexpr int kHandleSize = 5;
inline constexpr int kHandleCount = 8;
// Zones: 0 the rectangle itself (a move), 1..8 the handles in this order.
enum HandleZone : uint16_t {
  hzNone = 0,
  hzTopLeft = 1,
  hzTop = 2,
  hzTopRight = 3,
  hzLeft = 4,
  hzRight = 5,
  hzBottomLeft = 6,
  hzBottom = 7,
  hzBottomRight = 8,
};

using HandleRects = std::array<EdgeRect, kHandleCount>;

// The 5 x 5 handles of a control w x h, in zone order, in control
// coordinates: corners, and the edge centres at w / 2 - 2 and h / 2 - 2
// (divisions truncating toward zero).
HandleRects handleRects(int w, int h);

enum class ZoneCursor { Default, SizeNWSE, SizeNS, SizeNESW, SizeWE };

struct HotZone {
  uint16_t zone = hzNone;
  ZoneCursor cursor = ZoneCursor::Default;
  bool operator==(const HotZone &) const = default;
};

// The first handle containing the point, with its cursor; zone 0 with the
// default cursor when none does.
HotZone hotZoneAt(const HandleRects &rects, PlanePoint point);

// The two corners of the rectangle a drag of the zone by (dx, dy) makes
// from left, top, right, bottom; a zone outside 0..8 keeps the rectangle.
// Coordinates beyond the int range are held at its ends.
std::array<PlanePoint, 2> zoneCorners(uint16_t zone, int left, int top, int right, int bottom, int dx, int dy);

enum class ImageField { X, Y, Width, Height };

struct FieldSet {
  ImageField field = ImageField::X;
  int value = 0;
  bool operator==(const FieldSet &) const = default;
};

// The setter calls that end a drag, in order: a move sets X and Y; the
// handles set "X and width" (the smaller x of the corners and their
// distance) and/or "Y and height", so a side dragged past the opposite one
// swaps the two. A zone outside 0..8 sets nothing.
std::vector<FieldSet> applyZone(uint16_t zone, int left, int top, int right, int bottom, int dx, int dy);

}  // namespace morvit
