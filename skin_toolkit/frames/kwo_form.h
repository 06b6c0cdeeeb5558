#pragma once
// The skinned frame of a form. Dropped on a form, it fills the form's client
// area, removes the platform caption and keeps a painted ring of three
// pixels round itself, hosts a title bar and, for a main menu, a menu bar of
// one caption button per top-level item. Other skinned controls of the form
// take their first look from it. A second frame on the same form stays a
// plain panel.
#include <QImage>
#include <QMetaObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <array>
#include <optional>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/panel.h"
#include "skin_toolkit/frames/frame_form.h"
#include "skin_toolkit/rules/frame_logic.h"
#include "skin_toolkit/themes/theme_client.h"

class QKeyEvent;

namespace ui {
class MainMenu;
class MdiChildEvent;
class ToolBar;
class ToolButton;
struct ToolButtonState;
}  // namespace ui

namespace kwo {

class TkwoTitleBar;

class TkwoForm : public ui::Panel, public ThemeClient, private ui::FormEventHook {
  Q_OBJECT
 public:
  explicit TkwoForm(ui::Component *owner);
  ~TkwoForm() override;

  // True for the frame that works for its form.
  bool isActiveFrame() const { return active_; }
  // The form, or null once it has begun to go away.
  ui::Form *form() const { return form_.get(); }
  TkwoTitleBar *titleBar() const { return titleBar_; }

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  void setUIStyle(TkwoUIStyle style) override;
  // Acts only on a changed reference: the same theme again changes nothing.
  void setFileTheme(TkwoFileTheme *theme) override;
  // Pass the look on to every direct child on each style change.
  bool uiStyleAutoUpdateSub() const { return uiStyleAutoUpdateSub_; }
  void setUIStyleAutoUpdateSub(bool value) { uiStyleAutoUpdateSub_ = value; }

  // The title bar's caption; setting it also sets the form's caption.
  QString caption() const;
  void setCaption(const QString &caption);
  // The title bar's font.
  ui::Font titleBarFont() const;
  void setTitleBarFont(const ui::Font &font);
  // False when there is no title bar.
  bool titleBarVisible() const;
  void setTitleBarVisible(bool value);
  // The title bar's height while it is shown, else 0.
  int titleBarHeight() const;
  // The title bar's corner radius; 0 while the title bar is hidden.
  int roundCorner() const;
  void setRoundCorner(int value);

  // The ring: the border strips of BorderWidth in BorderColor, the rest in
  // Color (the frame's client colour).
  platform::TColor borderColor() const { return borderColor_; }
  void setBorderColor(platform::TColor value);
  int borderWidth() const { return borderWidth_; }
  void setBorderWidth(int value);

  // --- Menu bar ---
  ui::MainMenu *menu() const { return menu_; }
  // A menu gets a menu bar (made when missing, then rebuilt); none removes it.
  void setMenu(ui::MainMenu *menu);
  ui::ToolBar *menuBar() const { return menuBar_; }
  const std::vector<ui::ToolButton *> &menuBarButtons() const { return menuButtons_; }
  platform::TColor menuBarColor() const { return menuBarColor_; }
  void setMenuBarColor(platform::TColor value);
  int menuBarHeight() const { return menuBarHeight_; }
  void setMenuBarHeight(int value);

  void createMenuBar();
  // One button per top-level item of the menu, in menu order.
  void rebuildMenuBar();
  // The buttons take their items' captions and enabled states.
  void updateMenuBarItems();
  void updateMenuBarFont();
  void removeMenuBar();

  // A panel that fills the client area (not owned).
  ui::Panel *formPanel() const { return formPanel_; }
  // The frame itself is refused with a message.
  void setFormPanel(ui::Panel *panel);

  QString version() const { return QStringLiteral("5.4"); }
  void setVersion(const QString &) {}

  // The form's bounds when the frame was made, and whether it was maximised.
  QRect restoreBounds() const { return restoreBounds_; }
  bool startedMaximized() const { return startedMaximized_; }

  // The ring as it is painted now, in the form's coordinates.
  std::vector<RingPiece> ringPieces() const;
  // Repaints the ring.
  void paintBorder();
  // Gives the form its shape: round top corners of RoundCorner.
  void updateRegion();

  // The application's key hook, installed by the first frame: Alt+Space
  // opens the title bar's system menu below the title bar; any other key
  // may be a shortcut of the menu. True when the key was used.
  bool appMessageHook(const QKeyEvent &key);
  // Runs the menu item whose shortcut the key is, only while the form is
  // active; true when one ran.
  bool handleShortCut(const QKeyEvent &key);
  // This frame installed the application's key hook.
  bool ownsMessageHook() const { return hookOwner_; }
  // The menu-bar button under the mouse as last seen, or null.
  ui::ToolButton *hotMenuButton() const;

 protected:
  void paint(QPainter &painter) override;
  void colorChanged() override;
  void notification(ui::Component *component, ui::Operation operation) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  // What the form's own window handling leaves to the frame.
  void formEvent(ui::Form &form, QEvent &event) override;
  void formResized(ui::Form &form);
  // An MDI child's steps: activation, its end, and its title bar giving
  // way to the MDI frame's buttons while it is maximised.
  void mdiChildEvent(ui::Form &form, const ui::MdiChildEvent &event);
  void mdiChildResized(ui::Form &form);
  // Scrolls the content by dy; aligned controls find their places again,
  // the others keep the shift.
  void shiftContent(int dy);
  void popUpSystemMenu();
  void trackMenuBarMouse(ui::ToolButton *button, QEvent &event);
  void themeRemoved();
  void paintRing(QPainter &painter);
  void moveTitleBarToTop();
  void drawMenuBarButton(ui::ToolButton &button, QPainter &painter, const ui::ToolButtonState &state);
  // True when it drew the MacOS menu-bar picture.
  bool drawMenuBarBackground(QPainter &painter, const QRect &rect);
  // The style the menu bar is drawn in: the main menu's, else the frame's.
  TkwoUIStyle menuStyle() const;

  bool active_ = false;
  bool destroying_ = false;
  FrameFormRef form_;
  TkwoTitleBar *titleBar_ = nullptr;
  ui::ToolBar *menuBar_ = nullptr;
  std::vector<ui::ToolButton *> menuButtons_;
  ui::MainMenu *menu_ = nullptr;
  ui::Panel *formPanel_ = nullptr;
  platform::TColor borderColor_ = 0;
  int borderWidth_ = 1;
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  platform::TColor menuBarColor_ = platform::clBtnFace;
  int menuBarHeight_ = 22;
  bool uiStyleAutoUpdateSub_ = false;
  QRect restoreBounds_;
  bool startedMaximized_ = false;
  // This frame's content is shifted for a maximised MDI child. One flag per
  // frame: another frame's child, or a form that started maximised, never
  // stops this one from shifting.
  bool mdiChildMoved_ = false;
  bool hookOwner_ = false;
  // The title bar's left, client and right pictures, read with the style.
  std::array<QImage, 3> titlePictures_;
  // The mouse over the menu bar as last seen, in the bar's coordinates.
  std::optional<QPoint> menuBarMouse_;
  QMetaObject::Connection themeGone_;
};

}  // namespace kwo
