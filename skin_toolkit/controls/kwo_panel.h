#pragma once
// TkwoPanel: a bordered box with a themed caption bar whose push/pop button
// folds the panel up to the bar and unfolds it again, 15 pixels a step.
// fullHeight() is the panel's Height as the windows set it: the unfolded
// height, remembered while the panel is folded.
#include <QMetaObject>
#include <QPixmap>
#include <functional>

#include "platform/ui/panel.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoPanel : public ui::Panel, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoPanel(ui::Component *owner);
  ~TkwoPanel() override;

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // White background; the caption bar, border and caption colour of the
  // look; then the full height once less and back, so the children align
  // to the new bar. The style does not reach the children.
  void setUIStyle(TkwoUIStyle style) override;
  // Stores the theme; it restyles the panel only while the style is
  // FromThemeFile. When the theme goes away, the children lose it and take
  // DeepBlue, and so does the panel.
  void setFileTheme(TkwoFileTheme *theme) override;

  platform::TColor borderColor() const { return borderColor_; }
  void setBorderColor(platform::TColor color);
  platform::TColor captionFontColor() const { return captionFontColor_; }
  void setCaptionFontColor(platform::TColor color);
  bool showButton() const { return showButton_; }
  void setShowButton(bool value);

  // The full (unfolded) height. A folded panel keeps its size and
  // remembers the new value for the next pop.
  int fullHeight() const { return fullHeight_; }
  void setFullHeight(int value);

  bool unfolded() const { return unfolded_; }
  bool animating() const { return animating_; }
  // The caption bar's height (20 without a bar picture).
  int barHeight() const;
  // Whether the push/pop button is drawn: ShowButton and an Align that
  // leaves the height free.
  bool buttonShown() const;
  bool buttonHot() const { return buttonHot_; }

  // Folds the panel to its caption bar, then fires OnPush. Throws
  // std::logic_error for a panel aligned Client, Left or Right and changes
  // nothing; does nothing while a fold or
  // unfold runs.
  void push();
  // Unfolds it to the full height, then fires OnPop; nothing while
  // animating.
  void pop();

  NotifyEvent OnPush;
  NotifyEvent OnPop;

 protected:
  void adjustClientRect(QRect &rect) const override;
  void paint(QPainter &painter) override;
  void resized() override;
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseMove(ui::ShiftState shift, int x, int y) override;
  void mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseLeave() override;

 private:
  // Steps through the heights, painting and handling pending events
  // between them; false when the panel went away meanwhile.
  bool animateTo(int target);
  bool buttonHitAt(QPoint at) const;
  // The button's frame and hot rectangle: what a change of hot repaints.
  QRect buttonRect() const;
  void setButtonHot(bool hot);

  void fileThemeDestroyed();

  platform::TColor borderColor_ = 0;
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  // Set while a new file theme applies the style again.
  bool takingFileTheme_ = false;
  QMetaObject::Connection themeWatch_;
  QPixmap barPicture_;
  QPixmap buttonPicture_;
  bool showButton_ = true;
  bool buttonHot_ = false;
  bool unfolded_ = true;
  int fullHeight_ = 100;
  bool animating_ = false;
  platform::TColor captionFontColor_ = 0;
};

}  // namespace kwo
