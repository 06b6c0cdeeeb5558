#include "skin_toolkit/frames/kwo_title_bar_menu.h"

#include "skin_toolkit/frames/kwo_title_bar.h"

namespace kwo {

TkwoTitleBarPopupMenu::TkwoTitleBarPopupMenu(TkwoTitleBar *bar) : TkwoPopupMenu(bar), bar_(bar) {
  minimize_ = addItem(QStringLiteral("最小化(&N)"));
  maximize_ = addItem(QStringLiteral("最大化/还原(&X)"));
  addItem(QStringLiteral("-"));
  close_ = addItem(QStringLiteral("关闭(&C)"));
  minimize_->OnClick = [this](ui::MenuItem *) {
    if (!bar_.isNull()) bar_->minimizeForm();
  };
  maximize_->OnClick = [this](ui::MenuItem *) {
    if (!bar_.isNull()) bar_->toggleMaximize();
  };
  close_->OnClick = [this](ui::MenuItem *) {
    if (!bar_.isNull()) bar_->closeForm();
  };
}

ui::MenuItem *TkwoTitleBarPopupMenu::addItem(const QString &caption) {
  auto *item = new ui::MenuItem(this);
  item->setCaption(caption);
  items()->add(item);
  return item;
}

void TkwoTitleBarPopupMenu::updateItems() {
  bool min = false;
  bool max = false;
  bool close = false;
  if (!bar_.isNull()) {
    for (int i = 0; i < bar_->buttonCount(); ++i) {
      const TkwoTitleBarButton b = bar_->button(i);
      if (!b.visible) continue;
      min = min || b.buttonType == TkwoTitleBarBtnType::kwoMin;
      max = max || b.buttonType == TkwoTitleBarBtnType::kwoMax;
      close = close || b.buttonType == TkwoTitleBarBtnType::kwoClose;
    }
  }
  minimize_->setEnabled(min);
  maximize_->setEnabled(max);
  close_->setEnabled(close);
}

void TkwoTitleBarPopupMenu::popup(int x, int y) {
  updateItems();
  TkwoPopupMenu::popup(x, y);
}

}  // namespace kwo
