// TColor: $00BBGGRR values and the fixed system-colour table.
#include <gtest/gtest.h>

#include <ios>
#include <optional>

#include "platform/tcolor.h"

namespace {

TEST(TColorTest, BgrValuesAndTheFixedSystemTable) {
  struct Case {
    platform::TColor color;
    std::optional<platform::Rgb> rgb;
  };
  const Case cases[] = {
      {0x00332211, platform::Rgb{0x11, 0x22, 0x33}},
      {platform::RGB(1, 2, 3), platform::Rgb{1, 2, 3}},
      {0x00E7E7E7, platform::Rgb{231, 231, 231}},
      {platform::clBtnFace, platform::Rgb{240, 240, 240}},
      {platform::clWindow, platform::Rgb{255, 255, 255}},
      {platform::clWindowText, platform::Rgb{0, 0, 0}},
      {platform::clAppWorkSpace, platform::Rgb{171, 171, 171}},
      {platform::clHighlight, platform::Rgb{51, 153, 255}},
      {platform::clHighlightText, platform::Rgb{255, 255, 255}},
      {platform::clMenuText, platform::Rgb{0, 0, 0}},
      {platform::clInactiveCaption, platform::Rgb{191, 205, 219}},
      {platform::clNone, std::nullopt},
      {platform::clDefault, std::nullopt},
      {static_cast<platform::TColor>(0x80000063), std::nullopt},  // no such system colour
      {static_cast<platform::TColor>(0x80010005), std::nullopt},
      {0x01000000, std::nullopt},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(platform::ColorToRgb(c.color), c.rgb) << std::hex << c.color;
  }
}

}  // namespace
