#include "platform/tcolor.h"

#include <array>

namespace platform {
namespace {

struct SystemColor {
  uint8_t index;
  Rgb rgb;
};

// The look of a plain desktop; the same on every machine.
constexpr std::array<SystemColor, 8> kSystemColors{{
    {15, {240, 240, 240}},  // clBtnFace
    {5, {255, 255, 255}},   // clWindow
    {8, {0, 0, 0}},         // clWindowText
    {12, {171, 171, 171}},  // clAppWorkSpace
    {13, {51, 153, 255}},   // clHighlight
    {14, {255, 255, 255}},  // clHighlightText
    {7, {0, 0, 0}},         // clMenuText
    {3, {191, 205, 219}},   // clInactiveCaption
}};

}  // namespace

std::optional<Rgb> ColorToRgb(TColor color) {
  const auto value = static_cast<uint32_t>(color);
  const uint32_t high = value >> 24;
  if (high == 0) {
    return Rgb{static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
               static_cast<uint8_t>((value >> 16) & 0xFF)};
  }
  if (high == 0x80 && (value & 0x00FFFF00u) == 0) {
    for (const SystemColor &entry : kSystemColors) {
      if (entry.index == (value & 0xFF)) return entry.rgb;
    }
  }
  return std::nullopt;
}

}  // namespace platform
