#include "platform/ui/status_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/ui/color.h"
#include "platform/ui/form.h"

namespace ui {

StatusBar::StatusBar(Component *owner) : Control(owner) {
  setBounds(0, 0, 200, 19);
  setAlign(Align::Bottom);
}

int StatusBar::addPanel(const StatusPanel &panel) {
  panels_.push_back(panel);
  update();
  return panelCount() - 1;
}

void StatusBar::clearPanels() {
  panels_.clear();
  update();
}

StatusPanel StatusBar::panel(int index) const {
  if (index < 0 || index >= panelCount()) return {};
  return panels_[static_cast<size_t>(index)];
}

void StatusBar::setPanelText(int index, const QString &text) {
  if (index < 0 || index >= panelCount()) return;
  panels_[static_cast<size_t>(index)].text = text;
  update();
}

void StatusBar::setPanelWidth(int index, int width) {
  if (index < 0 || index >= panelCount()) return;
  panels_[static_cast<size_t>(index)].width = std::max(width, 0);
  update();
}

QRect StatusBar::panelRect(int index) const {
  if (index < 0 || index >= panelCount()) return {};
  int x = 0;
  for (int i = 0; i < index; ++i) x += panels_[static_cast<size_t>(i)].width + 2;
  // The last panel runs to the end of the bar.
  const int w = index == panelCount() - 1 ? std::max(width() - x, 0) : panels_[static_cast<size_t>(index)].width;
  return QRect(x, 2, w, std::max(height() - 2, 0));
}

void StatusBar::setSimplePanel(bool value) {
  simplePanel_ = value;
  update();
}

void StatusBar::setSimpleText(const QString &text) {
  simpleText_ = text;
  update();
}

void StatusBar::setSizeGrip(bool value) {
  sizeGrip_ = value;
  update();
}

void StatusBar::paint(QPainter &painter) {
  Control::paint(painter);
  const QColor textColor = toQColor(controlFont().color);
  if (simplePanel_) {
    painter.setPen(textColor);
    painter.drawText(rect().adjusted(3, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, simpleText_);
  } else {
    for (int i = 0; i < panelCount(); ++i) {
      const QRect r = panelRect(i);
      painter.save();
      painter.setPen(textColor);
      painter.setFont(font());
      if (panels_[static_cast<size_t>(i)].ownerDraw) {
        if (OnDrawPanel && !isDying()) OnDrawPanel(this, i, painter, r);
      } else {
        painter.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         panels_[static_cast<size_t>(i)].text);
      }
      painter.restore();
    }
  }
  paintOver(painter);
}

void StatusBar::paintOver(QPainter &) {}

void StatusBar::mousePressEvent(QMouseEvent *event) {
  Form *form = parentForm();
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton && sizeGrip_ && form != nullptr && p.x() >= width() - 16 &&
      p.y() >= height() - 16 &&
      form->startResize(Qt::RightEdge | Qt::BottomEdge, event->globalPosition().toPoint())) {
    return;
  }
  Control::mousePressEvent(event);
}

}  // namespace ui
