#pragma once
// The toolkit's notebook: one tab per TkwoTabSheet page, exactly one page
// (the active one) shown in the client area. A sheet joins the page control
// by becoming its child and leaves it by leaving (or being destroyed).
#include <vector>

#include "skin_toolkit/controls/kwo_tab.h"

namespace kwo {

class TkwoPageControl;

class TkwoPageControlTopPanel : public TkwoTabControlTopPanel {
  Q_OBJECT
 public:
  using TkwoTabControlTopPanel::TkwoTabControlTopPanel;
};

class TkwoTabSheet : public ui::Panel {
  Q_OBJECT
 public:
  explicit TkwoTabSheet(ui::Component *owner);
  ~TkwoTabSheet() override;

  TkwoPageControl *pageControl() const { return pageControl_; }
  // Makes the sheet a page of that control (its child), or of none.
  void setPageControl(TkwoPageControl *pageControl);

  // The position among the pages; -1 outside a page control.
  int pageIndex() const { return pageIndex_; }
  // Moves the page; an index outside 0..PageCount-1 is ignored.
  void setPageIndex(int index);

  bool tabVisible() const { return tabVisible_; }
  void setTabVisible(bool visible);

  // The Enabled state the page gets back when it is shown. It follows the
  // page's own Enabled; the page control disabling a page it hides leaves it
  // alone.
  bool recordedEnabled() const;

  NotifyEvent OnShow;
  NotifyEvent OnHide;

 protected:
  // The caption is the tab's: the strip shows it, the page does not.
  void paint(QPainter &painter) override;
  void captionChanged() override;
  void colorChanged() override;

 private:
  friend class TkwoPageControl;
  void fillsItself();
  // The page control disabling a page it hides, or giving a page it shows
  // its recorded state back.
  void setEnabledByPageControl(bool enabled);

  TkwoPageControl *pageControl_ = nullptr;
  int pageIndex_ = -1;
  bool tabVisible_ = true;
  // The page's own Enabled when the page control disabled it.
  bool recordedEnabled_ = true;
  bool disabledByPageControl_ = false;
};

class TkwoPageControl : public TkwoTab {
  Q_OBJECT
 public:
  explicit TkwoPageControl(ui::Component *owner);
  ~TkwoPageControl() override;

  int pageCount() const { return static_cast<int>(pages_.size()); }
  // Null for a bad index.
  TkwoTabSheet *page(int index) const;
  const std::vector<TkwoTabSheet *> &pages() const { return pages_; }

  TkwoTabSheet *activePage() const { return activePage_; }
  // Shows that page (a page of another control is ignored; null leaves no
  // page active). Another page: OnHide of the old one, then OnShow of the new
  // one, OnTabActive, OnChange and OnShow again; the active page: OnShow.
  void setActivePage(TkwoTabSheet *page);
  // Shows the page at index; -1, PageCount and beyond do nothing.
  void activatePageIndex(int index);

  void tabActivated(int index) override;

 protected:
  void applyTheme(TkwoUIStyle style) override;
  void borderColorChanged() override;
  void colorChanged() override;
  bool event(QEvent *event) override;

 private:
  friend class TkwoTabSheet;
  void addPage(TkwoTabSheet *page);
  void removePage(TkwoTabSheet *page);
  void movePage(TkwoTabSheet *page, int index);
  void pageTabVisibleChanged(TkwoTabSheet *page);
  void pageCaptionChanged();
  void renumber();
  void rebuildTabs();
  void switchToPage(TkwoTabSheet *page);
  void switchToIndex(int index);
  void hidePage(TkwoTabSheet *page);
  void revealPage(TkwoTabSheet *page);
  void firePage(TkwoTabSheet *page, bool show);

  std::vector<TkwoTabSheet *> pages_;
  TkwoTabSheet *activePage_ = nullptr;
};

}  // namespace kwo
