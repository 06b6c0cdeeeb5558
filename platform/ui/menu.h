#pragma once
// The menu model: items with captions ("&" marks the accelerator), shortcuts
// matched by the model itself, checks, images and click handlers. A menu is
// shown through its items' own measure and draw handlers (menu_view.h).
#include <QFont>
#include <QKeyCombination>
#include <QPointer>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/component.h"

class QPainter;

namespace ui {

class ImageList;
class Menu;

class MenuItem : public NonVisualComponent {
  Q_OBJECT
 public:
  using ClickEvent = std::function<void(MenuItem *sender)>;
  using MeasureHandler = std::function<void(MenuItem *item, const QFont &font, int &width, int &height)>;
  using DrawHandler = std::function<void(MenuItem *item, QPainter &painter, const QRect &rect, bool selected)>;

  explicit MenuItem(Component *owner);
  ~MenuItem() override;

  const QString &caption() const { return caption_; }
  void setCaption(const QString &caption);
  bool isSeparator() const { return caption_ == QStringLiteral("-"); }
  QKeyCombination shortCut() const { return shortCut_; }
  void setShortCut(QKeyCombination shortCut) { shortCut_ = shortCut; }
  bool hasShortCut() const { return shortCut_.key() != Qt::Key_unknown && shortCut_.key() != 0; }
  // The shortcut as text ("Ctrl+O"), empty without one.
  QString shortCutText() const;
  bool enabled() const { return enabled_; }
  void setEnabled(bool value);
  bool checked() const { return checked_; }
  void setChecked(bool value);
  bool visible() const { return visible_; }
  void setVisible(bool value);
  bool isDefault() const { return default_; }
  void setDefault(bool value);
  int imageIndex() const { return imageIndex_; }
  void setImageIndex(int index);
  // A number the program keeps with the item (an index, say); the menu
  // never reads it.
  intptr_t tag() const { return tag_; }
  void setTag(intptr_t value) { tag_ = value; }

  // Sub-items, owned by this item (they also keep their component owner).
  int count() const { return static_cast<int>(items_.size()); }
  MenuItem *item(int index) const;
  const std::vector<MenuItem *> &items() const { return items_; }
  void add(MenuItem *item);
  void insert(int index, MenuItem *item);
  void remove(MenuItem *item);
  // Frees every sub-item.
  void clear();
  MenuItem *parentItem() const { return parent_; }
  // The menu this item belongs to, or null.
  Menu *menu() const;

  // Runs OnClick when the item is enabled.
  void click();

  ClickEvent OnClick;
  MeasureHandler OnMeasureItem;
  DrawHandler OnDrawItem;

 private:
  friend class Menu;
  void changed(bool rebuild);

  QString caption_;
  QKeyCombination shortCut_{Qt::Key_unknown};
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  bool default_ = false;
  int imageIndex_ = -1;
  intptr_t tag_ = 0;
  std::vector<MenuItem *> items_;
  MenuItem *parent_ = nullptr;
  Menu *menu_ = nullptr;  // set on the root item only
};

class Menu : public NonVisualComponent {
  Q_OBJECT
 public:
  // rebuild: items were added or removed (not just changed).
  using ChangeEvent = std::function<void(Menu *sender, MenuItem *source, bool rebuild)>;

  explicit Menu(Component *owner);
  ~Menu() override;

  // The invisible root; its sub-items are the menu's top-level items.
  MenuItem *items() const { return root_.get(); }
  ImageList *images() const { return images_; }
  void setImages(ImageList *images);

  // Finds an enabled, visible item with this shortcut and clicks it.
  bool isShortCut(QKeyCombination key);
  MenuItem *findShortCut(QKeyCombination key) const;

  ChangeEvent OnChange;

  // Paints over a window showing this menu's items, after its plain face;
  // the items draw themselves over the inner part. Draws nothing here.
  virtual void paintMenuWindow(QPainter &painter, const QRect &rect);

 signals:
  // The same notice as OnChange, for any number of listeners (tool bars
  // showing the menu); source is null when the menu itself changed.
  void changed(ui::MenuItem *source, bool rebuild);

 protected:
  friend class MenuItem;
  // Items changed; fires OnChange, except while loading.
  virtual void menuChanged(MenuItem *source, bool rebuild);
  void notification(Component *component, Operation operation) override;

 private:
  std::unique_ptr<MenuItem> root_;
  ImageList *images_ = nullptr;
};

class MainMenu : public Menu {
  Q_OBJECT
 public:
  explicit MainMenu(Component *owner) : Menu(owner) {}
};

class MenuView;

class PopupMenu : public Menu {
  Q_OBJECT
 public:
  explicit PopupMenu(Component *owner) : Menu(owner) {}
  ~PopupMenu() override;
  // Shows the menu at a screen position and returns at once; the item
  // chosen runs after the menu has closed.
  virtual void popup(int x, int y);
  // The menu on screen, or null.
  MenuView *view() const;
  // Closes the menu on screen, if any.
  void closeUp();
  std::function<void(PopupMenu *sender)> OnPopup;

 private:
  QPointer<MenuView> view_;
};

}  // namespace ui
