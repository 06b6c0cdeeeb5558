#pragma once
// TMyControl: one picture window of the video processor on the view's
// workspace. A coloured rectangle with two lines of text that shows eight
// grab handles while selected; the left button moves it, or resizes it by
// the handle under the mouse, with a band drawn over the parent until the
// button comes up. The control's bounds enclose the picture rectangle with
// a 2-pixel margin, where the parent shows through.
#include <QPoint>
#include <QPointer>

#include "display_app/model/input_window_geometry.h"
#include "platform/ui/control.h"

namespace morvit {

class TMyControl : public ui::Control {
  Q_OBJECT
 public:
  explicit TMyControl(ui::Component *owner);
  ~TMyControl() override;

  // The picture rectangle in the parent's coordinates. Each setter fires
  // OnDimensionsChange, also when the value stays the same.
  int imageX() const { return imageX_; }
  void setImageX(int value);
  int imageY() const { return imageY_; }
  void setImageY(int value);
  int imageWidth() const { return imageWidth_; }
  void setImageWidth(int value);
  int imageHeight() const { return imageHeight_; }
  void setImageHeight(int value);
  int imageRight() const;
  int imageBottom() const;

  const HandleRects &handles() const { return handles_; }
  bool selected() const { return selected_; }
  void setSelected(bool value);
  // The handle under the mouse at its last move (0: none); held during a
  // drag.
  uint16_t hotZone() const { return hotZone_; }
  const QString &portText() const { return portText_; }
  void setPortText(const QString &text);

  bool dragging() const { return drag_.active; }
  // The band's corners in the parent's coordinates while dragging.
  std::array<PlanePoint, 2> bandCorners() const;
  bool bandShown() const;

  NotifyEvent OnDimensionsChange;
  NotifyEvent OnDragEnd;

 protected:
  // Drawn after the outline, before the selection; nothing here.
  virtual void paintExtra(QPainter &painter);

  void paint(QPainter &painter) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  class Band;
  struct Drag {
    bool active = false;
    uint16_t zone = hzNone;
    QPoint start;  // global
    QPoint delta;
    int left = 0, top = 0, right = 0, bottom = 0;
  };

  void dimensionsChanged();
  void startDrag(QPoint globalStart);
  void moveBand(QPoint global);
  void finishDrag(QPoint global);
  // The drag lost the mouse: the band goes, nothing is applied.
  void cancelDrag();
  void endDragState();

  int imageX_ = 0;
  int imageY_ = 0;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  HandleRects handles_{};
  bool selected_ = false;
  uint16_t hotZone_ = hzNone;
  QString portText_;
  Drag drag_;
  QPointer<Band> band_;
};

}  // namespace morvit
