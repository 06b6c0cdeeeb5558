#include "display_app/model/input_window_geometry.h"

#include <algorithm>
#include <limits>

namespace morvit {
namespace {

int clampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

EdgeRect handleAt(int x, int y) { return {x, y, x + kHandleSize, y + kHandleSize}; }

// Which edges of the rectangle a zone drags.
struct ZoneEdges {
  bool left, top, right, bottom;
};

constexpr std::array<ZoneEdges, 9> kZoneEdges{{
    {true, true, true, true},     // move
    {true, true, false, false},   // top-left
    {false, true, false, false},  // top
    {false, true, true, false},   // top-right
    {true, false, false, false},  // left
    {false, false, true, false},  // right
    {true, false, false, true},   // bottom-left
    {false, false, false, true},  // bottom
    {false, false, true, true},   // bottom-right
}};

bool validZone(uint16_t zone) { return zone < kZoneEdges.size(); }

}  // namespace

HandleRects handleRects(int w, int h) {
  const int midX = w / 2 - 2;
  const int midY = h / 2 - 2;
  const int farX = w - kHandleSize;
  const int farY = h - kHandleSize;
  return {handleAt(0, 0),    handleAt(midX, 0),    handleAt(farX, 0),    handleAt(0, midY),
          handleAt(farX, midY), handleAt(0, farY), handleAt(midX, farY), handleAt(farX, farY)};
}

HotZone hotZoneAt(const HandleRects &rects, PlanePoint point) {
  static constexpr std::array<ZoneCursor, kHandleCount> kCursors{
      ZoneCursor::SizeNWSE, ZoneCursor::SizeNS, ZoneCursor::SizeNESW, ZoneCursor::SizeWE,
      ZoneCursor::SizeWE,   ZoneCursor::SizeNESW, ZoneCursor::SizeNS, ZoneCursor::SizeNWSE};
  for (size_t i = 0; i < rects.size(); ++i) {
    if (rects[i].contains(point.x, point.y)) return {static_cast<uint16_t>(i + 1), kCursors[i]};
  }
  return {};
}

std::array<PlanePoint, 2> zoneCorners(uint16_t zone, int left, int top, int right, int bottom, int dx, int dy) {
  if (!validZone(zone)) return {PlanePoint{left, top}, PlanePoint{right, bottom}};
  const ZoneEdges &e = kZoneEdges[zone];
  auto moved = [](int edge, bool drags, int delta) { return drags ? clampToInt(int64_t{edge} + delta) : edge; };
  return {PlanePoint{moved(left, e.left, dx), moved(top, e.top, dy)},
          PlanePoint{moved(right, e.right, dx), moved(bottom, e.bottom, dy)}};
}

std::vector<FieldSet> applyZone(uint16_t zone, int left, int top, int right, int bottom, int dx, int dy) {
  std::vector<FieldSet> calls;
  if (!validZone(zone)) return calls;
  const auto [p1, p2] = zoneCorners(zone, left, top, right, bottom, dx, dy);
  if (zone == hzNone) {
    calls.push_back({ImageField::X, p1.x});
    calls.push_back({ImageField::Y, p1.y});
    return calls;
  }
  const ZoneEdges &e = kZoneEdges[zone];
  auto span = [](int a, int b) { return clampToInt(a < b ? int64_t{b} - a : int64_t{a} - b); };
  if (e.left || e.right) {
    calls.push_back({ImageField::X, std::min(p1.x, p2.x)});
    calls.push_back({ImageField::Width, span(p1.x, p2.x)});
  }
  if (e.top || e.bottom) {
    calls.push_back({ImageField::Y, std::min(p1.y, p2.y)});
    calls.push_back({ImageField::Height, span(p1.y, p2.y)});
  }
  return calls;
}

}  // namespace morvit
