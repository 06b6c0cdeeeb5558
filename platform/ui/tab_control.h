#pragma once
// A page control: a strip of tabs over its pages, one page shown at a time.
// Each page is a plain container control, so the controls on it are laid out
// and reached by the form's keys like any other; the strip is a platform tab
// bar above them.
#include <QString>
#include <vector>

#include "platform/ui/panel.h"

class QTabBar;

namespace ui {

class TabSheet : public Panel {
  Q_OBJECT
 public:
  explicit TabSheet(Component *owner);
};

class PageControl : public Control {
  Q_OBJECT
 public:
  explicit PageControl(Component *owner);
  ~PageControl() override;

  // Appends a page whose tab shows caption; the first page becomes active.
  TabSheet *addPage(const QString &caption);
  int pageCount() const { return static_cast<int>(pages_.size()); }
  // Null outside 0..pageCount()-1.
  TabSheet *page(int index) const;

  // -1 while there is no page.
  int activePageIndex() const;
  // Shows page index; a bad index changes nothing. OnChange stays quiet.
  void setActivePageIndex(int index);

  QTabBar *tabBar() const { return bar_; }

  // Keys in the strip (arrows change the page) stay with it; Enter, Escape
  // and Alt chords are the form's.
  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;

  // The user chose another page.
  NotifyEvent OnChange;

 protected:
  void adjustClientRect(QRect &rect) const override;
  void resized() override;
  void fontChanged() override;

 private:
  int barHeight() const;
  void placeBar();
  void showActivePage();

  QTabBar *bar_ = nullptr;
  std::vector<TabSheet *> pages_;
  int settingIndex_ = 0;
};

}  // namespace ui
