#pragma once
// Tool bars: buttons and other controls laid out in rows. A tool bar can show
// a main menu as one caption button per top-level item, each dropping its
// sub-menu down. Buttons may be drawn by the bar's owner through a hook that
// gets the button's state and may leave the rest to the default drawing.
#include <QPointer>
#include <functional>

#include "platform/ui/control.h"
#include "platform/ui/menu.h"

namespace ui {

class ImageList;
class MainMenu;
class MenuItem;
class ToolBar;

enum class ToolButtonStyle { Button, Check, DropDown, Separator, Divider };

struct ToolButtonState {
  bool hot = false;       // under the mouse
  bool selected = false;  // pressed
  bool checked = false;   // held down
};

class ToolButton : public Control {
  Q_OBJECT
 public:
  explicit ToolButton(Component *owner);
  ~ToolButton() override;

  ToolBar *toolBar() const;
  ToolButtonStyle style() const { return style_; }
  void setStyle(ToolButtonStyle style);
  int imageIndex() const { return imageIndex_; }
  void setImageIndex(int index);
  bool grouped() const { return grouped_; }
  void setGrouped(bool value) { grouped_ = value; }
  bool down() const { return down_; }
  void setDown(bool value);
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool value);
  // The menu item this button stands for (set by the bar's Menu).
  MenuItem *menuItem() const { return menuItem_.data(); }
  void setMenuItem(MenuItem *item);

  ToolButtonState state() const { return {hot_, pressed_, down_}; }
  bool isSeparator() const { return style_ == ToolButtonStyle::Separator || style_ == ToolButtonStyle::Divider; }
  // The size the button wants in its bar.
  QSize preferredSize() const;

  void click() override;

 protected:
  void paint(QPainter &painter) override;
  void captionChanged() override;
  void mouseEnter() override;
  void mouseLeave() override;
  void mouseDown(MouseButton button, ShiftState shift, int x, int y) override;
  void mouseUp(MouseButton button, ShiftState shift, int x, int y) override;

 private:
  void dropDownMenu();

  ToolButtonStyle style_ = ToolButtonStyle::Button;
  int imageIndex_ = -1;
  bool grouped_ = false;
  bool down_ = false;
  bool autoSize_ = false;
  bool hot_ = false;
  bool pressed_ = false;
  QPointer<MenuItem> menuItem_;
  QPointer<QWidget> dropDown_;
};

class ToolBar : public Control {
  Q_OBJECT
 public:
  using CustomDrawButtonEvent =
      std::function<void(ToolBar *sender, ToolButton *button, QPainter &painter, const ToolButtonState &state,
                         bool &defaultDraw)>;
  using CustomDrawEvent = std::function<void(ToolBar *sender, QPainter &painter, const QRect &rect, bool &defaultDraw)>;

  explicit ToolBar(Component *owner);
  ~ToolBar() override;

  ImageList *images() const { return images_; }
  void setImages(ImageList *images);
  ImageList *hotImages() const { return hotImages_; }
  void setHotImages(ImageList *images);
  bool showCaptions() const { return showCaptions_; }
  void setShowCaptions(bool value);
  bool list() const { return list_; }
  void setList(bool value);
  bool flat() const { return flat_; }
  void setFlat(bool value);
  bool wrapable() const { return wrapable_; }
  void setWrapable(bool value);
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool value);
  bool transparent() const { return transparent_; }
  void setTransparent(bool value);
  int buttonWidth() const { return buttonWidth_; }
  int buttonHeight() const { return buttonHeight_; }
  void setButtonSize(int width, int height);

  // Shows the menu's top-level items as caption buttons, in menu order.
  MainMenu *menu() const { return menu_; }
  void setMenu(MainMenu *menu);
  // The buttons made for the menu.
  const std::vector<ToolButton *> &menuButtons() const { return menuButtons_; }

  // Draws a button through the hook, or the default way.
  void drawButton(ToolButton &button, QPainter &painter);
  void drawDefaultButton(ToolButton &button, QPainter &painter) const;

  CustomDrawButtonEvent OnCustomDrawButton;
  CustomDrawEvent OnCustomDraw;

 protected:
  void alignControls() override;
  void paint(QPainter &painter) override;
  void notification(Component *component, Operation operation) override;

 private:
  void clearMenuButtons();
  void buildMenuButtons();
  void rebuildMenuButtons();
  void updateMenuButtons();

  ImageList *images_ = nullptr;
  ImageList *hotImages_ = nullptr;
  bool showCaptions_ = false;
  bool list_ = false;
  bool flat_ = false;
  bool wrapable_ = true;
  bool autoSize_ = false;
  bool transparent_ = false;
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  MainMenu *menu_ = nullptr;
  std::vector<ToolButton *> menuButtons_;
  QMetaObject::Connection menuConnection_;
  bool rebuildPending_ = false;
  int clickDepth_ = 0;
  friend class ToolButton;
};

}  // namespace ui
