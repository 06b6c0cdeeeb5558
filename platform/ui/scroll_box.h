#pragma once
// A container whose children may lie beyond its edges; scroll bars appear
// when they do, and scrolling moves the children. The range comes from the
// children's extent (AutoScroll) or is set by code.
#include "platform/ui/control.h"

class QScrollBar;

namespace ui {

class ScrollBox : public Control {
  Q_OBJECT
 public:
  explicit ScrollBox(Component *owner);
  ~ScrollBox() override;

  // With AutoScroll the ranges follow the children (the default).
  bool autoScroll() const { return autoScroll_; }
  void setAutoScroll(bool value);
  // Content width and height; setting one turns AutoScroll off.
  int horzRange() const { return horzRange_; }
  void setHorzRange(int value);
  int vertRange() const { return vertRange_; }
  void setVertRange(int value);
  // How far the content is scrolled, clamped to 0..range - client size.
  int horzPosition() const { return horzPos_; }
  void setHorzPosition(int value);
  int vertPosition() const { return vertPos_; }
  void setVertPosition(int value);
  // A sunken 2-pixel edge (true, the default) or none.
  bool borderSingle() const { return borderSingle_; }
  void setBorderSingle(bool value);

  bool horzScrollBarVisible() const;
  bool vertScrollBarVisible() const;
  QScrollBar *horzScrollBar() const { return horz_; }
  QScrollBar *vertScrollBar() const { return vert_; }

  // Scrolls so that the child lies inside the visible area.
  void scrollInView(Control *child);

 protected:
  void adjustClientRect(QRect &rect) const override;
  void alignControls() override;
  void paint(QPainter &painter) override;

 private:
  void updateBars();
  void scrollBy(int dx, int dy);
  QRect innerRect() const;

  QScrollBar *horz_ = nullptr;
  QScrollBar *vert_ = nullptr;
  bool autoScroll_ = true;
  bool borderSingle_ = true;
  int horzRange_ = 0;
  int vertRange_ = 0;
  int horzPos_ = 0;
  int vertPos_ = 0;
  bool showHorz_ = false;
  bool showVert_ = false;
  bool updating_ = false;
  bool scrolling_ = false;
};

}  // namespace ui
