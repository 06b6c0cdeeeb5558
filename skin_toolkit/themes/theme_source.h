#pragma once
// Where one update of a control reads its look from: a loaded skin file or
// the built-in table. Resolved once, so no update mixes the two.
#include <QImage>
#include <cstdint>

#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

class TkwoFileTheme;

class ThemeSource {
 public:
  // The skin file when the requested style is FromThemeFile and the file
  // theme has loaded one; else the built-in table of the requested style
  // (DeepBlue for FromThemeFile without a loaded file).
  static ThemeSource resolve(const TkwoFileTheme *fileTheme, TkwoUIStyle requested);

  // True when the items come from the skin file.
  bool fromFile() const { return file_ != nullptr; }
  // FromThemeFile when reading the skin file, else the built-in style.
  TkwoUIStyle effective() const { return effective_; }
  // The built-in style read (DeepBlue while reading a skin file).
  TkwoUIStyle builtInLook() const { return fromFile() ? TkwoUIStyle::DeepBlue : effective_; }
  const TkwoFileTheme *fileTheme() const { return file_; }

  // A missing colour (-1) reads as its low 24 bits; system colours stay.
  platform::TColor color(int position) const;
  // -1 when missing.
  int32_t integer(int position) const;
  bool boolean(int position) const;
  // The whole picture; null when there is none.
  QImage image(int position) const;
  // Frame k (1-based) of n equal-width frames; null when there is none.
  QImage imageFrame(int position, int frameIndex, int frameCount) const;
  // The built-in look a skin file imitates (1..5, stored in item 27), else 0;
  // 0 for the built-in table.
  int baseLookMarker() const;

 private:
  ThemeSource(const TkwoFileTheme *file, TkwoUIStyle effective) : file_(file), effective_(effective) {}

  const TkwoFileTheme *file_ = nullptr;
  TkwoUIStyle effective_ = TkwoUIStyle::DeepBlue;
};

}  // namespace kwo
