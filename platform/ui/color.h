#pragma once
// TColor for Qt.
#include <QColor>

#include "platform/tcolor.h"

namespace ui {

using platform::TColor;

// The colour as Qt draws it; an invalid QColor for clNone, clDefault and
// values that name no colour.
inline QColor toQColor(TColor color) {
  const auto rgb = platform::ColorToRgb(color);
  if (!rgb) return QColor();
  return QColor(rgb->r, rgb->g, rgb->b);
}

}  // namespace ui
