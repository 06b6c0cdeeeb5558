#pragma once
// The caption strip of a skinned form: the caption, a row of buttons at the
// right end (close, maximise/restore, minimise, help, custom) and a control
// box at the left end. Dragging the empty bar moves the form, a double click
// maximises or restores it.
#include <QPointer>
#include <functional>
#include <vector>

#include "frame_logic.h"
#include "panel.h"
#include "themes/theme_client.h"

namespace ui {
class PopupMenu;
}

namespace kwo {

class TkwoTitleBar;

// Sender, index of the button in the bar.
using TkwoTitleBarButtonClickEvent = std::function<void(TkwoTitleBar *sender, int buttonIndex)>;

struct TkwoTitleBarButton {
  TkwoTitleBarBtnType buttonType = TkwoTitleBarBtnType::kwoCustom;
  bool visible = true;
  bool transparent = false;
  int top = 2;
  TkwoUIStyle uiStyle = TkwoUIStyle::DeepBlue;
  QPointer<ui::PopupMenu> controlBoxMenu;
};

class TkwoTitleBar : public ui::Panel, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoTitleBar(ui::Component *owner);

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  void setUIStyle(TkwoUIStyle style) override;
  // The built-in look the bar draws with.
  TkwoUIStyle look() const { return BuiltInLookOf(uiStyle_); }

  // A custom bar keeps its buttons, offsets and font colour on style changes.
  bool custom() const { return custom_; }
  void setCustom(bool value) { custom_ = value; }
  bool autoSize() const { return autoSize_; }
  // Whatever the value, the height follows the look's title picture.
  void setAutoSize(bool value);
  int buttonInterval() const { return buttonInterval_; }
  void setButtonInterval(int value);
  bool formActive() const { return formActive_; }
  void setFormActive(bool value);
  int leftBtnXOffset() const { return leftBtnXOffset_; }
  void setLeftBtnXOffset(int value);
  int rightBtnXOffset() const { return rightBtnXOffset_; }
  void setRightBtnXOffset(int value);
  int roundCorner() const { return roundCorner_; }
  void setRoundCorner(int value) { roundCorner_ = value; }
  bool drawAppIcon() const { return drawAppIcon_; }
  void setDrawAppIcon(bool value);

  // --- Buttons ---
  int buttonCount() const { return static_cast<int>(buttons_.size()); }
  // Bad indexes give a default button.
  TkwoTitleBarButton button(int index) const;
  // Adds a button; returns its index (-1 when a second control box is
  // refused with a message).
  int addButton(TkwoTitleBarBtnType type);
  void setButtonVisible(int index, bool visible);
  // Refuses a second control box with a message and leaves the button.
  void setButtonType(int index, TkwoTitleBarBtnType type);
  void setButtonControlBoxMenu(int index, ui::PopupMenu *menu);

  // --- State and geometry ---
  int hotButton() const { return hotButton_; }
  bool mouseIsDown() const { return mouseIsDown_; }
  int buttonTop() const { return buttonTop_; }
  int buttonImageHeight() const { return buttonImageHeight_; }
  // The bar lies in a skinned frame.
  bool inSkinnedFrame() const;
  TitleBarLayout buttonLayout() const;
  // The plain colour the bar is painted in (the frame continues it).
  QColor plainColor() const;

  // Runs a button's action on the parent form: maximise or restore,
  // minimise, close, or the control box's menu.
  void performAction(int index);

  TkwoTitleBarButtonClickEvent OnCustomBtnsClick;
  TkwoTitleBarButtonClickEvent OnHelpBtnClick;

 protected:
  void paint(QPainter &painter) override;
  void fontChanged() override { update(); }
  void captionChanged() override { update(); }
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseMove(ui::ShiftState shift, int x, int y) override;
  void mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseLeave() override;
  void dblClick() override;

 private:
  void paintButton(QPainter &painter, const TkwoTitleBarButton &button, const Rect &r, bool hot);
  bool formMaximized() const;

  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  std::vector<TkwoTitleBarButton> buttons_;
  bool autoSize_ = false;
  int buttonInterval_ = 0;
  bool formActive_ = true;
  int leftBtnXOffset_ = 0;
  int rightBtnXOffset_ = 0;
  int roundCorner_ = 0;
  bool drawAppIcon_ = false;
  bool custom_ = false;
  bool mouseIsDown_ = false;
  int hotButton_ = -1;
  int buttonImageHeight_ = 0;
  int buttonTop_ = 0;
};

}  // namespace kwo
