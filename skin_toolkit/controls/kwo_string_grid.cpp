#include "skin_toolkit/controls/kwo_string_grid.h"

#include <QPainter>

#include "platform/ui/color.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {

TkwoStringGrid::TkwoStringGrid(ui::Component *owner) : ui::StringGrid(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The cells and bars stay inside the frame's one-pixel margin.
  setContentsMargins(1, 1, 1, 1);
  setUIStyle(GetOwnerFormUIStyle(owner));
}

void TkwoStringGrid::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  borderColor_ = source.color(tiControlBorderColor);
  setFixedColor(source.color(tiMenuSelectedBackgroundColor));
  setColor(source.color(tiControlBackgroundColor));
  fixedFontColor_ = source.color(tiMenuSelectedFontColor);
  platform::TColor text = source.color(tiMenuFontColor);
  if (text == platform::clWhite) text = platform::clBlack;
  setFontColor(text);
  update();
}

void TkwoStringGrid::setBorderColor(platform::TColor value) {
  borderColor_ = value;
  update();
}

void TkwoStringGrid::setFocusedColor(platform::TColor value) {
  focusedColor_ = value;
  update();
}

void TkwoStringGrid::setSelectedColor(platform::TColor value) {
  selectedColor_ = value;
  update();
}

void TkwoStringGrid::setFixedFontColor(platform::TColor value) {
  fixedFontColor_ = value;
  update();
}

void TkwoStringGrid::setFontColor(platform::TColor value) {
  ui::Font f = controlFont();
  f.color = value;
  setControlFont(f);
  update();
}

void TkwoStringGrid::drawCell(QPainter &painter, int col, int row, const QRect &rect,
                              const ui::GridDrawState &state) {
  // The fill here, then the grid's own text and OnDrawCell. A fixed cell's
  // text is written once, in FixedFontColor; the others keep the colour
  // the grid gives their state.
  if (defaultDrawing()) {
    platform::TColor back = color();
    if (state.fixed) {
      back = fixedColor();
    } else {
      if (state.selected) back = selectedColor_;
      if (state.focused) back = focusedColor_;
    }
    const QColor fill = ui::toQColor(back);
    if (fill.isValid()) painter.fillRect(rect, fill);
    writeCellText(painter, col, row, rect, state.fixed ? ui::toQColor(fixedFontColor_) : cellTextColor(state));
  }
  fireDrawCell(painter, col, row, rect, state);
}

void TkwoStringGrid::paint(QPainter &painter) {
  ui::StringGrid::paint(painter);
  painter.save();
  painter.setClipping(false);
  painter.setPen(ui::toQColor(borderColor_));
  painter.setBrush(Qt::NoBrush);
  // The frame fills the one-pixel margin. A one-pixel pen covers width + 1:
  // its far edges are the control's last pixels.
  painter.drawRect(0, 0, width() - 1, height() - 1);
  painter.restore();
}

}  // namespace kwo
