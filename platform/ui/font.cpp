#include "platform/ui/font.h"

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

namespace {

void substitute(const QString &family, const QStringList &substitutes) {
  if (QFont::substitutes(family) == substitutes) return;
  QFont::removeSubstitutions(family);
  QFont::insertSubstitutions(family, substitutes);
}

}  // namespace

void installFontSubstitutions() {
  const QStringList sans{QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")};
  for (const QString &family : {QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma")}) substitute(family, sans);
  const QStringList serif{QStringLiteral("DejaVu Serif"), QStringLiteral("WenQuanYi Micro Hei")};
  substitute(QStringLiteral("Times New Roman"), serif);
}

}  // namespace ui
