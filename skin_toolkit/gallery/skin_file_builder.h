#pragma once
// Builds skin files for the tests and the gallery: the layout of
// skin_file_layout.h, plus pictures stored as BMP files and whole built-in
// looks.
#include <QImage>
#include <cstdint>
#include <string>

#include "skin_toolkit/gallery/skin_file_layout.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {
class TkwoFileTheme;
}

namespace testsupport {

class SkinFileBuilder : public SkinFileLayout<SkinFileBuilder> {
 public:
  // Stored as a BMP file.
  SkinFileBuilder &addImage(const std::string &name, const QImage &image);

  // Every one of the 42 items of a built-in look, its pictures included;
  // a non-zero marker replaces ControlFontColor.
  static SkinFileBuilder fromBuiltIn(kwo::TkwoUIStyle style, int32_t marker = 0);

  // Writes the skin to file and has theme read it from there; whether it
  // took the file is theme.isLoaded().
  void loadInto(kwo::TkwoFileTheme &theme, const std::filesystem::path &file) const;
};

}  // namespace testsupport
