#include "skin_toolkit/controls/kwo_page_control.h"

#include <QChildEvent>
#include <QPointer>
#include <algorithm>

#include "platform/ui/color.h"

namespace kwo {

// --- TkwoTabSheet ---

TkwoTabSheet::TkwoTabSheet(ui::Component *owner) : ui::Panel(owner) {
  setPlain();
  setCaption(QStringLiteral(" "));
  setAlign(ui::Align::Client);
  fillsItself();
}

void TkwoTabSheet::fillsItself() {
  // A colour that names one covers every pixel; none lets the parent show.
  setAttribute(Qt::WA_OpaquePaintEvent, ui::toQColor(color()).isValid());
}

void TkwoTabSheet::colorChanged() {
  fillsItself();
  ui::Panel::colorChanged();
}

TkwoTabSheet::~TkwoTabSheet() {
  beginDestroy();
  // Leave the page control while this is still a page.
  if (pageControl_ != nullptr) pageControl_->removePage(this);
}

void TkwoTabSheet::setPageControl(TkwoPageControl *pageControl) { setParentControl(pageControl); }

void TkwoTabSheet::setPageIndex(int index) {
  if (pageControl_ != nullptr) pageControl_->movePage(this, index);
}

void TkwoTabSheet::setTabVisible(bool visible) {
  tabVisible_ = visible;
  if (pageControl_ != nullptr) pageControl_->pageTabVisibleChanged(this);
}

bool TkwoTabSheet::recordedEnabled() const {
  const bool own = !testAttribute(Qt::WA_ForceDisabled);
  // Still disabled by the page control: what the page had before. Enabled
  // since by someone else: that.
  if (disabledByPageControl_ && !own) return recordedEnabled_;
  return own;
}

void TkwoTabSheet::setEnabledByPageControl(bool enabled) {
  if (!enabled) {
    recordedEnabled_ = recordedEnabled();
    setEnabled(false);
    disabledByPageControl_ = true;
    return;
  }
  setEnabled(true);
  disabledByPageControl_ = false;
}

void TkwoTabSheet::paint(QPainter &painter) { paintFrame(painter); }

void TkwoTabSheet::captionChanged() {
  if (pageControl_ != nullptr) pageControl_->pageCaptionChanged();
}

// --- TkwoPageControl ---

TkwoPageControl::TkwoPageControl(ui::Component *owner) : TkwoTab(owner) {
  setupStrip(new TkwoPageControlTopPanel(this, this));
  // The strip starts with one tab of its own; pages bring theirs.
  strip()->tabs().clear();
  setUIStyle(GetOwnerFormUIStyle(owner));
}

TkwoPageControl::~TkwoPageControl() {
  beginDestroy();
  for (TkwoTabSheet *page : pages_) {
    page->pageControl_ = nullptr;
    page->pageIndex_ = -1;
  }
  pages_.clear();
  activePage_ = nullptr;
}

TkwoTabSheet *TkwoPageControl::page(int index) const {
  if (index < 0 || index >= pageCount()) return nullptr;
  return pages_[static_cast<size_t>(index)];
}

bool TkwoPageControl::event(QEvent *event) {
  if (!isDestroying() && (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved)) {
    QObject *child = static_cast<QChildEvent *>(event)->child();
    if (event->type() == QEvent::ChildAdded) {
      if (auto *sheet = qobject_cast<TkwoTabSheet *>(child)) addPage(sheet);
    } else {
      // Compared by address only: a child being destroyed is no sheet any more.
      auto it = std::find_if(pages_.begin(), pages_.end(),
                             [child](TkwoTabSheet *p) { return static_cast<QObject *>(p) == child; });
      if (it != pages_.end()) removePage(*it);
    }
  }
  return TkwoTab::event(event);
}

void TkwoPageControl::renumber() {
  for (size_t i = 0; i < pages_.size(); ++i) pages_[i]->pageIndex_ = static_cast<int>(i);
}

void TkwoPageControl::rebuildTabs() {
  if (isDestroying()) return;
  QStringList captions;
  for (TkwoTabSheet *p : pages_) captions << p->caption();
  TkwoTabControlTopPanel *s = strip();
  s->tabs().assign(captions);
  for (size_t i = 0; i < pages_.size(); ++i) s->setTabVisible(static_cast<int>(i), pages_[i]->tabVisible_);
}

void TkwoPageControl::addPage(TkwoTabSheet *page) {
  if (std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
  page->pageControl_ = this;
  page->setColor(color());
  pages_.push_back(page);
  renumber();
  rebuildTabs();
  switchToPage(page);
}

void TkwoPageControl::removePage(TkwoTabSheet *page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  const int oldIndex = static_cast<int>(it - pages_.begin());
  pages_.erase(it);
  page->pageControl_ = nullptr;
  page->pageIndex_ = -1;
  renumber();
  rebuildTabs();
  // The page has left: it is neither hidden nor disabled on its way out.
  if (activePage_ == page) activePage_ = nullptr;
  if (isDying()) return;
  switchToIndex(oldIndex - 1);
}

void TkwoPageControl::movePage(TkwoTabSheet *page, int index) {
  if (index < 0 || index >= pageCount()) return;
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  pages_.erase(it);
  pages_.insert(pages_.begin() + index, page);
  renumber();
  rebuildTabs();
  switchToPage(page);
}

void TkwoPageControl::pageTabVisibleChanged(TkwoTabSheet *page) {
  const int index = page->pageIndex_;
  strip()->setTabVisible(index, page->tabVisible_);
  if (page->tabVisible_ || page != activePage_) return;
  std::vector<bool> shown;
  shown.reserve(pages_.size());
  for (TkwoTabSheet *p : pages_) shown.push_back(p->tabVisible_);
  const int next = NearestShownTab(shown, index);
  if (next >= 0) switchToIndex(next);
}

void TkwoPageControl::pageCaptionChanged() { rebuildTabs(); }

void TkwoPageControl::firePage(TkwoTabSheet *page, bool show) {
  if (isDying() || page->isDying()) return;
  const ui::Control::NotifyEvent &handler = show ? page->OnShow : page->OnHide;
  if (handler) handler(page);
}

void TkwoPageControl::hidePage(TkwoTabSheet *page) {
  page->setEnabledByPageControl(false);
  firePage(page, false);
}

void TkwoPageControl::revealPage(TkwoTabSheet *page) {
  page->setVisible(true);
  page->setEnabledByPageControl(page->recordedEnabled());
  page->bringToFront();
  page->update();
}

void TkwoPageControl::switchToPage(TkwoTabSheet *page) {
  if (page != nullptr && page->pageControl_ != this) return;
  QPointer<TkwoPageControl> self(this);
  QPointer<TkwoTabSheet> target(page);
  if (activePage_ != nullptr && activePage_ != page) hidePage(activePage_);
  if (self.isNull()) return;
  if (page == nullptr) {
    activePage_ = nullptr;
    return;
  }
  if (target.isNull() || page->pageControl_ != this) return;
  activePage_ = page;
  setTabIndexOp(page->pageIndex_);
  if (self.isNull() || target.isNull() || page->pageControl_ != this) return;
  strip()->setTabIndex(page->pageIndex_);
  if (self.isNull() || target.isNull() || page->pageControl_ != this) return;
  revealPage(page);
  firePage(page, true);
}

void TkwoPageControl::switchToIndex(int index) {
  QPointer<TkwoPageControl> self(this);
  if (activePage_ != nullptr && activePage_->pageIndex_ != index) hidePage(activePage_);
  if (self.isNull()) return;
  if (index < 0 || index >= pageCount() || index >= strip()->tabs().count()) {
    switchToPage(nullptr);
    return;
  }
  setTabIndexOp(index);
  if (self.isNull() || index >= pageCount()) return;
  strip()->setTabIndex(index);
  if (self.isNull() || index >= pageCount()) return;
  TkwoTabSheet *page = pages_[static_cast<size_t>(index)];
  activePage_ = page;
  revealPage(page);
  firePage(page, true);
}

void TkwoPageControl::setActivePage(TkwoTabSheet *page) { switchToPage(page); }

void TkwoPageControl::activatePageIndex(int index) {
  if (index < 0 || index >= pageCount()) return;
  switchToIndex(index);
}

void TkwoPageControl::tabActivated(int index) {
  QPointer<TkwoPageControl> self(this);
  if (index < 0 || index >= pageCount()) {
    // No tab selected (an index of -1 set by code): no page is shown.
    if (activePage_ != nullptr) hidePage(activePage_);
    if (self.isNull()) return;
    activePage_ = nullptr;
    TkwoTab::tabActivated(index);
    return;
  }
  if (activePage_ != nullptr && activePage_->pageIndex_ != index) hidePage(activePage_);
  if (self.isNull() || index >= pageCount()) return;
  TkwoTabSheet *page = pages_[static_cast<size_t>(index)];
  QPointer<TkwoTabSheet> target(page);
  activePage_ = page;
  revealPage(page);
  if (!isLoading() && !isDying()) {
    ui::Control *first = page->control(0);
    if (first != nullptr && first->visible() && first->canFocus()) first->setFocus(Qt::OtherFocusReason);
  }
  if (self.isNull() || target.isNull()) return;
  firePage(page, true);
  if (self.isNull()) return;
  TkwoTab::tabActivated(index);
}

void TkwoPageControl::applyTheme(TkwoUIStyle style) {
  for (TkwoTabSheet *p : pages_) {
    ApplyThemeToChildren(*p, style, fileTheme());
    p->setColor(color());
    p->setAlign(ui::Align::Client);
  }
}

void TkwoPageControl::borderColorChanged() {
  if (activePage_ != nullptr) activePage_->update();
}

void TkwoPageControl::colorChanged() {
  TkwoTab::colorChanged();
  for (TkwoTabSheet *p : pages_) p->setColor(color());
}

}  // namespace kwo
