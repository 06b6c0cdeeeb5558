#include "display_app/views/my_control.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <limits>

#include "platform/ui/color.h"

namespace morvit {
namespace {

constexpr int kMargin = 2;

int clampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Qt::CursorShape shapeOf(ZoneCursor cursor) {
  switch (cursor) {
    case ZoneCursor::SizeNWSE: return Qt::SizeFDiagCursor;
    case ZoneCursor::SizeNESW: return Qt::SizeBDiagCursor;
    case ZoneCursor::SizeNS: return Qt::SizeVerCursor;
    case ZoneCursor::SizeWE: return Qt::SizeHorCursor;
    case ZoneCursor::Default: break;
  }
  return Qt::ArrowCursor;
}

ui::MouseButton buttonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return ui::MouseButton::Right;
    case Qt::MiddleButton: return ui::MouseButton::Middle;
    default: return ui::MouseButton::Left;
  }
}

bool isTrackedButton(Qt::MouseButton b) {
  return b == Qt::LeftButton || b == Qt::RightButton || b == Qt::MiddleButton;
}

}  // namespace

// The rubber band: an outline over the whole parent, above its other
// children, that lets the mouse through.
class TMyControl::Band : public QWidget {
 public:
  explicit Band(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    setAttribute(Qt::WA_NoSystemBackground, true);
    setFocusPolicy(Qt::NoFocus);
  }
  void place(PlanePoint p1, PlanePoint p2) {
    corners_ = {p1, p2};
    if (parentWidget() != nullptr) setGeometry(parentWidget()->rect());
    raise();
    update();
  }
  const std::array<PlanePoint, 2> &corners() const { return corners_; }

 protected:
  void paintEvent(QPaintEvent *) override {
    const int l = std::min(corners_[0].x, corners_[1].x);
    const int t = std::min(corners_[0].y, corners_[1].y);
    const int r = std::max(corners_[0].x, corners_[1].x);
    const int b = std::max(corners_[0].y, corners_[1].y);
    QPainter p(this);
    // Light and dark dashes stay visible on any workspace colour.
    const QRect outline(QPoint(l, t), QPoint(std::max(r - 1, l), std::max(b - 1, t)));
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.drawRect(outline);
    QPen dark(QColor(0, 0, 0), 1);
    dark.setStyle(Qt::DashLine);
    p.setPen(dark);
    p.drawRect(outline);
  }

 private:
  std::array<PlanePoint, 2> corners_{};
};

TMyControl::TMyControl(ui::Component *owner) : ui::Control(owner) {
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setColor(platform::RGB(0, 128, 0));
  ui::Font f = controlFont();
  f.color = platform::clWhite;
  setControlFont(f);
  portText_ = QStringLiteral("PortA");
  setImageX(10);
  setImageY(10);
  setImageWidth(100);
  setImageHeight(100);
}

TMyControl::~TMyControl() {
  beginDestroy();
  cancelDrag();
  delete band_.data();
}

void TMyControl::dimensionsChanged() {
  if (OnDimensionsChange && !isDying()) OnDimensionsChange(this);
}

void TMyControl::setImageX(int value) {
  imageX_ = value;
  setLeft(clampToInt(int64_t{value} - kMargin));
  dimensionsChanged();
}

void TMyControl::setImageY(int value) {
  imageY_ = value;
  setTop(clampToInt(int64_t{value} - kMargin));
  dimensionsChanged();
}

void TMyControl::setImageWidth(int value) {
  imageWidth_ = value;
  setWidth(clampToInt(int64_t{value} + 2 * kMargin));
  handles_ = handleRects(width(), height());
  dimensionsChanged();
}

void TMyControl::setImageHeight(int value) {
  imageHeight_ = value;
  setHeight(clampToInt(int64_t{value} + 2 * kMargin));
  handles_ = handleRects(width(), height());
  dimensionsChanged();
}

int TMyControl::imageRight() const { return clampToInt(int64_t{imageX_} + imageWidth_); }

int TMyControl::imageBottom() const { return clampToInt(int64_t{imageY_} + imageHeight_); }

void TMyControl::setSelected(bool value) {
  if (selected_ == value) return;
  selected_ = value;
  update();
}

void TMyControl::setPortText(const QString &text) {
  if (portText_ == text) return;
  portText_ = text;
  update();
}

void TMyControl::paintExtra(QPainter &) {}

void TMyControl::paint(QPainter &painter) {
  if (isDestroying()) return;
  // No background: the margin shows the parent.
  const QRect image(kMargin, kMargin, std::max(imageWidth_, 0), std::max(imageHeight_, 0));
  painter.fillRect(image, ui::toQColor(color()));
  painter.setFont(font());
  const QFontMetrics metrics(font());
  auto textOn = [&](int x, int y, const QString &text, const QColor &background) {
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    painter.fillRect(box, background);
    painter.setPen(QColor(255, 0, 0));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  };
  textOn(4, 4, caption(), QColor(0, 0, 255));
  textOn(4, 18, portText_, QColor(0, 255, 0));
  painter.setBrush(Qt::NoBrush);
  const QRect outline = image.adjusted(0, 0, -1, -1);
  if (image.width() > 0 && image.height() > 0) {
    painter.setPen(QColor(0, 0, 0));
    painter.drawRect(outline);
  }
  paintExtra(painter);
  if (!selected_) return;
  const QColor maroon(128, 0, 0);
  if (image.width() > 0 && image.height() > 0) {
    painter.setPen(maroon);
    painter.drawRect(outline);
  }
  for (const EdgeRect &h : handles_) painter.fillRect(QRect(h.left, h.top, h.right - h.left, h.bottom - h.top), maroon);
}

void TMyControl::mousePressEvent(QMouseEvent *event) {
  if (!isTrackedButton(event->button())) return;
  if (drag_.active) {
    // Other buttons go unheard during a drag; a left press means the drag
    // lost its release.
    if (event->button() != Qt::LeftButton) return;
    cancelDrag();
  }
  QPointer<TMyControl> self(this);
  const QPoint p = event->position().toPoint();
  // OnMouseDown for any button; the view selects the rectangle there.
  mouseDown(buttonOf(event->button()), ui::shiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (self.isNull() || isDying() || event->button() != Qt::LeftButton) return;
  startDrag(event->globalPosition().toPoint());
}

void TMyControl::mouseDoubleClickEvent(QMouseEvent *) {
  // The second press of a double click has told OnMouseDown as a press;
  // it drags nothing.
  cancelDrag();
}

void TMyControl::mouseMoveEvent(QMouseEvent *event) {
  QPointer<TMyControl> self(this);
  ui::Control::mouseMoveEvent(event);
  if (self.isNull() || isDying()) return;
  if (drag_.active) {
    const QWidget *grabber = QWidget::mouseGrabber();
    if ((grabber != nullptr && grabber != this) || !(event->buttons() & Qt::LeftButton)) {
      cancelDrag();
      return;
    }
    moveBand(event->globalPosition().toPoint());
    return;
  }
  hotZone_ = hzNone;
  if (!selected_) {
    setCursor(Qt::ArrowCursor);
    return;
  }
  const QPoint p = event->position().toPoint();
  const HotZone zone = hotZoneAt(handles_, {p.x(), p.y()});
  hotZone_ = zone.zone;
  setCursor(shapeOf(zone.cursor));
}

void TMyControl::mouseReleaseEvent(QMouseEvent *event) {
  if (drag_.active && event->button() == Qt::LeftButton) {
    finishDrag(event->globalPosition().toPoint());
    return;
  }
  ui::Control::mouseReleaseEvent(event);
}

void TMyControl::hideEvent(QHideEvent *event) {
  cancelDrag();
  ui::Control::hideEvent(event);
}

std::array<PlanePoint, 2> TMyControl::bandCorners() const {
  return zoneCorners(drag_.zone, drag_.left, drag_.top, drag_.right, drag_.bottom, drag_.delta.x(), drag_.delta.y());
}

bool TMyControl::bandShown() const { return !band_.isNull() && band_->isVisible(); }

void TMyControl::startDrag(QPoint globalStart) {
  QWidget *parent = parentWidget();
  if (parent == nullptr) return;
  drag_ = {true, hotZone_, globalStart, QPoint(0, 0), imageX_, imageY_, imageRight(), imageBottom()};
  if (band_.isNull() || band_->parentWidget() != parent) {
    delete band_.data();
    band_ = new Band(parent);
  }
  const auto corners = bandCorners();
  band_->place(corners[0], corners[1]);
  band_->show();
  // Watches for the mouse going elsewhere: a grab taken, the window
  // deactivated.
  qApp->installEventFilter(this);
}

void TMyControl::moveBand(QPoint global) {
  drag_.delta = global - drag_.start;
  if (band_.isNull()) return;
  const auto corners = bandCorners();
  band_->place(corners[0], corners[1]);
}

void TMyControl::endDragState() {
  drag_.active = false;
  qApp->removeEventFilter(this);
  if (!band_.isNull()) band_->hide();
}

void TMyControl::cancelDrag() {
  if (!drag_.active) return;
  endDragState();
}

void TMyControl::finishDrag(QPoint global) {
  drag_.delta = global - drag_.start;
  const Drag done = drag_;
  endDragState();
  QPointer<TMyControl> self(this);
  for (const FieldSet &call :
       applyZone(done.zone, done.left, done.top, done.right, done.bottom, done.delta.x(), done.delta.y())) {
    switch (call.field) {
      case ImageField::X: setImageX(call.value); break;
      case ImageField::Y: setImageY(call.value); break;
      case ImageField::Width: setImageWidth(call.value); break;
      case ImageField::Height: setImageHeight(call.value); break;
    }
    // A handler may free the rectangle.
    if (self.isNull() || isDying()) return;
  }
  update();
  if (OnDragEnd) OnDragEnd(this);
}

bool TMyControl::eventFilter(QObject *watched, QEvent *event) {
  if (!drag_.active) return false;
  switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      // Mouse input reaching another widget: the drag lost the mouse.
      if (watched->isWidgetType() && watched != this) cancelDrag();
      break;
    case QEvent::WindowDeactivate:
      if (watched == window()) cancelDrag();
      break;
    case QEvent::ApplicationDeactivate:
      cancelDrag();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace morvit
