#include "skin_toolkit/themes/theme_source.h"

#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/style.h"

namespace kwo {

ThemeSource ThemeSource::resolve(const TkwoFileTheme *fileTheme, TkwoUIStyle requested) {
  TkwoUIStyle effective = requested;
  const bool fromFile = ResolveUIStyle(fileTheme, requested, effective);
  return ThemeSource(fromFile ? fileTheme : nullptr, effective);
}

platform::TColor ThemeSource::color(int position) const {
  const platform::TColor value = fromFile() ? file_->getColor(position) : GetBuiltInThemeColor(effective_, position);
  // System colours keep their meaning; any other negative value (the -1 of
  // a missing item) reads by its low 24 bits.
  const auto high = static_cast<uint32_t>(value) >> 24;
  if (value < 0 && high != 0x80u) return static_cast<platform::TColor>(static_cast<uint32_t>(value) & 0xFFFFFFu);
  return value;
}

int32_t ThemeSource::integer(int position) const {
  return fromFile() ? file_->getInt(position) : GetBuiltInThemeInt(effective_, position);
}

bool ThemeSource::boolean(int position) const {
  return fromFile() ? file_->getBool(position) : GetBuiltInThemeBool(effective_, position);
}

QImage ThemeSource::image(int position) const { return imageFrame(position, 0, 0); }

QImage ThemeSource::imageFrame(int position, int frameIndex, int frameCount) const {
  QImage picture;
  if (fromFile()) {
    if (frameCount <= 0) {
      file_->getImage(position, picture);
    } else {
      file_->getImageFrame(position, picture, frameIndex, frameCount);
    }
  } else {
    GetBuiltInThemeImage(effective_, position, picture, frameIndex, frameCount);
  }
  return picture;
}

int ThemeSource::baseLookMarker() const {
  return fromFile() ? BaseLookMarker(file_->getInt(tiControlFontColor)) : 0;
}

}  // namespace kwo
