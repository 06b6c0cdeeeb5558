#pragma once
// Components: everything a window is built from. A component's owner (who
// destroys it) is separate from its Qt parent (where it is shown). Components
// that keep references to others they do not own ask to be told when those
// go away.
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <vector>

namespace ui {

enum class Operation { Insert, Remove };

class Component {
 public:
  explicit Component(Component *owner);
  virtual ~Component();
  Component(const Component &) = delete;
  Component &operator=(const Component &) = delete;

  // The QObject this component is (every component is one).
  virtual QObject *object() = 0;

  Component *owner() const { return owner_; }
  const std::vector<Component *> &components() const { return components_; }
  int componentCount() const { return static_cast<int>(components_.size()); }

  const QString &name() const { return name_; }
  void setName(const QString &name);

  // True while the component or its owner is being built (see LoadingGuard).
  bool isLoading() const;
  // True from the first statement of the destructor on.
  bool isDestroying() const { return destroying_; }
  // True while this component or one of its owners is being destroyed:
  // handlers, which belong to the owners, must not run then.
  bool isDying() const;

  // Asks to be told through notification(other, Remove) when other goes away.
  // Watching the same component twice tells once.
  void watch(Component *other);
  void unwatch(Component *other);

  // Told when a watched component goes away (the pointer is only for
  // comparison then), and when a component joins this one's owned list.
  virtual void notification(Component *component, Operation operation);

  // Called once building has finished (end of a LoadingGuard).
  virtual void loaded() {}

 protected:
  // Marks the component as going away; the most-derived destructor calls it
  // first thing so that handlers see isDestroying().
  void beginDestroy();
  // Destroys the owned components, newest first.
  void destroyComponents();

 private:
  friend class LoadingGuard;
  void insertComponent(Component *child);
  void removeComponent(Component *child);

  Component *owner_ = nullptr;
  std::vector<Component *> components_;
  struct Watch {
    Component *target;
    QMetaObject::Connection connection;
  };
  std::vector<Watch> watches_;
  QString name_;
  int loading_ = 0;
  bool destroying_ = false;
};

// Builds a component tree as a stored form would: while it exists the root
// and everything it owns report isLoading(), so change events stay quiet.
// When it ends, every owned component, then the root, gets loaded().
class LoadingGuard {
 public:
  explicit LoadingGuard(Component &root);
  ~LoadingGuard();
  LoadingGuard(const LoadingGuard &) = delete;
  LoadingGuard &operator=(const LoadingGuard &) = delete;

 private:
  Component &root_;
};

// A component that is nothing but a QObject (menus, timers, image lists).
class NonVisualComponent : public QObject, public Component {
  Q_OBJECT
 public:
  explicit NonVisualComponent(Component *owner);
  ~NonVisualComponent() override;
  QObject *object() override { return this; }
};

}  // namespace ui
