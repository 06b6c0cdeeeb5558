#pragma once
// TkwoImageButton: a push button drawn from four pictures of its own, one
// per state; a state without a picture shows PicNormal. The pictures are
// masked by their top-left pixel and drawn at (0,0), or stretched over the
// button. With AutoSize the button takes PicNormal's size once it has a
// parent. Its look does not change its face: UIStyle reads FromThemeFile.
#include <QPixmap>
#include <array>

#include "skin_toolkit/controls/kwo_button.h"

namespace kwo {

class TkwoImageButton : public TkwoCustomButton {
  Q_OBJECT
 public:
  explicit TkwoImageButton(ui::Component *owner);

  TkwoUIStyle uiStyle() const override { return TkwoUIStyle::FromThemeFile; }

  // Each setter copies the picture, then sizes the button to PicNormal
  // when AutoSize is on.
  const QPixmap &picNormal() const { return picNormal_; }
  void setPicNormal(const QPixmap &picture);
  const QPixmap &picMouseOn() const { return picMouseOn_; }
  void setPicMouseOn(const QPixmap &picture);
  const QPixmap &picMouseDown() const { return picMouseDown_; }
  void setPicMouseDown(const QPixmap &picture);
  const QPixmap &picDisabled() const { return picDisabled_; }
  void setPicDisabled(const QPixmap &picture);

  bool stretch() const { return stretch_; }
  void setStretch(bool value);
  bool drawFocused() const { return drawFocused_; }
  void setDrawFocused(bool value);

  // The picture a state shows: its own, else PicNormal (may be empty).
  const QPixmap &pictureFor(ButtonPicture picture) const;

 protected:
  void autoSizeToPicture() override;
  // Masked by the top-left pixel and, with Stretch, scaled to the button.
  void rebuildPictures() override;
  void drawPicture(QPainter &painter, ButtonPicture picture) override;
  void drawFocus(QPainter &painter) override;

 private:
  void storePicture(QPixmap &slot, const QPixmap &picture);

  QPixmap picNormal_;
  QPixmap picMouseOn_;
  QPixmap picMouseDown_;
  QPixmap picDisabled_;
  bool stretch_ = false;
  bool drawFocused_ = false;
  // Per state, what painting draws.
  std::array<QPixmap, 4> shown_;
};

}  // namespace kwo
