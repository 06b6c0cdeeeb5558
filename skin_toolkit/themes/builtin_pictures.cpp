#include "skin_toolkit/themes/builtin_pictures.h"

#include <QDebug>
#include <QString>
#include <QtGlobal>
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "skin_toolkit/themes/builtin_picture_kinds.h"
#include "skin_toolkit/themes/drawing.h"

namespace kwo {
namespace {

using pictures::PictureRoutine;

struct ItemRoutine {
  int position;
  PictureRoutine routine;
};

constexpr std::array<ItemRoutine, 19> kItemRoutines{{
    {tiButtonImage, pictures::DrawButtonStrip},
    {tiCheckBoxImage, pictures::DrawCheckBoxStrip},
    {tiRadioButtonImage, pictures::DrawRadioStrip},
    {tiTitleBarButtonImage, pictures::DrawTitleButtonStrip},
    {tiTitleBarLeftImage, pictures::DrawTitleLeft},
    {tiTitleBarClientImage, pictures::DrawTitleClient},
    {tiTitleBarRightImage, pictures::DrawTitleRight},
    {tiProgressBarImage, pictures::DrawProgressBar},
    {tiTrackBarBarImage, pictures::DrawTrackBarBar},
    {tiTrackBarSliderImage, pictures::DrawTrackBarSlider},
    {tiTrackBarSliderVImage, pictures::DrawTrackBarSliderV},
    {tiScrollBarButtonImage, pictures::DrawScrollBarButtons},
    {tiScrollBarSliderImage, pictures::DrawScrollBarThumb},
    // The check list's four boxes lie in one whole picture.
    {tiCheckListBoxImage, pictures::DrawCheckBoxStrip},
    {tiScrollButtonImage, pictures::DrawScrollButtons},
    {tiTabControlTabImage, pictures::DrawTab},
    {tiTabControlBarImage, pictures::DrawTabLine},
    {tiSideChannelHandleImage, pictures::DrawSideHandle},
    {tiSideChannelBarImage, pictures::DrawSideBar},
}};

struct NamedRoutine {
  const char *name;
  TkwoUIStyle look;  // whose colours it is drawn in
  int cells;         // the cells the routine lays out (the frames of a strip)
  PictureRoutine routine;
};

constexpr std::array<NamedRoutine, kFixedBitmapCount + 1> kNamedRoutines{{
    {"MACOS_MENU_BAR", TkwoUIStyle::MacOS, 1, pictures::DrawMenuBar},
    {"MACOS_MENU_SELECT", TkwoUIStyle::MacOS, 1, pictures::DrawMenuSelect},
    {"MENU_CHECKED", TkwoUIStyle::DeepBlue, 1, pictures::DrawCheckMark},
    {kPanelButtonImageName, TkwoUIStyle::DeepBlue, 0, pictures::DrawPanelButton},
    {"DBNAV_BUTTON", TkwoUIStyle::DeepBlue, 0, pictures::DrawNavigatorGlyphs},
    {"MACOS_FORM_BACKGROUND", TkwoUIStyle::MacOS, 1, pictures::DrawFormPattern},
    {"PROTEIN_FORM_BACKGROUND", TkwoUIStyle::Protein, 1, pictures::DrawFormPattern},
    {"MDI_CONTROL_BUTTON", TkwoUIStyle::DeepBlue, 0, pictures::DrawMdiButtons},
    {"MACOS_COMBOBOX_BUTTON", TkwoUIStyle::MacOS, 1, pictures::DrawComboButton},
    {"WINXP_COMBOBOX_BUTTON", TkwoUIStyle::WinXP, 1, pictures::DrawComboButton},
    {kMainIconName, TkwoUIStyle::DeepBlue, 1, pictures::DrawMainIcon},
}};

// The pictures drawn so far. Touched from the GUI thread only, like every
// widget that draws them.
struct Cache {
  std::unordered_map<std::string, QImage> pictures;
  QImage smallIcon;
  std::unordered_set<std::string> warned;
};

Cache &cache() {
  static Cache instance;
  return instance;
}

QImage drawAt(PictureRoutine routine, TkwoUIStyle look, int width, int height, int cells) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::black);
  routine(picture, pictures::PictureContext{pictures::LookColorsOf(look), cells});
  return picture;
}

QImage draw(std::string_view name) {
  const std::optional<BitmapLayout> layout = BuiltInBitmapLayout(name);
  if (!layout) return {};
  QImage picture;
  TkwoUIStyle look{};
  int position = 0;
  if (FindBuiltInImage(name, look, position)) {
    for (const ItemRoutine &item : kItemRoutines) {
      if (item.position != position) continue;
      const int cells = position == tiCheckListBoxImage ? 4 : layout->frames;
      picture = drawAt(item.routine, look, layout->size.width, layout->size.height, cells);
    }
  } else {
    for (const NamedRoutine &named : kNamedRoutines) {
      if (name != named.name) continue;
      const int cells = named.cells > 0 ? named.cells : layout->frames;
      picture = drawAt(named.routine, named.look, layout->size.width, layout->size.height, cells);
    }
  }
  if (layout->mono && !picture.isNull()) picture = picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
  return picture;
}

// What a control drawing the picture straight onto itself must not paint.
enum class Key { None, Magenta, BottomLeft };

Key keyOf(TkwoUIStyle look, int position) {
  const bool seeThroughLook = look == TkwoUIStyle::BlueGlass;
  switch (position) {
    case tiButtonImage: return look == TkwoUIStyle::MacOS || seeThroughLook ? Key::Magenta : Key::None;
    case tiTrackBarBarImage:
    case tiScrollButtonImage: return Key::Magenta;
    case tiRadioButtonImage:
    case tiTrackBarSliderImage:
    case tiTrackBarSliderVImage: return Key::BottomLeft;
    case tiTitleBarButtonImage:
      return look == TkwoUIStyle::Protein || seeThroughLook ? Key::BottomLeft : Key::None;
    default: return Key::None;
  }
}

}  // namespace

QImage BuiltInBitmap(const char *name) {
  if (name == nullptr) return {};
  Cache &c = cache();
  const std::string key(name);
  if (const auto found = c.pictures.find(key); found != c.pictures.end()) return found->second;
  QImage picture = draw(key);
  if (picture.isNull()) {
    if (c.warned.insert(key).second) {
      qWarning().noquote() << QStringLiteral("没有名为“%1”的内置图片").arg(QString::fromUtf8(name));
    }
    return {};
  }
  c.pictures.emplace(key, picture);
  return picture;
}

void GetBuiltInThemeImage(TkwoUIStyle style, int position, QImage &target, int frameIndex, int frameCount) {
  const std::string name = BuiltInImageName(style, position);
  if (name.empty()) return;
  const QImage whole = BuiltInBitmap(name.c_str());
  if (whole.isNull()) return;
  target = frameCount == 0 ? whole : ExtractBitmapFrame(whole, frameCount, frameIndex);
}

QPixmap BuiltInThemePicture(TkwoUIStyle style, int position) {
  const TkwoUIStyle look = BuiltInLookOf(style);
  QImage picture;
  GetBuiltInThemeImage(look, position, picture, 0, 0);
  if (picture.isNull()) return {};
  switch (keyOf(look, position)) {
    case Key::Magenta: picture = KeyedImage(picture, kKeyColor); break;
    case Key::BottomLeft: picture = KeyedImage(picture, picture.pixel(0, picture.height() - 1)); break;
    case Key::None: break;
  }
  return QPixmap::fromImage(picture);
}

QPixmap PanelButtonPicture() { return QPixmap::fromImage(BuiltInBitmap(kPanelButtonImageName)); }

QImage MainIconPicture(int size) {
  if (size == kMainIconLargeSize) return BuiltInBitmap(kMainIconName);
  if (size != kMainIconSmallSize) return {};
  Cache &c = cache();
  if (c.smallIcon.isNull()) {
    c.smallIcon = drawAt(pictures::DrawMainIcon, TkwoUIStyle::DeepBlue, kMainIconSmallSize, kMainIconSmallSize, 1);
  }
  return c.smallIcon;
}

QIcon BuiltInMainIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(MainIconPicture(kMainIconLargeSize)));
  icon.addPixmap(QPixmap::fromImage(MainIconPicture(kMainIconSmallSize)));
  return icon;
}

namespace detail {

void ClearBuiltInBitmapCache() {
  cache().pictures.clear();
  cache().smallIcon = QImage();
}

}  // namespace detail

}  // namespace kwo
