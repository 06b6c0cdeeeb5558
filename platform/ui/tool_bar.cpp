#include "platform/ui/tool_bar.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/ui/color.h"
#include "platform/ui/image_list.h"
#include "platform/ui/menu.h"
#include "platform/ui/menu_view.h"
#include "platform/ui/row_layout.h"

namespace ui {

ToolButton::ToolButton(Component *owner) : Control(owner) {
  setParentColor(true);
  setBounds(0, 0, 23, 22);
}

ToolBar *ToolButton::toolBar() const { return qobject_cast<ToolBar *>(parentWidget()); }

void ToolButton::setStyle(ToolButtonStyle style) {
  style_ = style;
  if (ToolBar *bar = toolBar()) bar->realign();
  update();
}

void ToolButton::setImageIndex(int index) {
  imageIndex_ = index;
  update();
}

void ToolButton::setDown(bool value) {
  down_ = value;
  update();
}

void ToolButton::setAutoSize(bool value) {
  autoSize_ = value;
  if (ToolBar *bar = toolBar()) bar->realign();
}

void ToolButton::setMenuItem(MenuItem *item) {
  menuItem_ = item;
  if (item != nullptr) {
    setCaption(item->caption());
    setEnabled(item->enabled());
  }
}

void ToolButton::captionChanged() {
  if (ToolBar *bar = toolBar()) bar->realign();
  update();
}

QSize ToolButton::preferredSize() const {
  ToolBar *bar = toolBar();
  if (isSeparator()) return QSize(8, bar != nullptr ? bar->buttonHeight() : height());
  if (bar == nullptr) return size();
  int w = bar->buttonWidth();
  int h = bar->buttonHeight();
  if (autoSize_ && bar->showCaptions()) {
    QString text = caption();
    text.remove(QLatin1Char('&'));
    const QFontMetrics fm(font());
    int content = fm.horizontalAdvance(text) + 14;
    if (bar->images() != nullptr && imageIndex_ >= 0) content += bar->images()->width() + 4;
    w = std::max(content, bar->list() ? w : 0);
    if (!bar->list() && bar->images() == nullptr) w = fm.horizontalAdvance(text) + 14;
  }
  return QSize(w, h);
}

void ToolButton::paint(QPainter &painter) {
  if (ToolBar *bar = toolBar()) {
    bar->drawButton(*this, painter);
  } else {
    Control::paint(painter);
  }
}

void ToolButton::mouseEnter() {
  hot_ = true;
  update();
}

void ToolButton::mouseLeave() {
  hot_ = false;
  pressed_ = false;
  update();
}

void ToolButton::mouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (button == MouseButton::Left && !isSeparator()) {
    pressed_ = true;
    update();
  }
  Control::mouseDown(button, shift, x, y);
}

void ToolButton::mouseUp(MouseButton button, ShiftState shift, int x, int y) {
  if (button == MouseButton::Left) {
    pressed_ = false;
    update();
  }
  Control::mouseUp(button, shift, x, y);
}

void ToolButton::click() {
  if (isSeparator() || isDying()) return;
  if (style_ == ToolButtonStyle::Check) setDown(!down_);
  // The item's handler may rebuild the bar and free this button.
  QPointer<ToolButton> self(this);
  QPointer<ToolBar> bar(toolBar());
  if (bar) ++bar->clickDepth_;
  if (!menuItem_.isNull()) {
    if (menuItem_->count() > 0) {
      dropDownMenu();
    } else {
      menuItem_->click();
    }
  }
  if (!self.isNull()) Control::click();
  if (bar) --bar->clickDepth_;
}

void ToolButton::dropDownMenu() {
  if (!dropDown_.isNull()) delete dropDown_.data();
  ToolBar *bar = toolBar();
  ImageList *images = nullptr;
  if (Menu *menu = menuItem_->menu()) images = menu->images();
  if (images == nullptr && bar != nullptr) images = bar->images();
  auto *view = new MenuView(menuItem_.data(), images);
  dropDown_ = view;
  view->popup(mapToGlobal(QPoint(0, height())));
}

ToolButton::~ToolButton() {
  beginDestroy();
  if (!dropDown_.isNull()) delete dropDown_.data();
}

ToolBar::ToolBar(Component *owner) : Control(owner) {
  setArrangesChildren(true);
  setAlign(Align::Top);
  setBounds(0, 0, 150, 29);
}

ToolBar::~ToolBar() {
  beginDestroy();
  menuButtons_.clear();
}

void ToolBar::setImages(ImageList *images) {
  if (images_ != nullptr && images_ != hotImages_) unwatch(images_);
  images_ = images;
  if (images != nullptr) watch(images);
  realign();
  update();
}

void ToolBar::setHotImages(ImageList *images) {
  if (hotImages_ != nullptr && hotImages_ != images_) unwatch(hotImages_);
  hotImages_ = images;
  if (images != nullptr) watch(images);
  update();
}

void ToolBar::setShowCaptions(bool value) {
  showCaptions_ = value;
  realign();
  update();
}

void ToolBar::setList(bool value) {
  list_ = value;
  realign();
  update();
}

void ToolBar::setFlat(bool value) {
  flat_ = value;
  update();
}

void ToolBar::setWrapable(bool value) {
  wrapable_ = value;
  realign();
}

void ToolBar::setAutoSize(bool value) {
  autoSize_ = value;
  realign();
}

void ToolBar::setTransparent(bool value) {
  transparent_ = value;
  update();
}

void ToolBar::setButtonSize(int width, int height) {
  buttonWidth_ = std::max(width, 0);
  buttonHeight_ = std::max(height, 0);
  realign();
}

void ToolBar::setMenu(MainMenu *menu) {
  if (menu == menu_) return;
  clearMenuButtons();
  if (menu_ != nullptr) {
    unwatch(menu_);
    disconnect(menuConnection_);
  }
  menu_ = menu;
  if (menu_ != nullptr) {
    watch(menu_);
    menuConnection_ = connect(menu_, &Menu::changed, this, [this](MenuItem *, bool rebuild) {
      if (rebuild && clickDepth_ == 0) {
        rebuildMenuButtons();
      } else if (rebuild) {
        // A button's own click changed the menu: rebuilt once it has returned.
        if (!rebuildPending_) {
          rebuildPending_ = true;
          QMetaObject::invokeMethod(this, [this] { rebuildMenuButtons(); }, Qt::QueuedConnection);
        }
      } else {
        updateMenuButtons();
      }
    });
    buildMenuButtons();
  }
}

void ToolBar::rebuildMenuButtons() {
  rebuildPending_ = false;
  if (isDying()) return;
  clearMenuButtons();
  if (menu_ != nullptr) buildMenuButtons();
}

void ToolBar::updateMenuButtons() {
  for (ToolButton *b : menuButtons_) {
    MenuItem *item = b->menuItem();
    if (item == nullptr) continue;
    b->setCaption(item->caption());
    b->setEnabled(item->enabled());
    b->setVisible(item->visible());
  }
}

void ToolBar::clearMenuButtons() {
  std::vector<ToolButton *> buttons;
  buttons.swap(menuButtons_);
  for (ToolButton *b : buttons) delete b;
}

void ToolBar::buildMenuButtons() {
  for (MenuItem *item : menu_->items()->items()) {
    auto *button = new ToolButton(this);
    button->setGrouped(true);
    button->setAutoSize(true);
    button->setParentControl(this);
    button->setMenuItem(item);
    button->setVisible(item->visible());
    menuButtons_.push_back(button);
    watch(button);
  }
  realign();
}

void ToolBar::notification(Component *component, Operation operation) {
  Control::notification(component, operation);
  if (operation != Operation::Remove) return;
  if (component == images_) images_ = nullptr;
  if (component == hotImages_) hotImages_ = nullptr;
  if (component == menu_) {
    menu_ = nullptr;
    disconnect(menuConnection_);
    clearMenuButtons();
  }
  auto it = std::find(menuButtons_.begin(), menuButtons_.end(), component);
  if (it != menuButtons_.end()) menuButtons_.erase(it);
}

void ToolBar::alignControls() {
  Control::alignControls();
  const QRect client = clientRect();
  std::vector<RowItem> items;
  std::vector<Control *> placed;
  for (Control *c : controls()) {
    if (c->align() != Align::None) continue;
    auto *button = qobject_cast<ToolButton *>(c);
    const QSize s = button != nullptr ? button->preferredSize() : c->size();
    items.push_back({s.width(), s.height(), c->visible()});
    placed.push_back(c);
  }
  const RowLayoutResult layout = LayOutInRows(items, client.x(), client.y(), client.width(), wrapable_);
  for (size_t i = 0; i < placed.size(); ++i) {
    if (!items[i].visible) continue;
    const Bounds &b = layout.bounds[i];
    placed[i]->setBounds(b.left, b.top, b.width, b.height);
  }
  if (autoSize_ && !isDying()) {
    const int wanted = std::max(layout.height, 0) + (height() - client.height());
    if (wanted != height() && layout.height > 0) setBounds(x(), y(), width(), wanted);
  }
}

void ToolBar::paint(QPainter &painter) {
  bool defaultDraw = true;
  if (OnCustomDraw) OnCustomDraw(this, painter, rect(), defaultDraw);
  if (defaultDraw && !transparent_) Control::paint(painter);
}

void ToolBar::drawButton(ToolButton &button, QPainter &painter) {
  bool defaultDraw = true;
  if (OnCustomDrawButton && !button.isSeparator()) {
    OnCustomDrawButton(this, &button, painter, button.state(), defaultDraw);
  }
  if (defaultDraw) drawDefaultButton(button, painter);
}

void ToolBar::drawDefaultButton(ToolButton &button, QPainter &painter) const {
  const QRect r = button.rect();
  const QColor face = toQColor(color());
  if (!transparent_ && face.isValid()) painter.fillRect(r, face);
  if (button.isSeparator()) {
    if (button.style() == ToolButtonStyle::Divider) {
      painter.setPen(QColor(160, 160, 160));
      painter.drawLine(r.center().x(), r.top() + 2, r.center().x(), r.bottom() - 2);
    }
    return;
  }
  const ToolButtonState s = button.state();
  if (s.hot || s.selected || s.checked || !flat_) {
    painter.setPen(s.selected || s.checked ? QColor(128, 128, 128) : QColor(255, 255, 255));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
  }
  ImageList *list = s.hot && hotImages_ != nullptr ? hotImages_ : images_;
  int textTop = r.top();
  if (list != nullptr && button.imageIndex() >= 0) {
    const int x = list_ ? r.left() + 4 : r.left() + (r.width() - list->width()) / 2;
    list->draw(painter, x, r.top() + 3, button.imageIndex(), button.isEnabled());
    textTop = list_ ? r.top() : r.top() + list->height() + 3;
  }
  if (showCaptions_) {
    painter.setPen(button.isEnabled() ? toQColor(button.controlFont().color) : QColor(128, 128, 128));
    const QRect text(r.left(), textTop, r.width(), r.bottom() - textTop + 1);
    painter.drawText(text, Qt::AlignCenter | Qt::TextShowMnemonic, button.caption());
  }
}

}  // namespace ui
