#pragma once
// A list of text items, one selectable, on the platform's list widget. The
// list leaves BorderWidth pixels free on every side for a frame its owner
// paints; its own sunken frame shows only with BorderSingle. Color is the
// list's background.
#include <QListWidget>
#include <QString>

#include "platform/ui/widget_host.h"

namespace ui {

class ListBox : public WidgetHost {
  Q_OBJECT
 public:
  explicit ListBox(Component *owner);

  QListWidget *widget() const { return static_cast<QListWidget *>(hostedWidget()); }

  int count() const { return widget()->count(); }
  // Empty outside the list.
  QString item(int index) const;
  void addItem(const QString &text);
  // Held to 0..count.
  void insertItem(int index, const QString &text);
  // Outside the list: nothing.
  void deleteItem(int index);
  void clear();

  // The selected item, -1 for none; an index outside the list selects none.
  int itemIndex() const { return widget()->currentRow(); }
  void setItemIndex(int index);

  int borderWidth() const { return borderWidth_; }
  void setBorderWidth(int value);
  bool borderSingle() const { return borderSingle_; }
  void setBorderSingle(bool value);

 protected:
  void resized() override;
  void colorChanged() override;

 private:
  void placeList();

  int borderWidth_ = 0;
  bool borderSingle_ = true;
};

}  // namespace ui
