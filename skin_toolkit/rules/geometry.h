#pragma once
// Plain rectangles and points for the toolkit's drawing rules, written as the
// rules state them: left, top, right, bottom with the right and bottom edges
// outside the rectangle.
namespace kwo {

// The largest extent a widget can take (QWIDGETSIZE_MAX). Pixel values from
// outside (skin files, pictures, properties) are held to it either way
// before the rules add them up, so a sum of a few of them stays inside int.
inline constexpr int kPixelLimit = (1 << 24) - 1;

constexpr int ClampPixels(long long value) {
  return value < -kPixelLimit ? -kPixelLimit : value > kPixelLimit ? kPixelLimit : static_cast<int>(value);
}

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool operator==(const Rect &) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point &) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size &) const = default;
};

}  // namespace kwo
