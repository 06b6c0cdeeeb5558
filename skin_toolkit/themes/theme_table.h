#pragma once
// The built-in looks: the style enumeration, the 42 numbered theme items and
// their values for each built-in style, and the sizes of the pictures the
// image items name. Qt-free; the values are constants for the whole run.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tcolor.h"

namespace kwo {

// The look a control asks for (one byte, stored as the earlier tools do).
enum class TkwoUIStyle : uint8_t { FromThemeFile = 0, MacOS = 1, WinXP = 2, DeepBlue = 3, Protein = 4, BlueGlass = 5 };

// Kinds of theme items.
enum class ThemeItemKind : uint8_t { Integer = 0, Color = 1, Image = 2, Bool = 3 };

// Positions of the theme items (1..42).
enum ThemeItem : int {
  tiButtonImage = 1,
  tiButtonTransparentBool = 2,
  tiCheckBoxImage = 3,
  tiRadioButtonImage = 4,
  tiTitleBarButtonImage = 5,
  tiTitleBarButtonTransparentBool = 6,
  tiTitleBarButtonLeftOffsetInt = 7,
  tiTitleBarButtonRightOffsetInt = 8,
  tiTitleBarButtonTopInt = 9,
  tiTitleBarLeftImage = 10,
  tiTitleBarClientImage = 11,
  tiTitleBarRightImage = 12,
  tiFormMinWidthInt = 13,
  tiFormRoundCornerInt = 14,
  tiFormBackgroundColor = 15,
  tiFormBorderColor = 16,
  tiFormBorderWidthInt = 17,
  tiMenuSelectedBorderColor = 18,
  tiMenuSelectedBackgroundColor = 19,
  tiMenuSelectedFontColor = 20,
  tiMenuBackgroundColor = 21,
  tiMenuFontColor = 22,
  tiMenuBarColor = 23,
  tiProgressBarImage = 24,
  tiControlBorderColor = 25,
  tiControlBackgroundColor = 26,
  tiControlFontColor = 27,
  tiTrackBarBarImage = 28,
  tiTrackBarSliderImage = 29,
  tiTrackBarSliderVImage = 30,
  tiScrollBarBackgroundColor = 31,
  tiScrollBarButtonImage = 32,
  tiScrollBarSliderImage = 33,
  tiCheckListBoxImage = 34,
  tiToolBarButtonBorderColor = 35,
  tiToolBarButtonBackgroundColor = 36,
  tiToolBarButtonDownBackgroundColor = 37,
  tiScrollButtonImage = 38,
  tiTabControlTabImage = 39,
  tiTabControlBarImage = 40,
  tiSideChannelHandleImage = 41,
  tiSideChannelBarImage = 42,
};

inline constexpr int kThemeItemCount = 42;

// The built-in look a requested style draws with while no skin file is
// loaded: the style itself, DeepBlue for FromThemeFile and unknown values.
TkwoUIStyle BuiltInLookOf(TkwoUIStyle requested);

// The item's name (the key a skin file stores it under); empty outside 1..42.
const char *ThemeItemName(int position);
// The item's kind; Integer outside 1..42.
ThemeItemKind ThemeItemKindOf(int position);

// The table's value and kind; for styles outside 1..5 (or positions outside
// 1..42) kind Integer and -1. For image items the value is 0 (see
// BuiltInImageSize and BuiltInImageName).
int32_t LookupBuiltInThemeItem(TkwoUIStyle style, int position, ThemeItemKind &kind);
// The value when the item is of the asked kind, else 0, -1 or false.
platform::TColor GetBuiltInThemeColor(TkwoUIStyle style, int position);
int32_t GetBuiltInThemeInt(TkwoUIStyle style, int position);
bool GetBuiltInThemeBool(TkwoUIStyle style, int position);

struct ImageSize {
  int width = 0;
  int height = 0;
  bool operator==(const ImageSize &) const = default;
};

// The size of the built-in picture of an image item; 0 x 0 when the style
// has no built-in picture (FromThemeFile) or the item is no image.
ImageSize BuiltInImageSize(TkwoUIStyle style, int position);
// The picture's resource name ("MACOS_BUTTON"); empty when there is none.
std::string BuiltInImageName(TkwoUIStyle style, int position);

// The folding panel's push/pop button, the same in every look: four
// 13 x 12 frames side by side (no theme item).
inline constexpr const char *kPanelButtonImageName = "PANEL_BUTTON";
inline constexpr ImageSize kPanelButtonImageSize{52, 12};
inline constexpr int kPanelButtonFrameCount = 4;

// How many equal-width frames lie side by side in the built-in picture of an
// image item (1 for a whole picture); 0 for a position that is no image.
int BuiltInImageFrameCount(int position);

// The look and item a table picture name belongs to ("WINXP_TITLE_LEFT");
// "MORE_SCROLLBUTTON", shared by three looks, gives DeepBlue. False for a
// name outside the table.
bool FindBuiltInImage(std::string_view name, TkwoUIStyle &style, int &position);

// A built-in picture: its size, the frames it holds side by side and
// whether it holds one bit a pixel.
struct BitmapLayout {
  ImageSize size;
  int frames = 0;
  bool mono = false;
  bool operator==(const BitmapLayout &) const = default;
};

// The bitmaps controls load by name outside the table.
inline constexpr int kFixedBitmapCount = 10;
// Name 0..9 of those; empty outside.
const char *FixedBitmapName(int index);

// The program's icon, drawn at two sizes; BuiltInBitmapLayout gives the larger.
inline constexpr const char *kMainIconName = "MAINICON";
inline constexpr int kMainIconLargeSize = 32;
inline constexpr int kMainIconSmallSize = 16;

// What a picture name stands for: a table name, a fixed name or the icon;
// nothing for any other name (case matters, as in the resource names).
std::optional<BitmapLayout> BuiltInBitmapLayout(std::string_view name);

// Every name BuiltInBitmapLayout knows, each once: the table's by look and
// position, then the fixed ones, then the icon.
std::vector<std::string> BuiltInBitmapNames();

}  // namespace kwo
