#pragma once
// TkwoTrackBar: a value slider drawn from the look's pictures, a bar
// stretched along the control and a slider that moves along it, with tick
// marks. Min <= Position <= Max always holds; OnChange fires whenever
// Position differs from the value it last reported, set by code or by the
// user. A press on the bar steps a page toward the press and repeats every
// 100 ms while held; the slider drags; the keys step by line and page.
// TkwoScrollTrackBar is the thumb area of a scroll bar: the same control
// keeping the pictures its owner gives it.
#include <QPixmap>
#include <QPoint>

#include "platform/ui/panel.h"
#include "platform/ui/timer.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoImagePanel;

enum class TkwoProgressBarOrientation : uint8_t { kwoHorizontal = 0, kwoVertical = 1 };

class TkwoTrackBar : public ui::Panel, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoTrackBar(ui::Component *owner);
  ~TkwoTrackBar() override;

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // MacOS also makes the bar Transparent (no other look undoes that).
  void setUIStyle(TkwoUIStyle style) override;

  TkwoProgressBarOrientation orientation() const { return orientation_; }
  void setOrientation(TkwoProgressBarOrientation value);
  bool horizontal() const { return orientation_ == TkwoProgressBarOrientation::kwoHorizontal; }

  const QPixmap &barImage() const { return barImage_; }
  // Refreshes, so a track bar that loads the look's pictures replaces it
  // at once.
  void setBarImage(const QPixmap &picture);
  const QPixmap &sliderImage() const;
  // Lasts until the next refresh (for a track bar that loads the look's).
  virtual void setSliderImage(const QPixmap &picture);

  int min() const { return min_; }
  int max() const { return max_; }
  int position() const { return position_; }
  // Max below Min becomes Min, Min above Max becomes Max; Position follows.
  void setMax(int value);
  void setMin(int value);
  void setPosition(int value);

  // Taken only within 0..Max (not Max - Min); otherwise ignored.
  int pageSize() const { return pageSize_; }
  void setPageSize(int value);
  int lineSize() const { return lineSize_; }
  void setLineSize(int value);

  int frequency() const { return frequency_; }
  void setFrequency(int value);
  bool showTick() const { return showTick_; }
  void setShowTick(bool value);
  bool transparent() const { return transparent_; }
  void setTransparent(bool value);
  bool tabStop() const { return tabStop_; }
  void setTabStop(bool value);

  // The value a point along the bar stands for (not clamped).
  int64_t valueAt(int x, int y) const;
  // The slider's place and size, in the bar's coordinates.
  QRect sliderRect() const;
  // The tick marks' pixel positions along the bar.
  std::vector<int> tickPositions() const;
  bool dragging() const { return dragging_; }
  bool repeating() const { return repeat_ != nullptr && repeat_->running(); }
  TkwoImagePanel *slider() const { return slider_; }

  bool wantsKey(int key, Qt::KeyboardModifiers modifiers) const override;
  bool acceptsFocus() const override { return true; }

  NotifyEvent OnChange;

 protected:
  // Loads the look's bar and slider pictures (from the skin file when the
  // style is FromThemeFile and one is loaded).
  virtual void loadThemeImages();
  virtual bool keepOwnImages() const { return false; }
  virtual bool isSliderTransparent() const { return horizontal(); }

  // Pictures, thickness, slider and a repaint.
  void refresh();
  void renderBarStrip();

  void paint(QPainter &painter) override;
  void resized() override;
  void colorChanged() override;
  void enabledChanged() override;
  void mouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseMove(ui::ShiftState shift, int x, int y) override;
  void mouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) override;
  void mouseLeave() override;
  void keyPressEvent(QKeyEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

 private:
  // Position held to Min..Max, stored, the slider placed; OnChange when it
  // differs from the last reported value.
  void storePosition(int64_t value);
  void updateSlider();
  void fitThickness();
  void stepTowardPoint(QPoint at, int64_t step);
  void repeatTick();
  void stopRepeat();
  void focusOnPress();

  QPixmap barImage_;
  QPixmap barStrip_;
  ui::Timer *repeat_ = nullptr;
  TkwoImagePanel *slider_ = nullptr;
  int min_ = 0;
  int max_ = 10;
  int position_ = 0;
  int lastReported_ = 0;
  TkwoProgressBarOrientation orientation_ = TkwoProgressBarOrientation::kwoHorizontal;
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  bool showTick_ = true;
  bool transparent_ = false;
  bool tabStop_ = true;
  bool dragging_ = false;
  bool refreshing_ = false;
  int frequency_ = 1;
  int pageSize_ = 2;
  int lineSize_ = 1;
  // Where the mouse was last seen over the bar: the repeat steps toward it.
  QPoint lastMouse_;
};

class TkwoScrollTrackBar : public TkwoTrackBar {
  Q_OBJECT
 public:
  explicit TkwoScrollTrackBar(ui::Component *owner);
  // The slider takes the size of its picture again.
  void refitSlider();

 protected:
  bool keepOwnImages() const override { return true; }
  bool isSliderTransparent() const override { return false; }
};

}  // namespace kwo
