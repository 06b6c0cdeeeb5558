#pragma once
// Skinned check box and radio button. Checked fires the control's OnClick:
// on a check box on every change, by code or by the user, unless the window
// is being built; on a radio button only when it becomes checked, after the
// radio buttons of the same parent and GroupIndex have been unchecked.
#include <QPixmap>
#include <array>

#include "skin_toolkit/controls/kwo_focus_control.h"
#include "skin_toolkit/rules/check_logic.h"

namespace kwo {

class TkwoCheckBox : public TkwoFocusControl {
  Q_OBJECT
 public:
  explicit TkwoCheckBox(ui::Component *owner);
  ~TkwoCheckBox() override;

  // Takes the size of the look's picture (from the skin file when the
  // style is FromThemeFile and one is loaded), then sizes and repaints.
  void setUIStyle(TkwoUIStyle style) override;

  bool checked() const { return checked_; }
  // The same value does nothing; a new one repaints and runs stateChanged().
  void setChecked(bool value);
  TCheckBoxState state() const { return CheckBoxStateOf(checked_); }
  // cbChecked checks, any other state unchecks.
  void setState(TCheckBoxState state) { setChecked(CheckedForState(state)); }

  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool value);

  // With AutoSize on, the size follows the caption, font and look; bounds
  // set from outside keep only their position.
  void setBounds(int left, int top, int width, int height) override;

  // One frame of the picture the look gave.
  Size pictureSize() const { return pictureSize_; }
  // The frame the present state shows (1..4).
  int pictureFrame() const { return CheckPictureFrame(checked_, isEnabled()); }

  // The user's click: toggles (no OnClick of its own; the change fires it).
  void click() override;
  bool dialogChar(QChar character) override;
  // The arrow keys reach the box also when Tab passes it by.
  bool acceptsFocus() const override { return true; }

 protected:
  virtual bool isRadio() const { return false; }
  // Whether the dotted focus rectangle is drawn: with TabStop on and the
  // focus here.
  virtual bool wantsFocusRect() const { return showsFocus(); }
  // A change of Checked: fires OnClick unless the window is being built.
  virtual void stateChanged();
  virtual void beforeToggle() {}
  virtual void toggle();
  // Whether Space toggles the control.
  virtual bool keyToggles() const { return true; }
  void fireClick();
  void applyAutoSize();

  void paint(QPainter &painter) override;
  void captionChanged() override;
  void fontChanged() override;
  void enabledChanged() override { update(); }
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void keyReleaseEvent(QKeyEvent *event) override;

 private:
  bool checked_ = false;
  bool autoSize_ = true;
  Size pictureSize_;
  // Frames 1..4 of the look's picture, as painting draws them.
  std::array<QPixmap, 4> frames_;
};

class TkwoRadioButton : public TkwoCheckBox {
  Q_OBJECT
 public:
  explicit TkwoRadioButton(ui::Component *owner);

  int groupIndex() const { return groupIndex_; }
  void setGroupIndex(int value) { groupIndex_ = value; }

  // Focus that arrives from an item of a radio group (the arrow keys moving
  // through the group) clicks the button; focus from anywhere else checks
  // nothing.
  void focusChanged(ui::Control *focused, ui::Control *previous) override;

 protected:
  bool isRadio() const override { return true; }
  void stateChanged() override;
  void toggle() override;
  bool keyToggles() const override { return false; }

 private:
  int groupIndex_ = 0;
};

}  // namespace kwo
