#pragma once
// A control's font as the windows describe it: a face name, a size in points
// or a height in pixels, a style and a colour.
#include <QFont>
#include <QString>

#include "platform/tcolor.h"

namespace ui {

struct Font {
  QString name = QStringLiteral("MS Sans Serif");
  int size = 8;    // points; used when height is 0
  int height = 0;  // pixels when not 0
  platform::TColor color = platform::clWindowText;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool operator==(const Font &) const = default;
};

QFont toQFont(const Font &font);

// The windows ask for "MS Sans Serif" and "Tahoma", which Linux lacks: both
// stand for "DejaVu Sans", then "WenQuanYi Micro Hei" for Chinese text.
// "Times New Roman" stands for "DejaVu Serif", then the same Chinese face.
// Called by the program's main before any window exists (the application
// object calls it too); calling it again changes nothing.
void installFontSubstitutions();

}  // namespace ui
