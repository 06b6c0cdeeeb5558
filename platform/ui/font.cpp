#include "font.h"

#include <QStringList>

namespace ui {

QFont toQFont(const Font &font) {
  QFont f(font.name);
  if (font.height > 0) {
    f.setPixelSize(font.height);
  } else {
    f.setPointSize(font.size > 0 ? font.size : 8);
  }
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeOut);
  return f;
}

void installFontSubstitutions() {
  const QStringList substitutes{QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")};
  for (const QString &family : {QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma")}) {
    if (QFont::substitutes(family) == substitutes) continue;
    QFont::removeSubstitutions(family);
    QFont::insertSubstitutions(family, substitutes);
  }
}

}  // namespace ui
