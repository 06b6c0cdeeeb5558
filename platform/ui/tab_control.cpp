#include "platform/ui/tab_control.h"

#include <QTabBar>

namespace ui {

TabSheet::TabSheet(Component *owner) : Panel(owner) {
  setBevelOuter(Bevel::Raised);
  setAlign(Align::Client);
}

PageControl::PageControl(Component *owner) : Control(owner) {
  bar_ = new QTabBar(this);
  bar_->setDrawBase(false);
  bar_->setExpanding(false);
  bar_->show();
  connect(bar_, &QTabBar::currentChanged, this, [this](int) {
    // The pages may be gone already while the control is torn down.
    if (isDying()) return;
    showActivePage();
    if (settingIndex_ == 0 && !isLoading() && OnChange) OnChange(this);
  });
  setBounds(0, 0, 289, 193);
}

PageControl::~PageControl() { beginDestroy(); }

TabSheet *PageControl::addPage(const QString &caption) {
  auto *sheet = new TabSheet(this);
  sheet->setCaption({});
  sheet->setParentControl(this);
  pages_.push_back(sheet);
  ++settingIndex_;
  bar_->addTab(caption);
  --settingIndex_;
  // The strip's height follows its first tab.
  placeBar();
  realign();
  showActivePage();
  return sheet;
}

TabSheet *PageControl::page(int index) const {
  if (index < 0 || index >= pageCount()) return nullptr;
  return pages_[static_cast<size_t>(index)];
}

int PageControl::activePageIndex() const { return pages_.empty() ? -1 : bar_->currentIndex(); }

void PageControl::setActivePageIndex(int index) {
  if (index < 0 || index >= pageCount()) return;
  ++settingIndex_;
  bar_->setCurrentIndex(index);
  --settingIndex_;
  showActivePage();
}

bool PageControl::wantsKey(int key, Qt::KeyboardModifiers modifiers) const {
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return false;
  return !(modifiers & Qt::AltModifier);
}

int PageControl::barHeight() const { return bar_->sizeHint().height(); }

void PageControl::adjustClientRect(QRect &rect) const { rect.setTop(rect.top() + barHeight()); }

void PageControl::placeBar() { bar_->setGeometry(0, 0, width(), barHeight()); }

void PageControl::resized() {
  placeBar();
  Control::resized();
}

void PageControl::fontChanged() {
  bar_->setFont(font());
  placeBar();
  realign();
  Control::fontChanged();
}

void PageControl::showActivePage() {
  const int active = activePageIndex();
  for (int i = 0; i < pageCount(); ++i) pages_[static_cast<size_t>(i)]->setVisible(i == active);
}

}  // namespace ui
