#pragma once
// A list of items shown as large icons with captions; one item may be
// selected (ItemIndex), and OnChange tells of every change of selection.
#include <QString>
#include <functional>
#include <vector>

#include "platform/ui/control.h"

class QListWidget;

namespace ui {

class ImageList;

struct ListItem {
  QString caption;
  int imageIndex = -1;
};

class ListView : public Control {
  Q_OBJECT
 public:
  using ChangeEvent = std::function<void(ListView *sender, int item)>;

  explicit ListView(Component *owner);
  ~ListView() override;

  ImageList *largeImages() const { return largeImages_; }
  void setLargeImages(ImageList *images);

  int itemCount() const { return static_cast<int>(items_.size()); }
  // Bad indexes give an empty item.
  ListItem item(int index) const;
  int addItem(const QString &caption, int imageIndex = -1);
  void clearItems();

  // The selected item, -1 for none; bad indexes select nothing.
  int itemIndex() const { return itemIndex_; }
  void setItemIndex(int index);

  ChangeEvent OnChange;

 protected:
  void notification(Component *component, Operation operation) override;

 private:
  void selectionChanged(int index);
  void refreshIcons();

  QListWidget *list_ = nullptr;
  ImageList *largeImages_ = nullptr;
  std::vector<ListItem> items_;
  int itemIndex_ = -1;
  bool updating_ = false;
};

}  // namespace ui
