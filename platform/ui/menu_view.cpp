#include "platform/ui/menu_view.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QWidget>
#include <QWidgetAction>

#include "platform/ui/image_list.h"

namespace ui {
namespace {

// Runs the item once every menu of the chain has closed.
void clickLater(MenuItem *item) {
  QPointer<MenuItem> target(item);
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [target] { if (!target.isNull()) target->click(); }, Qt::QueuedConnection);
}

// Closes the menu and every menu it was opened from.
void closeChain(MenuView *view) {
  for (QWidget *w = view; w != nullptr;) {
    QWidget *next = w->parentWidget();
    w->close();
    w = qobject_cast<MenuView *>(next);
  }
}

// The application's style with the menu's frame as wide as the view's
// border and no margins inside it, so that the items start right inside.
class MenuViewStyle final : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override {
    switch (metric) {
      case PM_MenuPanelWidth: return MenuView::kBorderWidth;
      case PM_MenuHMargin:
      case PM_MenuVMargin: return 0;
      default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }
};

// One style for every view, freed with the application.
QStyle *menuViewStyle() {
  static QPointer<MenuViewStyle> style;
  if (style.isNull()) {
    style = new MenuViewStyle;
    style->setParent(QCoreApplication::instance());
  }
  return style.data();
}

class ItemWidget final : public QWidget {
 public:
  ItemWidget(MenuItem *item, MenuView *view, ImageList *images)
      : QWidget(view), item_(item), view_(view), images_(images) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    const QSize plain = MenuView::defaultItemSize(*item, font());
    int w = plain.width();
    int h = plain.height();
    if (item->OnMeasureItem) item->OnMeasureItem(item, font(), w, h);
    // The menu widens every item to its widest one.
    size_ = QSize(std::max(w, 1), std::max(h, 1));
    setMinimumSize(size_);
    setFixedHeight(size_.height());
  }

  void setAction(QAction *action) { action_ = action; }
  QSize sizeHint() const override { return size_; }

 protected:
  bool event(QEvent *e) override {
    if (e->type() == QEvent::HoverEnter || e->type() == QEvent::HoverLeave) update();
    return QWidget::event(e);
  }

  void paintEvent(QPaintEvent *) override {
    if (item_.isNull()) return;
    QPainter p(this);
    const bool active = underMouse() || (action_ != nullptr && view_->activeAction() == action_);
    const bool selected = active && !item_->isSeparator();
    if (item_->OnDrawItem) {
      item_->OnDrawItem(item_.data(), p, rect(), selected);
    } else {
      MenuView::defaultDrawItem(*item_, p, rect(), selected, images_.data());
    }
  }

  void mouseReleaseEvent(QMouseEvent *e) override {
    if (item_.isNull() || e->button() != Qt::LeftButton || item_->isSeparator() || !item_->enabled()) return;
    if (item_->count() > 0) {
      auto *sub = new MenuView(item_.data(), images_.data(), view_);
      sub->popup(mapToGlobal(QPoint(width(), 0)));
      return;
    }
    MenuItem *item = item_.data();
    closeChain(view_);
    clickLater(item);
  }

 private:
  QPointer<MenuItem> item_;
  MenuView *view_;
  QPointer<ImageList> images_;
  QAction *action_ = nullptr;
  QSize size_;
};

}  // namespace

MenuView::MenuView(MenuItem *parentItem, ImageList *images, QWidget *parent)
    : QMenu(parent), parentItem_(parentItem), images_(images) {
  setAttribute(Qt::WA_DeleteOnClose);
  setStyle(menuViewStyle());
  setContentsMargins(0, 0, 0, 0);
  if (parentItem != nullptr) connect(parentItem, &QObject::destroyed, this, &QWidget::close);
  // Keyboard choice (Enter on the highlighted item); mouse releases are
  // taken by the item widgets themselves.
  connect(this, &QMenu::triggered, this, [this](QAction *action) {
    auto it = itemOf_.find(action);
    if (it == itemOf_.end() || it->second.isNull()) return;
    MenuItem *item = it->second.data();
    if (item->isSeparator() || !item->enabled()) return;
    if (item->count() > 0) {
      auto *sub = new MenuView(item, images_.data(), this);
      sub->popup(actionGeometry(action).topRight() + pos());
      return;
    }
    closeChain(this);
    clickLater(item);
  });
  build();
}

void MenuView::build() {
  if (parentItem_.isNull()) return;
  for (MenuItem *item : parentItem_->items()) {
    if (!item->visible()) continue;
    auto *action = new QWidgetAction(this);
    auto *widget = new ItemWidget(item, this, images_.data());
    widget->setAction(action);
    action->setDefaultWidget(widget);
    action->setEnabled(item->enabled() && !item->isSeparator());
    addAction(action);
    itemOf_[action] = item;
  }
}

void MenuView::paintEvent(QPaintEvent *event) {
  QMenu::paintEvent(event);
  Menu *menu = parentItem_.isNull() ? nullptr : parentItem_->menu();
  if (menu == nullptr || menu->isDying()) return;
  QPainter p(this);
  menu->paintMenuWindow(p, rect());
}

QSize MenuView::defaultItemSize(const MenuItem &item, const QFont &font) {
  const QFontMetrics fm(font);
  if (item.isSeparator()) return QSize(20, 7);
  QString text = item.caption();
  text.remove(QLatin1Char('&'));
  const int shortcut = item.hasShortCut() ? fm.horizontalAdvance(item.shortCutText()) + 16 : 0;
  return QSize(fm.horizontalAdvance(text) + shortcut + 40, std::max(fm.height() + 6, 20));
}

void MenuView::defaultDrawItem(const MenuItem &item, QPainter &painter, const QRect &rect, bool selected,
                               ImageList *images) {
  painter.fillRect(rect, selected && item.enabled() ? QColor(51, 153, 255) : QColor(240, 240, 240));
  if (item.isSeparator()) {
    painter.setPen(QColor(160, 160, 160));
    painter.drawLine(rect.left() + 4, rect.center().y(), rect.right() - 4, rect.center().y());
    return;
  }
  if (images != nullptr && item.imageIndex() >= 0) {
    images->draw(painter, rect.left() + 2, rect.top() + (rect.height() - images->height()) / 2,
                 item.imageIndex(), item.enabled());
  } else if (item.checked()) {
    painter.drawText(QRect(rect.left(), rect.top(), 20, rect.height()), Qt::AlignCenter, QStringLiteral("✓"));
  }
  painter.setPen(!item.enabled() ? QColor(128, 128, 128) : selected ? QColor(255, 255, 255) : QColor(0, 0, 0));
  const QRect text = rect.adjusted(24, 0, -8, 0);
  painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, item.caption());
  if (item.hasShortCut()) painter.drawText(text, Qt::AlignVCenter | Qt::AlignRight, item.shortCutText());
}

}  // namespace ui
