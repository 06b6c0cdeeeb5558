#include "skin_toolkit/frames/kwo_tool_bar.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/ui/color.h"
#include "platform/ui/image_list.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {

TkwoToolBar::TkwoToolBar(ui::Component *owner) : ui::ToolBar(owner) {
  OnCustomDrawButton = [this](ui::ToolBar *, ui::ToolButton *button, QPainter &painter,
                              const ui::ToolButtonState &state, bool &defaultDraw) {
    paintToolButton(*button, painter, state, defaultDraw);
  };
  OnCustomDraw = [this](ui::ToolBar *, QPainter &painter, const QRect &rect, bool &defaultDraw) {
    paintToolBarBackground(painter, rect, defaultDraw);
  };
  setFlat(true);
  setTransparent(false);
  setUIStyle(GetOwnerFormUIStyle(owner));
}

void TkwoToolBar::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  const ThemeSource source = ThemeSource::resolve(fileTheme(), style);
  buttonBorderColor_ = source.color(tiToolBarButtonBorderColor);
  buttonColor_ = source.color(tiToolBarButtonBackgroundColor);
  buttonDownColor_ = source.color(tiToolBarButtonDownBackgroundColor);
  // The stored style decides: a skin imitating MacOS still gives an opaque bar.
  setTransparent(ToolBarTransparentFor(style));
  update();
}

void TkwoToolBar::setButtonColor(platform::TColor value) {
  buttonColor_ = value;
  update();
}

void TkwoToolBar::setButtonBorderColor(platform::TColor value) {
  buttonBorderColor_ = value;
  update();
}

void TkwoToolBar::setButtonDownColor(platform::TColor value) {
  buttonDownColor_ = value;
  update();
}

void TkwoToolBar::paintToolBarBackground(QPainter &painter, const QRect &, bool &) {
  // A transparent bar fills nothing: on screen the parent's background shows
  // through, into an image the parent draws it. The plain drawing goes on in
  // either case.
  if (transparent()) DrawParentBackground(painter, *this);
}

void TkwoToolBar::paintToolButton(ui::ToolButton &button, QPainter &painter, const ui::ToolButtonState &state,
                                  bool &defaultDraw) {
  const bool dropDown = button.style() == ui::ToolButtonStyle::DropDown;
  const ToolButtonPaintPlan plan = PlanToolButtonPaint(state.hot, state.selected, state.checked, dropDown);
  defaultDraw = plan.defaultDraw;
  if (!plan.paintFace) return;
  paintButtonFace(painter, button, dropDown, plan.pressed);
  if (!plan.dropDownArrow) return;
  const int r = button.width();
  const int t = 0;
  const int b = button.height();
  const int y = t + (b - t) / 2;
  painter.save();
  painter.setPen(QColor(0, 0, 0));
  painter.setBrush(QColor(0, 0, 0));
  const QPoint big[3] = {{r - 9, y}, {r - 5, y}, {r - 7, y + 2}};
  const QPoint small[3] = {{r - 8, y}, {r - 6, y}, {r - 7, y + 1}};
  painter.drawPolygon(big, 3);
  painter.drawPolygon(small, 3);
  painter.drawLine(r - 14, t, r - 14, b);
  painter.restore();
}

void TkwoToolBar::paintButtonFace(QPainter &painter, ui::ToolButton &button, bool dropDown, bool pressed) {
  const QRect bounds = button.rect();
  painter.save();
  painter.setPen(ui::toQColor(buttonBorderColor_));
  painter.setBrush(ui::toQColor(pressed ? buttonDownColor_ : buttonColor_));
  painter.drawRect(bounds.adjusted(0, 0, -1, -1));

  ui::ImageList *list = hotImages() != nullptr ? hotImages() : images();
  QString plainCaption = button.caption();
  plainCaption.remove(QLatin1Char('&'));
  painter.setFont(font());
  const QFontMetrics fm(font());
  ToolButtonFaceInput in;
  in.bounds = {bounds.left(), bounds.top(), bounds.left() + bounds.width(), bounds.top() + bounds.height()};
  in.dropDown = dropDown;
  in.hasImages = list != nullptr;
  if (list != nullptr) in.image = {list->width(), list->height()};
  in.list = this->list();
  in.showCaptions = showCaptions();
  in.captionWidth = fm.horizontalAdvance(plainCaption);
  in.pressed = pressed;
  const ToolButtonFaceLayout layout = LayOutToolButtonFace(in);
  if (layout.drawImage) list->draw(painter, layout.image.x, layout.image.y, button.imageIndex(), true);
  if (layout.drawCaption) {
    const Rect &box = layout.captionBox;
    painter.setPen(ui::toQColor(controlFont().color));
    painter.drawText(QRect(box.left, box.top, std::max(box.width(), 0), std::max(box.height(), 0)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, button.caption());
  }
  painter.restore();
}

}  // namespace kwo
