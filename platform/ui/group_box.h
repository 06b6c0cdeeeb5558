#pragma once
// A framed group with a caption. Its child controls lie inside the frame;
// a radio group lays out its own item buttons in columns.
#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>
#include <vector>

#include "platform/ui/widget_host.h"

namespace ui {

class GroupBox : public Hosted<QGroupBox> {
  Q_OBJECT
 public:
  explicit GroupBox(Component *owner);

 protected:
  void adjustClientRect(QRect &rect) const override;
  void captionChanged() override;
};

// Items filled column by column; exactly one item is checked once an index
// is set. OnClick fires on a click of an item, never when code sets
// the index.
class RadioGroup : public GroupBox {
  Q_OBJECT
 public:
  explicit RadioGroup(Component *owner);

  const QStringList &items() const { return items_; }
  void setItems(const QStringList &items);
  int itemCount() const { return static_cast<int>(items_.size()); }
  QString item(int index) const;
  // Bad indexes change nothing.
  void setItem(int index, const QString &text);

  int columns() const { return columns_; }
  // At least one column is laid out whatever is stored.
  void setColumns(int value);

  // -1: none checked.
  int itemIndex() const { return itemIndex_; }
  void setItemIndex(int index);

  QRadioButton *button(int index) const;

 protected:
  void resized() override;

 private:
  void layoutButtons();

  QStringList items_;
  std::vector<QRadioButton *> buttons_;
  QButtonGroup *group_ = nullptr;
  int columns_ = 1;
  int itemIndex_ = -1;
};

}  // namespace ui
