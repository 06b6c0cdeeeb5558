#include "platform/ui/menu.h"

#include <QKeySequence>
#include <algorithm>

#include "platform/ui/image_list.h"
#include "platform/ui/menu_view.h"

namespace ui {

MenuItem::MenuItem(Component *owner) : NonVisualComponent(owner) {
  // The owner heard of this component while it was still being built; the
  // other components of the owner are told now that it is an item, so that
  // a menu among them can take over its drawing.
  if (owner == nullptr) return;
  const std::vector<Component *> others = owner->components();
  for (Component *c : others) {
    const auto &now = owner->components();
    if (c != this && std::find(now.begin(), now.end(), c) != now.end()) c->notification(this, Operation::Insert);
  }
}

MenuItem::~MenuItem() {
  beginDestroy();
  while (!items_.empty()) {
    MenuItem *last = items_.back();
    items_.pop_back();
    last->parent_ = nullptr;
    delete last;
  }
  if (parent_ != nullptr) parent_->remove(this);
}

void MenuItem::setCaption(const QString &caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  changed(false);
}

QString MenuItem::shortCutText() const {
  if (!hasShortCut()) return QString();
  return QKeySequence(shortCut_).toString(QKeySequence::PortableText);
}

void MenuItem::setEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  changed(false);
}

void MenuItem::setChecked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
  changed(false);
}

void MenuItem::setVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  changed(true);
}

void MenuItem::setDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  changed(false);
}

void MenuItem::setImageIndex(int index) {
  if (imageIndex_ == index) return;
  imageIndex_ = index;
  changed(false);
}

MenuItem *MenuItem::item(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return items_[static_cast<size_t>(index)];
}

void MenuItem::add(MenuItem *item) { insert(count(), item); }

void MenuItem::insert(int index, MenuItem *item) {
  if (item == nullptr || item == this || item->parent_ == this) return;
  for (MenuItem *p = this; p != nullptr; p = p->parent_) {
    if (p == item) return;  // an item cannot hold its own ancestor
  }
  if (item->parent_ != nullptr) item->parent_->remove(item);
  index = std::clamp(index, 0, count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  changed(true);
}

void MenuItem::remove(MenuItem *item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  if (!isDestroying()) changed(true);
}

void MenuItem::clear() {
  while (!items_.empty()) delete items_.back();
}

Menu *MenuItem::menu() const {
  const MenuItem *root = this;
  while (root->parent_ != nullptr) root = root->parent_;
  return root->menu_;
}

void MenuItem::click() {
  if (enabled_ && OnClick && !isDying()) OnClick(this);
}

void MenuItem::changed(bool rebuild) {
  Menu *m = menu();
  if (m != nullptr && !m->isDying()) m->menuChanged(this, rebuild);
}

Menu::Menu(Component *owner) : NonVisualComponent(owner), root_(std::make_unique<MenuItem>(nullptr)) {
  root_->menu_ = this;
}

Menu::~Menu() {
  beginDestroy();
  root_.reset();
}

void Menu::setImages(ImageList *images) {
  if (images_ != nullptr) unwatch(images_);
  images_ = images;
  if (images != nullptr) watch(images);
  menuChanged(nullptr, false);
}

void Menu::notification(Component *component, Operation operation) {
  if (operation == Operation::Remove && component == images_) images_ = nullptr;
}

void Menu::paintMenuWindow(QPainter &, const QRect &) {}

void Menu::menuChanged(MenuItem *source, bool rebuild) {
  if (isLoading() || isDying()) return;
  QPointer<Menu> self(this);
  if (OnChange) OnChange(this, source, rebuild);
  if (!self.isNull()) emit changed(source, rebuild);
}

namespace {

MenuItem *findIn(const MenuItem *parent, QKeyCombination key) {
  for (MenuItem *item : parent->items()) {
    if (!item->visible()) continue;
    if (item->enabled() && item->hasShortCut() && item->shortCut() == key) return item;
    if (item->enabled()) {
      if (MenuItem *found = findIn(item, key)) return found;
    }
  }
  return nullptr;
}

}  // namespace

MenuItem *Menu::findShortCut(QKeyCombination key) const {
  const Qt::KeyboardModifiers mods =
      key.keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  return findIn(root_.get(), QKeyCombination(mods, key.key()));
}

bool Menu::isShortCut(QKeyCombination key) {
  MenuItem *item = findShortCut(key);
  if (item == nullptr) return false;
  item->click();
  return true;
}

PopupMenu::~PopupMenu() {
  beginDestroy();
  closeUp();
}

void PopupMenu::popup(int x, int y) {
  if (isDying()) return;
  QPointer<PopupMenu> self(this);
  if (OnPopup) OnPopup(this);
  if (self.isNull()) return;
  closeUp();
  view_ = new MenuView(items(), images());
  view_->popup(QPoint(x, y));
}

MenuView *PopupMenu::view() const { return view_.data(); }

void PopupMenu::closeUp() {
  if (!view_.isNull()) delete view_.data();
}

}  // namespace ui
