#include "platform/ui/component.h"

#include <algorithm>

namespace ui {

Component::Component(Component *owner) : owner_(owner) {
  if (owner_ != nullptr) owner_->insertComponent(this);
}

Component::~Component() {
  beginDestroy();
  destroyComponents();
  if (owner_ != nullptr) owner_->removeComponent(this);
}

void Component::beginDestroy() {
  destroying_ = true;
  for (Watch &w : watches_) QObject::disconnect(w.connection);
  watches_.clear();
}

void Component::destroyComponents() {
  // Owned components may take others with them (a control's Qt children),
  // and those leave the list themselves, so the list is read afresh each time.
  while (!components_.empty()) {
    Component *last = components_.back();
    components_.pop_back();
    last->owner_ = nullptr;
    delete last->object();
  }
}

void Component::setName(const QString &name) {
  name_ = name;
  object()->setObjectName(name);
}

bool Component::isLoading() const {
  for (const Component *c = this; c != nullptr; c = c->owner_) {
    if (c->loading_ > 0) return true;
  }
  return false;
}

bool Component::isDying() const {
  for (const Component *c = this; c != nullptr; c = c->owner_) {
    if (c->destroying_) return true;
  }
  return false;
}

void Component::watch(Component *other) {
  if (other == nullptr || other == this || destroying_) return;
  for (const Watch &w : watches_) {
    if (w.target == other) return;
  }
  QObject *self = object();
  auto connection = QObject::connect(other->object(), &QObject::destroyed, self, [this, other] {
    unwatch(other);
    if (!destroying_) notification(other, Operation::Remove);
  });
  watches_.push_back({other, connection});
}

void Component::unwatch(Component *other) {
  auto it = std::find_if(watches_.begin(), watches_.end(),
                         [other](const Watch &w) { return w.target == other; });
  if (it == watches_.end()) return;
  QObject::disconnect(it->connection);
  watches_.erase(it);
}

void Component::notification(Component *, Operation) {}

void Component::insertComponent(Component *child) {
  components_.push_back(child);
  notification(child, Operation::Insert);
}

void Component::removeComponent(Component *child) {
  auto it = std::find(components_.begin(), components_.end(), child);
  if (it != components_.end()) components_.erase(it);
}

LoadingGuard::LoadingGuard(Component &root) : root_(root) { ++root_.loading_; }

LoadingGuard::~LoadingGuard() {
  --root_.loading_;
  if (root_.isLoading()) return;
  // Components may add others while they finish loading; visit a copy.
  std::vector<Component *> owned = root_.components_;
  for (Component *c : owned) {
    const auto &now = root_.components_;
    if (std::find(now.begin(), now.end(), c) != now.end()) c->loaded();
  }
  root_.loaded();
}

NonVisualComponent::NonVisualComponent(Component *owner) : Component(owner) {}

NonVisualComponent::~NonVisualComponent() { beginDestroy(); }

}  // namespace ui
