#include "skin_toolkit/gallery/skin_file_builder.h"

#include <QBuffer>
#include <stdexcept>

#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/file_theme.h"

namespace testsupport {

SkinFileBuilder &SkinFileBuilder::addImage(const std::string &name, const QImage &image) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) throw std::runtime_error("image does not encode as BMP");
  return addRaw({name, Image, bytesOf(encoded.constData(), static_cast<size_t>(encoded.size())), {}, {}, {}});
}

SkinFileBuilder SkinFileBuilder::fromBuiltIn(kwo::TkwoUIStyle style, int32_t marker) {
  SkinFileBuilder b;
  for (int position = 1; position <= kwo::kThemeItemCount; ++position) {
    const std::string name = kwo::ThemeItemName(position);
    switch (kwo::ThemeItemKindOf(position)) {
      case kwo::ThemeItemKind::Integer: b.addInt(name, kwo::GetBuiltInThemeInt(style, position)); break;
      case kwo::ThemeItemKind::Color: {
        int32_t value = kwo::GetBuiltInThemeColor(style, position);
        if (position == kwo::tiControlFontColor && marker != 0) value = marker;
        b.addInt(name, value);
        break;
      }
      case kwo::ThemeItemKind::Bool: b.addBool(name, kwo::GetBuiltInThemeBool(style, position)); break;
      case kwo::ThemeItemKind::Image: {
        QImage picture;
        kwo::GetBuiltInThemeImage(style, position, picture, 0, 0);
        if (!picture.isNull()) b.addImage(name, picture);
        break;
      }
    }
  }
  return b;
}

void SkinFileBuilder::loadInto(kwo::TkwoFileTheme &theme, const std::filesystem::path &file) const {
  writeTo(file);
  theme.setThemeFile(QString::fromStdString(file.string()));
}

}  // namespace testsupport
