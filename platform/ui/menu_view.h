#pragma once
// Shows the sub-items of a menu item as a pop-up menu. Every item is measured
// and drawn by its own handlers (plain ones when it has none). The items sit
// inside a 2-pixel border, which the menu may paint over through
// Menu::paintMenuWindow. The view never blocks, carries no shortcuts of its
// own, and clicks the item after it has closed.
#include <QMenu>
#include <QPointer>
#include <map>

#include "platform/ui/menu.h"

namespace ui {

class ImageList;

class MenuView : public QMenu {
  Q_OBJECT
 public:
  // Deletes itself when closed; closes when parentItem goes away.
  MenuView(MenuItem *parentItem, ImageList *images, QWidget *parent = nullptr);

  // Plain measure and draw of an item without handlers.
  static QSize defaultItemSize(const MenuItem &item, const QFont &font);
  static void defaultDrawItem(const MenuItem &item, QPainter &painter, const QRect &rect, bool selected,
                              ImageList *images);

  // The width of the border round the items.
  static constexpr int kBorderWidth = 2;

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  void build();

  QPointer<MenuItem> parentItem_;
  std::map<QAction *, QPointer<MenuItem>> itemOf_;
  QPointer<ImageList> images_;
};

}  // namespace ui
