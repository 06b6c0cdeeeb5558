#include "platform/ui/control_bar.h"

#include "platform/ui/row_layout.h"

namespace ui {

ControlBar::ControlBar(Component *owner) : Control(owner) {
  setArrangesChildren(true);
  setBounds(0, 0, 100, 50);
}

void ControlBar::setAutoSize(bool value) {
  autoSize_ = value;
  realign();
}

void ControlBar::alignControls() {
  const QRect client = clientRect();
  std::vector<RowItem> items;
  for (Control *c : controls()) items.push_back({c->width(), c->height(), c->visible()});
  const RowLayoutResult layout = LayOutInRows(items, client.x(), client.y(), client.width(), true);
  for (size_t i = 0; i < items.size(); ++i) {
    if (!items[i].visible) continue;
    const Bounds &b = layout.bounds[i];
    controls()[i]->setBounds(b.left, b.top, b.width, b.height);
  }
  if (autoSize_ && layout.height > 0 && !isDying()) {
    const int wanted = layout.height + (height() - client.height());
    if (wanted != height()) setBounds(x(), y(), width(), wanted);
  }
}

}  // namespace ui
