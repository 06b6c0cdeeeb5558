#pragma once
// The skinned frame of an MDI frame form: a component placed on the form.
// Like the form frame it removes the platform caption, paints a ring round
// the form and shows a title bar and a menu bar; it also follows the MDI
// children: the active child's menu shows in its menu bar, a maximised
// child gets minimise, restore and close buttons at the right end of the
// menu bar, and the children are laid out again after the client's cascade
// and tile commands. Each child carries a TkwoForm of its own.
#include <QImage>
#include <QPointer>
#include <array>
#include <vector>

#include "platform/ui/component.h"
#include "platform/ui/form.h"
#include "platform/ui/mdi_client.h"
#include "skin_toolkit/frames/frame_form.h"
#include "skin_toolkit/frames/frame_paint.h"
#include "skin_toolkit/rules/frame_logic.h"
#include "skin_toolkit/themes/theme_client.h"

class QKeyEvent;

namespace ui {
class MainMenu;
class Panel;
class ToolBar;
class ToolButton;
}  // namespace ui

namespace kwo {

class TkwoTitleBar;
class TkwoToolBarSpeedButton;

// The child-window buttons' tags.
inline constexpr int kMdiCloseTag = -1381;
inline constexpr int kMdiRestoreTag = -1382;
inline constexpr int kMdiMinimizeTag = -1383;

class TkwoMDIForm : public ui::NonVisualComponent,
                    public ThemeClient,
                    private ui::FormEventHook,
                    private ui::MdiClientHook {
  Q_OBJECT
 public:
  // Throws std::invalid_argument when the owner is no form. A form of the
  // normal style becomes an MDI frame.
  explicit TkwoMDIForm(ui::Component *owner);
  ~TkwoMDIForm() override;

  // The form, or null once it has begun to go away.
  ui::Form *form() const { return form_.get(); }
  ui::MdiClient *mdiClient() const { return client_.data(); }
  TkwoTitleBar *titleBar() const { return titleBar_; }
  ui::Panel *menuPanel() const { return menuPanel_; }
  ui::ToolBar *menuBar() const { return menuBar_; }
  const std::vector<ui::ToolButton *> &menuBarButtons() const { return menuButtons_; }
  TkwoToolBarSpeedButton *closeButton() const { return childButtons_[0]; }
  TkwoToolBarSpeedButton *restoreButton() const { return childButtons_[1]; }
  TkwoToolBarSpeedButton *minimizeButton() const { return childButtons_[2]; }

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  void setUIStyle(TkwoUIStyle style) override;
  // Acts only on a changed reference: the same theme again changes nothing.
  void setFileTheme(TkwoFileTheme *theme) override;

  // The frame's own menu (not owned).
  ui::MainMenu *menu() const { return menu_; }
  void setMenu(ui::MainMenu *menu);
  // The menu the menu bar shows now: the frame's own or the active child's.
  ui::MainMenu *shownMenu() const { return shownMenu_; }
  // Shows the menu to show; with none the menu bar is hidden.
  void refreshMenu();

  platform::TColor menuBarColor() const { return menuBarColor_; }
  void setMenuBarColor(platform::TColor value);
  platform::TColor borderColor() const { return borderColor_; }
  void setBorderColor(platform::TColor value);
  // From the style; the MDI frame has no setter for it.
  int borderWidth() const { return borderWidth_; }
  int roundCorner() const { return roundCorner_; }
  void setRoundCorner(int value);

  // The form's caption; setting it also sets the title bar's.
  QString caption() const;
  void setCaption(const QString &caption);
  bool titleBarVisible() const;
  void setTitleBarVisible(bool value);
  // Stored only.
  bool titleBarDrawChildCaptions() const { return drawChildCaptions_; }
  void setTitleBarDrawChildCaptions(bool value) { drawChildCaptions_ = value; }
  // Show the active child's menu in the frame's menu bar.
  bool titleBarDrawChildMenus() const { return drawChildMenus_; }
  void setTitleBarDrawChildMenus(bool value) { drawChildMenus_ = value; }

  // The ring as it is painted now, in the form's coordinates.
  std::vector<RingPiece> ringPieces() const;
  void paintBorder();
  void updateRegion();

  // A key the menu shown may take as a shortcut; true when it did.
  bool handleShortCut(const QKeyEvent &key);
  bool ownsMessageHook() const { return hookOwner_; }

 protected:
  void notification(ui::Component *component, ui::Operation operation) override;

 private:
  void formEvent(ui::Form &form, QEvent &event) override;
  void mdiCommand(ui::MdiClient &client, ui::MdiCommand command, ui::Form *child) override;
  void createMenuBar();
  void removeMenuBar();
  void placeChildButtons();
  void childButtonClick(ui::Control *sender);
  void showChildButtons(ui::Form *child);
  void hideChildButtons();
  void layOutChildren(ui::MdiCommand command);
  ui::MainMenu *menuToShow() const;
  void moveTitleBarToTop();
  void captionFromForm();
  void paintRing(QPainter &painter);
  void drawMenuBarButton(ui::ToolButton &button, QPainter &painter, bool hot, bool selected);
  TkwoUIStyle menuStyle() const;

  bool destroying_ = false;
  FrameFormRef form_;
  QPointer<ui::MdiClient> client_;
  ui::Panel *menuPanel_ = nullptr;
  TkwoTitleBar *titleBar_ = nullptr;
  ui::ToolBar *menuBar_ = nullptr;
  std::vector<ui::ToolButton *> menuButtons_;
  bool hookOwner_ = false;
  // Close, restore, minimise.
  std::array<TkwoToolBarSpeedButton *, 3> childButtons_{};
  ui::MainMenu *shownMenu_ = nullptr;
  bool drawChildCaptions_ = true;
  bool drawChildMenus_ = true;
  ui::MainMenu *menu_ = nullptr;
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  platform::TColor menuBarColor_ = platform::clBtnFace;
  platform::TColor borderColor_ = 0;
  int borderWidth_ = 1;
  int roundCorner_ = 0;
  TitlePictures titlePictures_;
};

}  // namespace kwo
