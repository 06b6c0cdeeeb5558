#include "skin_toolkit/frames/kwo_status_bar.h"

#include <QEvent>
#include <QPainter>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {

TkwoStatusBar::TkwoStatusBar(ui::Component *owner) : ui::StatusBar(owner) {
  setUIStyle(GetOwnerFormUIStyle(owner));
}

void TkwoStatusBar::setUIStyle(TkwoUIStyle style) {
  uiStyle_ = style;
  setPanelColor(ThemeSource::resolve(fileTheme(), style).color(tiFormBackgroundColor));
  update();
}

StatusGripPlan TkwoStatusBar::gripPlan() const {
  const ui::Form *form = parentForm();
  const bool sizeable = form != nullptr && form->isSizeable();
  const bool maximized = form != nullptr && form->windowState() == ui::WindowState::Maximized;
  return PlanStatusGrip(width(), height(), sizeable, sizeGrip(), maximized);
}

bool TkwoStatusBar::mouseBlocked() const {
  const ui::Form *form = parentForm();
  return form != nullptr && form->windowState() == ui::WindowState::Maximized;
}

void TkwoStatusBar::paintOver(QPainter &painter) {
  const StatusGripPlan plan = gripPlan();
  const QColor fill = ui::toQColor(color());
  for (const Rect &r : plan.fills) {
    if (fill.isValid() && !r.empty()) painter.fillRect(QRect(r.left, r.top, r.width(), r.height()), fill);
  }
  if (plan.lines.empty()) return;
  painter.save();
  painter.setPen(ui::toQColor(platform::clInactiveCaption));
  for (const auto &[from, to] : plan.lines) painter.drawLine(from.x, from.y, to.x, to.y);
  painter.restore();
}

bool TkwoStatusBar::event(QEvent *event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
      // Over a maximised form the bar is nowhere for the mouse.
      if (mouseBlocked()) {
        event->accept();
        return true;
      }
      break;
    default:
      break;
  }
  return ui::StatusBar::event(event);
}

}  // namespace kwo
