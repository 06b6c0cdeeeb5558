#pragma once
// Skinned push buttons. TkwoCustomButton holds what every push button of the
// toolkit shares: the states (normal, mouse-over, pressed, disabled), the
// keyboard and mouse handling, the repeat while the left button is held and
// the double-buffered painting. TkwoButton is the themed button with an
// optional glyph.
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <array>
#include <functional>
#include <optional>

#include "platform/ui/timer.h"
#include "skin_toolkit/controls/kwo_focus_control.h"
#include "skin_toolkit/rules/button_logic.h"
#include "skin_toolkit/themes/theme_source.h"

namespace kwo {

class TkwoCustomButton : public TkwoFocusControl {
  Q_OBJECT
 public:
  explicit TkwoCustomButton(ui::Component *owner);
  ~TkwoCustomButton() override;

  // Reads the look's items from one source (the skin file when the style is
  // FromThemeFile and one is loaded), then applyUIStyle, then repaints.
  void setUIStyle(TkwoUIStyle style) override;

  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool value);
  bool isDefault() const { return default_; }
  void setDefault(bool value);
  bool cancel() const { return cancel_; }
  void setCancel(bool value);
  int modalResult() const { return modalResult_; }
  void setModalResult(int value) { modalResult_ = value; }
  int focusedRectMargin() const { return focusedRectMargin_; }
  void setFocusedRectMargin(int value);
  int mouseContinuouslyDownInterval() const { return repeatInterval_; }
  void setMouseContinuouslyDownInterval(int value) { repeatInterval_ = value; }

  // State.
  bool pressed() const { return pressed_; }
  bool mouseOver() const { return mouseOver_; }
  // True when Enter clicks this button.
  bool answersEnter() const { return answersEnter_; }
  // The picture the current state shows.
  ButtonPicture currentPicture() const { return PickButtonPicture(isEnabled(), pressed_, mouseOver_); }
  // The repeat that runs while the left button is held.
  ui::Timer &repeatTimer() { return repeatTimer_; }

  // Clears the pressed state, sets the form's ModalResult to this button's
  // (also 0) and runs OnClick.
  void click() override;

  bool dialogKey(int key, Qt::KeyboardModifiers modifiers) override;
  bool dialogChar(QChar character) override;
  void focusChanged(ui::Control *focused, ui::Control *previous) override;

  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseExit;
  NotifyEvent OnMouseContinuouslyDown;

 protected:
  // The look's hooks; each does nothing unless a button class says more.
  virtual void autoSizeToPicture();
  virtual void applyUIStyle() {}
  // Where the look's items come from: inside applyUIStyle the source of the
  // running update, elsewhere the present style's.
  virtual void drawPicture(QPainter &painter, ButtonPicture picture);
  virtual void drawCaption(QPainter &painter);
  virtual void drawFocus(QPainter &painter);

  ThemeSource themeSource() const;
  // Builds what painting draws from the look's frames, the size and the
  // transparency; runs whenever one of them changes, never while painting.
  virtual void rebuildPictures();

  // Frame 1, 2 or 3 of the look's button picture for a state (frame 1 for
  // disabled); an empty 74 x 21 picture when the look has none.
  const QImage &stateFrame(ButtonPicture picture) const;
  // The picture masked by the colour of its top-left pixel, unless it has
  // transparency of its own.
  static QPixmap cornerMasked(const QPixmap &picture);
  // A centred one-line caption, disabled and pressed as the states show it.
  void drawCentredCaption(QPainter &painter);
  // The caption at a given origin.
  void drawCaptionAt(QPainter &painter, int x, int y);
  void drawCaptionText(QPainter &painter, const QRect &box, int flags);

  void paint(QPainter &painter) override;
  void resized() override;
  void captionChanged() override { update(); }
  void enabledChanged() override;
  void mouseEnter() override;
  void mouseLeave() override;
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseMove(ui::ShiftState shift, int x, int y) override;
  void mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void keyPressEvent(QKeyEvent *event) override;
  void keyReleaseEvent(QKeyEvent *event) override;
  void transparentChanged() override;
  void hideEvent(QHideEvent *event) override;

  // Visible and enabled up to the top: Enter, Escape and clicks may focus it.
  bool canTakeFocus() const;
  // Ends a press: no repeat, not pressed.
  void releasePress();

  bool boldCaption_ = false;
  bool pictureTransparent_ = false;

 private:
  // The three frames of the look's button picture.
  void takeFrames(const ThemeSource &source);

  void stopRepeat() { repeatTimer_.stop(); }

  bool autoSize_ = false;
  bool cancel_ = false;
  bool default_ = false;
  int modalResult_ = 0;
  int focusedRectMargin_ = 2;
  int repeatInterval_ = 100;
  bool answersEnter_ = false;
  bool mouseOver_ = false;
  bool pressed_ = false;
  std::array<QImage, 3> frames_;
  // Per state: the frame at its size, masked when the picture is
  // transparent, greyed when disabled.
  std::array<QPixmap, 4> shown_;
  // Set for the length of a style update.
  std::optional<ThemeSource> updateSource_;
  ui::Timer repeatTimer_{nullptr};
};

class TkwoButton : public TkwoCustomButton {
  Q_OBJECT
 public:
  explicit TkwoButton(ui::Component *owner);

  const QPixmap &glyph() const { return glyph_; }
  void setGlyph(const QPixmap &glyph);
  ButtonLayout layout() const { return layout_; }
  void setLayout(ButtonLayout layout);
  int spacing() const { return spacing_; }
  void setSpacing(int value);
  // Kept for stored forms: reads 0, writes are ignored.
  unsigned resHandle() const { return 0; }
  void setResHandle(unsigned) {}

  // Where the glyph and the caption go in the button's present state.
  GlyphPlacement glyphPlacement() const;

 protected:
  // Transparent from the look's ButtonTransparentBool.
  void applyUIStyle() override;
  void rebuildPictures() override;
  void drawPicture(QPainter &painter, ButtonPicture picture) override;
  void drawCaption(QPainter &painter) override;
  void drawFocus(QPainter &painter) override;

 private:
  QPixmap glyph_;
  // The glyph's frame shown while enabled and the one shown while disabled
  // (its second frame, or the first greyed), both masked.
  QPixmap enabledGlyph_;
  QPixmap disabledGlyph_;
  // Per state, the nine-grid face over the whole button.
  std::array<QPixmap, 4> faces_;
  ButtonLayout layout_ = ButtonLayout::blGlyphLeft;
  int spacing_ = 4;
  Point captionOrigin_;
};

}  // namespace kwo
