#pragma once
// A plain panel: a container with an optional outer and inner bevel and a
// border, which the client area lies inside.
#include "platform/ui/control.h"

namespace ui {

enum class Bevel { None, Lowered, Raised };

class Panel : public Control {
  Q_OBJECT
 public:
  explicit Panel(Component *owner);

  Bevel bevelOuter() const { return bevelOuter_; }
  void setBevelOuter(Bevel bevel);
  Bevel bevelInner() const { return bevelInner_; }
  void setBevelInner(Bevel bevel);
  int bevelWidth() const { return bevelWidth_; }
  void setBevelWidth(int width);
  int borderWidth() const { return borderWidth_; }
  void setBorderWidth(int width);
  // Removes both bevels and the border.
  void setPlain();

 protected:
  void adjustClientRect(QRect &rect) const override;
  // The background, the bevels and the caption centred inside them.
  void paint(QPainter &painter) override;
  // The background and the bevels; returns the rectangle inside them.
  QRect paintFrame(QPainter &painter);
  // Draws one bevel ring of bevelWidth() inside rect, then shrinks rect.
  void paintBevel(QPainter &painter, QRect &rect, Bevel bevel) const;
  void edgesChanged();

 private:
  Bevel bevelOuter_ = Bevel::Raised;
  Bevel bevelInner_ = Bevel::None;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
};

}  // namespace ui
