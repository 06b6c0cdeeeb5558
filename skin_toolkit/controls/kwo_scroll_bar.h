#pragma once
// TkwoScrollBar: a scroll bar made of two picture arrow buttons and a
// scroll track between them whose slider is the thumb. Range, Position and
// PageSize live in the track; the bar adds the arrow steps (SmallChange a
// repeat while an arrow is held), the thumb picture and the layout. OnChange
// is the track's, so a handler receives the track as its sender.
// LargeChange and PageSize are one value, the track's PageSize; only
// PageSize rebuilds the thumb at once.
#include <QPixmap>
#include <cstdint>

#include "platform/ui/panel.h"
#include "skin_toolkit/controls/kwo_image_button.h"
#include "skin_toolkit/controls/kwo_track_bar.h"
#include "skin_toolkit/themes/theme_client.h"

namespace kwo {

class TkwoScrollBar : public ui::Panel, public ThemeClient {
  Q_OBJECT
 public:
  explicit TkwoScrollBar(ui::Component *owner);
  ~TkwoScrollBar() override;

 private:
  // First, so OnChange below can name its handler.
  TkwoScrollTrackBar *track_;

 public:
  // The track's own OnChange.
  ui::Control::NotifyEvent &OnChange;

  TkwoUIStyle uiStyle() const override { return uiStyle_; }
  // The look's background colour (the track follows), arrows, thumb and a
  // new layout.
  void setUIStyle(TkwoUIStyle style) override;

  TkwoProgressBarOrientation orientation() const { return orientation_; }
  void setOrientation(TkwoProgressBarOrientation value);
  bool vertical() const { return orientation_ == TkwoProgressBarOrientation::kwoVertical; }

  // The thumb's length in pixels; 0 or less: PageSize percent of the
  // track. A positive value below 18 is stored as 18; one longer than the
  // track is ignored.
  int lineButton() const { return lineButton_; }
  void setLineButton(int value);

  int min() const { return track_->min(); }
  void setMin(int value) { track_->setMin(value); }
  int max() const { return track_->max(); }
  void setMax(int value) { track_->setMax(value); }
  int position() const { return track_->position(); }
  void setPosition(int value);

  uint16_t smallChange() const { return smallChange_; }
  void setSmallChange(uint16_t value) { smallChange_ = value; }
  // PageSize's low 16 bits; setting it leaves the thumb as it is.
  uint16_t largeChange() const { return static_cast<uint16_t>(track_->pageSize() & 0xFFFF); }
  void setLargeChange(uint16_t value) { track_->setPageSize(value); }
  // Taken only within 0..Max; rebuilds the thumb.
  int pageSize() const { return track_->pageSize(); }
  void setPageSize(int value);

  TkwoScrollTrackBar *track() const { return track_; }
  TkwoImageButton *increaseButton() const { return increase_; }
  TkwoImageButton *decreaseButton() const { return decrease_; }
  // The length the track has for the thumb: the bar's extent less both
  // arrows'.
  int trackLength() const;

 protected:
  void resized() override;
  void colorChanged() override;
  void visibleChanged() override;
  void paint(QPainter &painter) override;

 private:
  void step(int delta);
  void loadPictures();
  void layout();
  void rebuildThumb();

  TkwoImageButton *increase_ = nullptr;
  TkwoImageButton *decrease_ = nullptr;
  QPixmap thumbStart_;
  QPixmap thumbMiddle_;
  QPixmap thumbEnd_;
  TkwoUIStyle uiStyle_ = TkwoUIStyle::DeepBlue;
  TkwoProgressBarOrientation orientation_ = TkwoProgressBarOrientation::kwoHorizontal;
  uint16_t smallChange_ = 1;
  int lineButton_ = 0;
  bool constructed_ = false;
  bool layingOut_ = false;
};

}  // namespace kwo
