#include "platform/ui/list_view.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "platform/ui/image_list.h"

namespace ui {

ListView::ListView(Component *owner) : Control(owner) {
  list_ = new QListWidget(this);
  list_->setViewMode(QListView::IconMode);
  list_->setMovement(QListView::Static);
  list_->setResizeMode(QListView::Adjust);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!updating_) selectionChanged(row);
  });
  setBounds(0, 0, 121, 97);
}

ListView::~ListView() { beginDestroy(); }

void ListView::setLargeImages(ImageList *images) {
  if (largeImages_ != nullptr) unwatch(largeImages_);
  largeImages_ = images;
  if (images != nullptr) {
    watch(images);
    list_->setIconSize(QSize(images->width(), images->height()));
  }
  refreshIcons();
}

void ListView::notification(Component *component, Operation operation) {
  Control::notification(component, operation);
  if (operation == Operation::Remove && component == largeImages_) {
    largeImages_ = nullptr;
    refreshIcons();
  }
}

void ListView::refreshIcons() {
  for (int i = 0; i < itemCount() && i < list_->count(); ++i) {
    const QPixmap picture = largeImages_ != nullptr ? largeImages_->image(items_[static_cast<size_t>(i)].imageIndex)
                                                    : QPixmap();
    list_->item(i)->setIcon(QIcon(picture));
  }
}

ListItem ListView::item(int index) const {
  if (index < 0 || index >= itemCount()) return {};
  return items_[static_cast<size_t>(index)];
}

int ListView::addItem(const QString &caption, int imageIndex) {
  items_.push_back({caption, imageIndex});
  updating_ = true;
  auto *entry = new QListWidgetItem(caption, list_);
  if (largeImages_ != nullptr) entry->setIcon(QIcon(largeImages_->image(imageIndex)));
  updating_ = false;
  return itemCount() - 1;
}

void ListView::clearItems() {
  updating_ = true;
  list_->clear();
  updating_ = false;
  items_.clear();
  selectionChanged(-1);
}

void ListView::setItemIndex(int index) {
  if (index < -1 || index >= itemCount()) index = -1;
  updating_ = true;
  list_->setCurrentRow(index);
  updating_ = false;
  selectionChanged(index);
}

void ListView::selectionChanged(int index) {
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (OnChange && !isLoading() && !isDying()) OnChange(this, index);
}

}  // namespace ui
