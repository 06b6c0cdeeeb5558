#pragma once
// Menus that draw every item themselves in the colours of a look: the main
// menu a skinned frame shows as its menu bar, and pop-up menus. A menu draws
// its own items, and the items created for its owner until another skinned
// menu takes them.
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>
#include <cstdint>

#include "platform/ui/menu.h"
#include "skin_toolkit/rules/menu_logic.h"
#include "skin_toolkit/themes/theme_client.h"

class QPainter;

namespace kwo {

class TkwoForm;

// The platform's menu font and the colour menu text is drawn in.
struct SystemMenuFont {
  QFont font;
  platform::TColor color = platform::clMenuText;
};
SystemMenuFont GetSystemMenuFont();

// What both skinned menus share; Base is ui::MainMenu or ui::PopupMenu.
template <class Base>
class SkinnedMenu : public Base, public ThemeClient {
 public:
  explicit SkinnedMenu(ui::Component *owner);

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  void setUIStyle(TkwoUIStyle style) override;

  // Ignored while the style is MacOS.
  int menuItemHeight() const { return look_.menuItemHeight; }
  void setMenuItemHeight(int value);
  int separatorHeight() const { return look_.separatorHeight; }
  void setSeparatorHeight(int value);

  platform::TColor barColor() const { return look_.barColor; }
  void setBarColor(platform::TColor value) { look_.barColor = value; }
  int barWidth() const { return look_.barWidth; }
  void setBarWidth(int value) { look_.barWidth = value; }
  platform::TColor color() const { return look_.color; }
  void setColor(platform::TColor value) { look_.color = value; }
  platform::TColor separatorColor() const { return look_.separatorColor; }
  void setSeparatorColor(platform::TColor value) { look_.separatorColor = value; }
  platform::TColor selectedBorderColor() const { return look_.selectedBorderColor; }
  void setSelectedBorderColor(platform::TColor value) { look_.selectedBorderColor = value; }
  platform::TColor selectedColor() const { return look_.selectedColor; }
  void setSelectedColor(platform::TColor value) { look_.selectedColor = value; }
  platform::TColor selectedFontColor() const { return look_.selectedFontColor; }
  void setSelectedFontColor(platform::TColor value) { look_.selectedFontColor = value; }
  platform::TColor fontColor() const { return look_.fontColor; }
  void setFontColor(platform::TColor value) { look_.fontColor = value; }
  // Stored only; no drawing reads it.
  platform::TColor borderColor() const { return look_.borderColor; }
  void setBorderColor(platform::TColor value) { look_.borderColor = value; }
  bool flatMenu() const { return flatMenu_; }
  void setFlatMenu(bool value) { flatMenu_ = value; }
  const QString &fontName() const { return fontName_; }
  void setFontName(const QString &value) { fontName_ = value; }
  int fontSize() const { return fontSize_; }
  void setFontSize(int value) { fontSize_ = value; }
  uint8_t fontCharset() const { return fontCharset_; }
  void setFontCharset(uint8_t value) { fontCharset_ = value; }
  bool useSystemFont() const { return useSystemFont_; }
  void setUseSystemFont(bool value);
  // The items are always drawn by the menu.
  bool ownerDraw() const { return true; }
  void setOwnerDraw(bool) {}

  const MenuLook &menuLook() const { return look_; }
  // The font the items are drawn with when the system font is not used.
  QFont itemFont() const;
  // The font an item's caption and shortcut are drawn in: the system font
  // given or the menu's own, bold for the default item.
  QFont captionFont(const ui::MenuItem &item, const QFont &systemFont) const;

  // Gives an item of this menu (and its sub-items) this menu's measure and
  // draw handlers; items of other menus are left alone.
  void hookMenuItem(ui::MenuItem *item);
  void hookMenuItems();

  // An item's size; systemFont is the font the menu is shown in.
  Size measureItem(const ui::MenuItem &item, const QFont &systemFont) const;
  void drawItem(const ui::MenuItem &item, QPainter &painter, const QRect &rect, bool selected) const;
  // With FlatMenu, the flat border over the menu window's rectangle.
  void paintMenuWindow(QPainter &painter, const QRect &rect) override;

  void loaded() override;

 protected:
  void menuChanged(ui::MenuItem *source, bool rebuild) override;
  // An item created for the menu's owner is drawn by this menu, whichever
  // menu it joins, until a skinned menu it joins hooks it.
  void notification(ui::Component *component, ui::Operation operation) override;
  // The images the items show (the published Images).
  virtual ui::ImageList *itemImages() const { return Base::images(); }
  // Check-mark picture 0 at (x, y), greyed when disabled: the list that pop-up
  // menus share.
  virtual void drawCheckMark(QPainter &painter, Point at, bool enabled) const;
  virtual void useSystemFontChanged() {}

  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;

 private:
  // anyMenu: the item is drawn by this menu in whatever menu it is.
  void hookTree(ui::MenuItem *item, bool anyMenu);

  MenuLook look_;
  // The light colour of the flat border: the look's form background.
  platform::TColor flatBorderColor_ = 0xFFFFFF;
  bool flatMenu_ = false;
  QString fontName_ = QStringLiteral("MS Sans Serif");
  int fontSize_ = 8;
  uint8_t fontCharset_ = 1;  // the default character set
  bool useSystemFont_ = true;
};

class TkwoPopupMenu : public SkinnedMenu<ui::PopupMenu> {
  Q_OBJECT
 public:
  explicit TkwoPopupMenu(ui::Component *owner);
};

class TkwoMainMenu : public SkinnedMenu<ui::MainMenu> {
  Q_OBJECT
 public:
  // On a form, the menu takes the form's place of platform menu and is
  // shown by the form's skinned frame.
  explicit TkwoMainMenu(ui::Component *owner);
  ~TkwoMainMenu() override;

  // Null while the menu's own check-mark list is installed.
  ui::ImageList *images() const;
  // Null installs the menu's own check-mark list.
  void setImages(ui::ImageList *images);

  // The skinned frame that shows this menu; set and cleared by that frame.
  TkwoForm *skinForm() const;
  void setSkinForm(TkwoForm *form);

  void loaded() override;

 protected:
  void menuChanged(ui::MenuItem *source, bool rebuild) override;
  void notification(ui::Component *component, ui::Operation operation) override;
  ui::ImageList *itemImages() const override { return images(); }
  // From the menu's own check-mark list.
  void drawCheckMark(QPainter &painter, Point at, bool enabled) const override;
  void useSystemFontChanged() override;

 private:
  ui::ImageList *checkMarks_ = nullptr;
  QPointer<TkwoForm> skinForm_;
};

}  // namespace kwo
