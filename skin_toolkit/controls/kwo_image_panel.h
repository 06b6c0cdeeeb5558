#pragma once
// Picture panels. TkwoCustomPanel shows a picture (at its size, stretched
// or tiled) and a one-line caption placed by Alignment, and with
// Transparent lets its parent show through wherever it draws nothing; it is
// the base of the group boxes. TkwoImagePanel is the concrete one that
// views place for pictures and the track bar uses for its slider.
#include <QPixmap>
#include <QRect>

#include "platform/ui/label.h"
#include "platform/ui/panel.h"

namespace kwo {

enum class TkwoDrawStyle : uint8_t { kwoNormal = 0, kwoStretch = 1, kwoTile = 2 };

class TkwoCustomPanel : public ui::Panel {
  Q_OBJECT
 public:
  explicit TkwoCustomPanel(ui::Component *owner);
  ~TkwoCustomPanel() override;

  const QPixmap &picture() const { return picture_; }
  // Copies the picture; with AutoSize the panel takes its size.
  void setPicture(const QPixmap &picture);
  bool hasGraphic() const { return !picture_.isNull(); }

  bool transparent() const { return transparent_; }
  virtual void setTransparent(bool value);

  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool value);

  TkwoDrawStyle drawStyle() const { return drawStyle_; }
  void setDrawStyle(TkwoDrawStyle style);

  ui::TextAlignment alignment() const { return alignment_; }
  void setAlignment(ui::TextAlignment alignment);

  // Where the caption was drawn last (empty before it was drawn).
  QRect lastCaptionRect() const { return lastCaptionRect_; }

 protected:
  // The picture changed: size from it (AutoSize), match its transparency,
  // repaint.
  virtual void pictureChanged();
  // Sizes the panel from the picture along the sides its Align leaves free.
  void sizeFromPicture();
  // The panel's own painting: the parent (when transparent) or Color, the
  // picture, the caption.
  void paintPanel(QPainter &painter);

  void paint(QPainter &painter) override;
  void captionChanged() override { update(); }
  void resized() override;

 private:
  void drawPicture(QPainter &painter);
  void drawTiled(QPainter &painter, const QPixmap &picture);

  QPixmap picture_;
  // The picture as drawn: with the transparent flag, its background colour
  // (the bottom-left pixel) masked out.
  QPixmap shown_;
  bool transparent_ = false;
  bool autoSize_ = false;
  TkwoDrawStyle drawStyle_ = TkwoDrawStyle::kwoNormal;
  ui::TextAlignment alignment_ = ui::TextAlignment::Center;
  QRect lastCaptionRect_;
};

class TkwoImagePanel : public TkwoCustomPanel {
  Q_OBJECT
 public:
  explicit TkwoImagePanel(ui::Component *owner);
};

}  // namespace kwo
