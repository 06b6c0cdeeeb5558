#include "skin_toolkit/themes/theme_table.h"

#include <algorithm>
#include <array>

namespace kwo {
namespace {

using platform::RGB;
using K = ThemeItemKind;

struct ItemDef {
  const char *name;
  ThemeItemKind kind;
  // MacOS, WinXP, DeepBlue, Protein, BlueGlass; unused for images.
  std::array<int32_t, 5> values;
};

constexpr ItemDef I(const char *name) { return {name, K::Image, {0, 0, 0, 0, 0}}; }
constexpr ItemDef B(const char *name, int m, int x, int d, int p, int g) {
  return {name, K::Bool, {m, x, d, p, g}};
}
constexpr ItemDef N(const char *name, int m, int x, int d, int p, int g) {
  return {name, K::Integer, {m, x, d, p, g}};
}
constexpr ItemDef C(const char *name, platform::TColor m, platform::TColor x, platform::TColor d, platform::TColor p,
                    platform::TColor g) {
  return {name, K::Color, {m, x, d, p, g}};
}

constexpr std::array<ItemDef, kThemeItemCount> kItems{{
    I("ButtonImage"),
    B("ButtonTransparentBool", 1, 0, 0, 0, 1),
    I("CheckBoxImage"),
    I("RadioButtonImage"),
    I("TitleBarButtonImage"),
    B("TitleBarButtonTransparentBool", 0, 0, 0, 1, 1),
    N("TitleBarButtonLeftOffsetInt", 3, 2, 0, 0, 4),
    N("TitleBarButtonRightOffsetInt", -2, -2, 0, 0, -3),
    N("TitleBarButtonTopInt", 4, 5, 2, 2, 6),
    I("TitleBarLeftImage"),
    I("TitleBarClientImage"),
    I("TitleBarRightImage"),
    N("FormMinWidthInt", 130, 150, 130, 130, 270),
    N("FormRoundCornerInt", 0, 13, 0, 0, 11),
    C("FormBackgroundColor", RGB(231, 231, 231), RGB(239, 235, 222), RGB(232, 232, 232), RGB(251, 251, 251),
      RGB(231, 231, 231)),
    C("FormBorderColor", RGB(127, 127, 127), RGB(0, 44, 200), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)),
    N("FormBorderWidthInt", 1, 3, 1, 1, 1),
    C("MenuSelectedBorderColor", RGB(57, 115, 196), RGB(49, 105, 198), RGB(68, 74, 160), RGB(45, 48, 196),
      RGB(94, 94, 236)),
    C("MenuSelectedBackgroundColor", RGB(57, 115, 196), RGB(198, 211, 239), RGB(68, 74, 160), RGB(45, 48, 196),
      RGB(94, 94, 236)),
    C("MenuSelectedFontColor", RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(255, 255, 255)),
    C("MenuBackgroundColor", RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(231, 231, 231)),
    C("MenuFontColor", RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)),
    C("MenuBarColor", RGB(0, 0, 0), RGB(214, 211, 206), RGB(214, 211, 206), RGB(214, 211, 206),
      RGB(214, 211, 206)),
    I("ProgressBarImage"),
    C("ControlBorderColor", RGB(127, 127, 127), RGB(104, 104, 104), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)),
    C("ControlBackgroundColor", RGB(231, 231, 231), RGB(239, 235, 222), RGB(232, 232, 232), RGB(251, 251, 251),
      RGB(231, 231, 231)),
    C("ControlFontColor", RGB(0, 0, 0), RGB(2, 70, 207), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)),
    I("TrackBarBarImage"),
    I("TrackBarSliderImage"),
    I("TrackBarSliderVImage"),
    C("ScrollBarBackgroundColor", RGB(201, 201, 201), RGB(249, 249, 249), RGB(245, 245, 245), RGB(245, 245, 245),
      RGB(244, 244, 244)),
    I("ScrollBarButtonImage"),
    I("ScrollBarSliderImage"),
    I("CheckListBoxImage"),
    C("ToolBarButtonBorderColor", RGB(71, 71, 71), RGB(49, 105, 198), RGB(71, 71, 71), RGB(71, 71, 71),
      RGB(71, 71, 71)),
    C("ToolBarButtonBackgroundColor", RGB(239, 239, 239), RGB(198, 211, 239), RGB(239, 239, 239),
      RGB(239, 239, 239), RGB(239, 239, 239)),
    C("ToolBarButtonDownBackgroundColor", RGB(216, 216, 216), RGB(147, 172, 225), RGB(216, 216, 216),
      RGB(216, 216, 216), RGB(216, 216, 216)),
    I("ScrollButtonImage"),
    I("TabControlTabImage"),
    I("TabControlBarImage"),
    I("SideChannelHandleImage"),
    I("SideChannelBarImage"),
}};

struct ImageDef {
  int position;
  const char *suffix;
  std::array<ImageSize, 5> sizes;  // MacOS, WinXP, DeepBlue, Protein, BlueGlass
  int frames;                      // equal-width frames side by side
};

constexpr std::array<ImageDef, 19> kImages{{
    {tiButtonImage, "BUTTON", {{{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}}, 3},
    {tiCheckBoxImage, "CHECKBOX", {{{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}}, 4},
    {tiRadioButtonImage, "RADIOBUTTON", {{{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}}, 4},
    {tiTitleBarButtonImage, "TITLEBTN", {{{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}}, 18},
    {tiTitleBarLeftImage, "TITLE_LEFT", {{{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}}, 1},
    {tiTitleBarClientImage, "TITLE_CLIENT", {{{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}}, 1},
    {tiTitleBarRightImage, "TITLE_RIGHT", {{{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}}, 1},
    {tiProgressBarImage, "PROGRESSBAR", {{{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}}, 1},
    {tiTrackBarBarImage, "TRACKBAR_BAR", {{{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}}, 3},
    {tiTrackBarSliderImage, "TRACKBAR_SLIDER", {{{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}}, 1},
    {tiTrackBarSliderVImage, "TRACKBAR_SLIDER_V", {{{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}}, 1},
    {tiScrollBarButtonImage, "SCROLLBAR_BUTTON", {{{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}}, 6},
    {tiScrollBarSliderImage, "SCROLLBAR_TRACK", {{{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}}, 3},
    {tiCheckListBoxImage, "CHECKLIST", {{{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}}, 1},
    {tiScrollButtonImage, "SCROLLBUTTON", {{{72, 18}, {72, 18}, {72, 17}, {72, 17}, {72, 17}}}, 4},
    {tiTabControlTabImage, "TAB", {{{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}}, 2},
    {tiTabControlBarImage, "TAB_LINE", {{{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}}, 1},
    {tiSideChannelHandleImage, "SIDECHENNEL_HANDLE", {{{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}}, 1},
    {tiSideChannelBarImage, "SIDECHENNEL_BAR", {{{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}}, 1},
}};

struct FixedBitmapDef {
  const char *name;
  BitmapLayout layout;
};

constexpr std::array<FixedBitmapDef, kFixedBitmapCount> kFixedBitmaps{{
    {"MACOS_MENU_BAR", {{1, 22}, 1, false}},
    {"MACOS_MENU_SELECT", {{1, 21}, 1, false}},
    {"MENU_CHECKED", {{16, 16}, 1, false}},
    {kPanelButtonImageName, {kPanelButtonImageSize, kPanelButtonFrameCount, false}},
    {"DBNAV_BUTTON", {{160, 16}, 10, false}},
    {"MACOS_FORM_BACKGROUND", {{8, 8}, 1, false}},
    {"PROTEIN_FORM_BACKGROUND", {{8, 8}, 1, false}},
    {"MDI_CONTROL_BUTTON", {{48, 16}, 3, true}},
    {"MACOS_COMBOBOX_BUTTON", {{16, 17}, 1, false}},
    {"WINXP_COMBOBOX_BUTTON", {{16, 18}, 1, false}},
}};

constexpr std::array<const char *, 5> kPrefixes{"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};

// Index 0..4 of a built-in style, -1 for any other value.
int styleIndex(TkwoUIStyle style) {
  const int v = static_cast<int>(style);
  return v >= 1 && v <= 5 ? v - 1 : -1;
}

bool validPosition(int position) { return position >= 1 && position <= kThemeItemCount; }

const ImageDef *imageDef(int position) {
  for (const ImageDef &def : kImages) {
    if (def.position == position) return &def;
  }
  return nullptr;
}

}  // namespace

TkwoUIStyle BuiltInLookOf(TkwoUIStyle requested) {
  return styleIndex(requested) >= 0 ? requested : TkwoUIStyle::DeepBlue;
}

const char *ThemeItemName(int position) {
  return validPosition(position) ? kItems[static_cast<size_t>(position - 1)].name : "";
}

ThemeItemKind ThemeItemKindOf(int position) {
  return validPosition(position) ? kItems[static_cast<size_t>(position - 1)].kind : ThemeItemKind::Integer;
}

int32_t LookupBuiltInThemeItem(TkwoUIStyle style, int position, ThemeItemKind &kind) {
  const int s = styleIndex(style);
  if (s < 0 || !validPosition(position)) {
    kind = ThemeItemKind::Integer;
    return -1;
  }
  const ItemDef &def = kItems[static_cast<size_t>(position - 1)];
  kind = def.kind;
  return def.values[static_cast<size_t>(s)];
}

platform::TColor GetBuiltInThemeColor(TkwoUIStyle style, int position) {
  ThemeItemKind kind;
  const int32_t value = LookupBuiltInThemeItem(style, position, kind);
  return kind == ThemeItemKind::Color ? value : 0;
}

int32_t GetBuiltInThemeInt(TkwoUIStyle style, int position) {
  ThemeItemKind kind;
  const int32_t value = LookupBuiltInThemeItem(style, position, kind);
  return kind == ThemeItemKind::Integer ? value : -1;
}

bool GetBuiltInThemeBool(TkwoUIStyle style, int position) {
  ThemeItemKind kind;
  const int32_t value = LookupBuiltInThemeItem(style, position, kind);
  return kind == ThemeItemKind::Bool && value != 0;
}

ImageSize BuiltInImageSize(TkwoUIStyle style, int position) {
  const int s = styleIndex(style);
  const ImageDef *def = imageDef(position);
  if (s < 0 || def == nullptr) return {};
  return def->sizes[static_cast<size_t>(s)];
}

std::string BuiltInImageName(TkwoUIStyle style, int position) {
  const int s = styleIndex(style);
  const ImageDef *def = imageDef(position);
  if (s < 0 || def == nullptr) return {};
  if (position == tiScrollButtonImage && s >= 2) return "MORE_SCROLLBUTTON";
  return std::string(kPrefixes[static_cast<size_t>(s)]) + "_" + def->suffix;
}

int BuiltInImageFrameCount(int position) {
  if (ThemeItemKindOf(position) != ThemeItemKind::Image) return 0;
  const ImageDef *def = imageDef(position);
  return def != nullptr ? def->frames : 1;
}

bool FindBuiltInImage(std::string_view name, TkwoUIStyle &style, int &position) {
  for (int s = 1; s <= 5; ++s) {
    for (const ImageDef &def : kImages) {
      const auto look = static_cast<TkwoUIStyle>(s);
      if (BuiltInImageName(look, def.position) != name) continue;
      style = look;
      position = def.position;
      return true;
    }
  }
  return false;
}

const char *FixedBitmapName(int index) {
  return index >= 0 && index < kFixedBitmapCount ? kFixedBitmaps[static_cast<size_t>(index)].name : "";
}

std::optional<BitmapLayout> BuiltInBitmapLayout(std::string_view name) {
  TkwoUIStyle style{};
  int position = 0;
  if (FindBuiltInImage(name, style, position)) {
    return BitmapLayout{BuiltInImageSize(style, position), BuiltInImageFrameCount(position), false};
  }
  for (const FixedBitmapDef &def : kFixedBitmaps) {
    if (name == def.name) return def.layout;
  }
  if (name == kMainIconName) return BitmapLayout{{kMainIconLargeSize, kMainIconLargeSize}, 1, false};
  return std::nullopt;
}

std::vector<std::string> BuiltInBitmapNames() {
  std::vector<std::string> names;
  for (int s = 1; s <= 5; ++s) {
    for (const ImageDef &def : kImages) {
      std::string name = BuiltInImageName(static_cast<TkwoUIStyle>(s), def.position);
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
  }
  for (const FixedBitmapDef &def : kFixedBitmaps) names.emplace_back(def.name);
  names.emplace_back(kMainIconName);
  return names;
}

}  // namespace kwo
