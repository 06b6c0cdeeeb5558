#include "platform/ui/scroll_box.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace ui {
namespace {

int barExtent(const QWidget *w) { return w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w); }

}  // namespace

ScrollBox::ScrollBox(Component *owner) : Control(owner) {
  horz_ = new QScrollBar(Qt::Horizontal, this);
  vert_ = new QScrollBar(Qt::Vertical, this);
  horz_->hide();
  vert_->hide();
  connect(horz_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!updating_) setHorzPosition(v);
  });
  connect(vert_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!updating_) setVertPosition(v);
  });
  setArrangesChildren(true);
  setBounds(0, 0, 185, 41);
}

ScrollBox::~ScrollBox() { beginDestroy(); }

QRect ScrollBox::innerRect() const {
  QRect r = rect();
  if (borderSingle_) r.adjust(2, 2, -2, -2);
  return r;
}

void ScrollBox::adjustClientRect(QRect &rect) const {
  if (borderSingle_) rect.adjust(2, 2, -2, -2);
  if (showVert_) rect.setRight(rect.right() - barExtent(this));
  if (showHorz_) rect.setBottom(rect.bottom() - barExtent(this));
}

void ScrollBox::setAutoScroll(bool value) {
  autoScroll_ = value;
  realign();
}

void ScrollBox::setHorzRange(int value) {
  autoScroll_ = false;
  horzRange_ = std::max(value, 0);
  updateBars();
}

void ScrollBox::setVertRange(int value) {
  autoScroll_ = false;
  vertRange_ = std::max(value, 0);
  updateBars();
}

void ScrollBox::setBorderSingle(bool value) {
  borderSingle_ = value;
  realign();
  update();
}

bool ScrollBox::horzScrollBarVisible() const { return showHorz_; }

bool ScrollBox::vertScrollBarVisible() const { return showVert_; }

void ScrollBox::scrollBy(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  // Moving the children one by one must not re-measure the range halfway.
  scrolling_ = true;
  for (Control *c : std::vector<Control *>(controls())) {
    if (c->align() == Align::None) c->setBounds(c->left() + dx, c->top() + dy, c->width(), c->height());
  }
  scrolling_ = false;
}

void ScrollBox::setHorzPosition(int value) {
  const int limit = std::max(horzRange_ - clientRect().width(), 0);
  value = std::clamp(value, 0, limit);
  if (value == horzPos_) return;
  const int delta = horzPos_ - value;
  horzPos_ = value;
  scrollBy(delta, 0);
  updateBars();
}

void ScrollBox::setVertPosition(int value) {
  const int limit = std::max(vertRange_ - clientRect().height(), 0);
  value = std::clamp(value, 0, limit);
  if (value == vertPos_) return;
  const int delta = vertPos_ - value;
  vertPos_ = value;
  scrollBy(0, delta);
  updateBars();
}

void ScrollBox::scrollInView(Control *child) {
  if (child == nullptr || child->parentControl() != this) return;
  const QRect client = clientRect();
  const QRect r = child->boundsRect();
  if (r.left() < client.left()) {
    setHorzPosition(horzPos_ - (client.left() - r.left()));
  } else if (r.right() > client.right()) {
    setHorzPosition(horzPos_ + std::min(r.right() - client.right(), r.left() - client.left()));
  }
  if (r.top() < client.top()) {
    setVertPosition(vertPos_ - (client.top() - r.top()));
  } else if (r.bottom() > client.bottom()) {
    setVertPosition(vertPos_ + std::min(r.bottom() - client.bottom(), r.top() - client.top()));
  }
}

void ScrollBox::alignControls() {
  if (scrolling_) return;
  Control::alignControls();
  if (autoScroll_) {
    // The content runs to the farthest child, in unscrolled coordinates.
    const QRect inner = innerRect();
    int right = 0;
    int bottom = 0;
    for (Control *c : controls()) {
      if (!c->visible() || c->align() != Align::None) continue;
      right = std::max(right, c->left() + c->width() - inner.left() + horzPos_);
      bottom = std::max(bottom, c->top() + c->height() - inner.top() + vertPos_);
    }
    horzRange_ = right;
    vertRange_ = bottom;
  }
  updateBars();
}

void ScrollBox::updateBars() {
  if (updating_ || isDying()) return;
  updating_ = true;
  const QRect inner = innerRect();
  const int extent = barExtent(this);
  // A bar needs room; one bar may make the other necessary.
  bool h = horzRange_ > inner.width();
  bool v = vertRange_ > inner.height();
  if (h && !v) v = vertRange_ > inner.height() - extent;
  if (v && !h) h = horzRange_ > inner.width() - extent;
  const bool changed = h != showHorz_ || v != showVert_;
  showHorz_ = h;
  showVert_ = v;
  const QRect client = clientRect();
  horz_->setVisible(h);
  vert_->setVisible(v);
  if (h) {
    horz_->setGeometry(inner.left(), inner.bottom() - extent + 1, client.width(), extent);
    horz_->setRange(0, std::max(horzRange_ - client.width(), 0));
    horz_->setPageStep(std::max(client.width(), 1));
    horz_->raise();
  }
  if (v) {
    vert_->setGeometry(inner.right() - extent + 1, inner.top(), extent, client.height());
    vert_->setRange(0, std::max(vertRange_ - client.height(), 0));
    vert_->setPageStep(std::max(client.height(), 1));
    vert_->raise();
  }
  updating_ = false;
  // A position beyond the new range scrolls back.
  setHorzPosition(horzPos_);
  setVertPosition(vertPos_);
  updating_ = true;
  horz_->setValue(horzPos_);
  vert_->setValue(vertPos_);
  updating_ = false;
  if (changed) realign();
}

void ScrollBox::paint(QPainter &painter) {
  Control::paint(painter);
  if (!borderSingle_) return;
  const QRect r = rect();
  painter.setPen(QColor(160, 160, 160));
  painter.drawLine(r.left(), r.top(), r.right(), r.top());
  painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
  painter.setPen(QColor(105, 105, 105));
  painter.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
  painter.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
  painter.setPen(QColor(255, 255, 255));
  painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
  painter.setPen(QColor(227, 227, 227));
  painter.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
  painter.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

}  // namespace ui
