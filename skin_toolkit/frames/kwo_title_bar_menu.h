#pragma once
// The title bar's system menu: minimise, maximise/restore and close the
// bar's form. Each item is enabled only while the bar shows its button.
#include <QPointer>

#include "skin_toolkit/frames/kwo_menu.h"

namespace kwo {

class TkwoTitleBar;

class TkwoTitleBarPopupMenu : public TkwoPopupMenu {
  Q_OBJECT
 public:
  // Owned by its bar.
  explicit TkwoTitleBarPopupMenu(TkwoTitleBar *bar);

  TkwoTitleBar *titleBar() const { return bar_; }
  ui::MenuItem *minimizeItem() const { return minimize_; }
  ui::MenuItem *maximizeItem() const { return maximize_; }
  ui::MenuItem *closeItem() const { return close_; }

  // Enables the items per visible button of the bar, then shows the menu.
  void popup(int x, int y) override;
  void updateItems();

 private:
  ui::MenuItem *addItem(const QString &caption);

  QPointer<TkwoTitleBar> bar_;
  ui::MenuItem *minimize_ = nullptr;
  ui::MenuItem *maximize_ = nullptr;
  ui::MenuItem *close_ = nullptr;
};

}  // namespace kwo
