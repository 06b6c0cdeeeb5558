#pragma once
// Colours as the earlier tools store them: $00BBGGRR, red in the low byte.
// A value with 0x80 in the high byte names a system colour, looked up in one
// fixed table so that every run draws the same.
#include <cstdint>
#include <optional>

namespace platform {

using TColor = int32_t;

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb &) const = default;
};

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
                             (static_cast<uint32_t>(b) << 16));
}

// System colours (index in the low byte).
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;

// "No colour": the control draws nothing of its own, or takes its parent's.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clGray = 0x808080;

// The colour's red, green and blue; nothing for clNone, clDefault, an unknown
// system colour or a value with another high byte.
std::optional<Rgb> ColorToRgb(TColor color);

}  // namespace platform
