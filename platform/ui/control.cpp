#include "platform/ui/control.h"

#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_bridge.h"

namespace ui {

ShiftState shiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  ShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

namespace {

MouseButton buttonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::Left;
  }
}

bool isTrackedButton(Qt::MouseButton b) {
  return b == Qt::LeftButton || b == Qt::RightButton || b == Qt::MiddleButton;
}

}  // namespace

Control::Control(Component *owner) : QWidget(nullptr), Component(owner) {
  QWidget::setGeometry(0, 0, 100, 30);
  lastSize_ = size();
  QWidget::setFont(toQFont(font_));
}

Control::~Control() {
  beginDestroy();
  bridge_.reset();
  destroyComponents();
  // Children still here belong to others; they must not reach back into this
  // control once its members are gone.
  for (Control *child : controls_) child->parentGone_ = true;
  controls_.clear();
  if (!parentGone_) {
    if (Control *parent = parentControl()) parent->childRemoved(this);
  }
}

Control *Control::parentControl() const {
  if (parentGone_) return nullptr;
  return qobject_cast<Control *>(parentWidget());
}

Control *Control::control(int index) const {
  if (index < 0 || index >= controlCount()) return nullptr;
  return controls_[static_cast<size_t>(index)];
}

void Control::childRemoved(Control *child) {
  auto it = std::find(controls_.begin(), controls_.end(), child);
  if (it == controls_.end()) return;
  controls_.erase(it);
  if (!isDestroying() && (child->align() != Align::None || arrangesChildren_) && child->visible()) realign();
}

void Control::setParentControl(Control *parent) {
  Control *old = parentControl();
  if (old == parent && (parent != nullptr || parentWidget() == nullptr)) return;
  if (parent == this) return;
  for (Control *p = parent; p != nullptr; p = p->parentControl()) {
    if (p == this) return;  // a control cannot lie inside itself
  }
  if (old != nullptr) {
    auto it = std::find(old->controls_.begin(), old->controls_.end(), this);
    if (it != old->controls_.end()) old->controls_.erase(it);
  }
  {
    KeepVisibleFlag keep(*this);
    QWidget::setParent(parent);
  }
  parentGone_ = false;
  if (parent != nullptr) parent->controls_.push_back(this);
  parentPropertiesChanged();
  applyVisible();
  if (old != nullptr && (align_ != Align::None || old->arrangesChildren_)) old->realign();
  if (placedByParent()) parent->realign();
}

void Control::bringToFront() {
  if (Control *parent = parentControl()) {
    auto &list = parent->controls_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it != list.end()) {
      list.erase(it);
      list.push_back(this);
    }
    if (placedByParent()) parent->realign();
  }
  raise();
}

void Control::sendToBack() {
  if (Control *parent = parentControl()) {
    auto &list = parent->controls_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it != list.end()) {
      list.erase(it);
      list.insert(list.begin(), this);
    }
    if (placedByParent()) parent->realign();
  }
  lower();
}

Form *Control::parentForm() const {
  for (QWidget *w = const_cast<Control *>(this); w != nullptr; w = w->parentWidget()) {
    if (auto *form = qobject_cast<Form *>(w)) return form;
  }
  return nullptr;
}

void Control::applyVisible() {
  if (parentWidget() != nullptr) QWidget::setVisible(visible_);
}

void Control::setVisible(bool visible) {
  if (keepingVisibleFlag()) {
    QWidget::setVisible(visible);
    return;
  }
  const bool changed = visible_ != visible;
  visible_ = visible;
  applyVisible();
  if (!changed) return;
  visibleChanged();
  if (placedByParent()) parentControl()->realign();
}

void Control::setBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  constrainSize(width, height);
  width = std::max(width, 0);
  height = std::max(height, 0);
  const QRect before = geometry();
  QWidget::setGeometry(left, top, width, height);
  if (size() != lastSize_) sizeChanged();
  if (geometry() != before && placedByParent() && !parentControl()->aligning_) parentControl()->realign();
}

void Control::sizeChanged() {
  lastSize_ = size();
  realign();
  if (!isDying()) resized();
}

void Control::resized() {
  if (OnResize) OnResize(this);
}

void Control::setAlign(Align align) {
  if (align_ == align) return;
  align_ = align;
  if (Control *parent = parentControl()) parent->realign();
}

QRect Control::clientRect() const {
  QRect r = rect();
  adjustClientRect(r);
  return r;
}

void Control::adjustClientRect(QRect &) const {}

bool Control::placedByParent() const {
  Control *parent = parentControl();
  return parent != nullptr && (align_ != Align::None || parent->arrangesChildren_);
}

void Control::realign() {
  if (aligning_ || isDestroying() || controls_.empty()) return;
  aligning_ = true;
  alignControls();
  aligning_ = false;
}

void Control::alignControls() {
  const QRect client = clientRect();
  std::vector<AlignedItem> items;
  items.reserve(controls_.size());
  for (Control *c : controls_) {
    items.push_back({c->align_, c->visible_, {c->x(), c->y(), c->width(), c->height()},
                     [c](int &w, int &h) { c->constrainSize(w, h); }});
  }
  const std::vector<Bounds> placed =
      AlignLayout({client.x(), client.y(), client.width(), client.height()}, items);
  // Children may leave while they are placed (a resize handler freeing one).
  const std::vector<Control *> children = controls_;
  for (size_t i = 0; i < children.size(); ++i) {
    if (items[i].align == Align::None || !items[i].visible) continue;
    if (std::find(controls_.begin(), controls_.end(), children[i]) == controls_.end()) continue;
    const Bounds &b = placed[i];
    if (b != items[i].bounds) children[i]->setBounds(b.left, b.top, b.width, b.height);
  }
}

void Control::setColor(platform::TColor color) {
  parentColor_ = false;
  if (color_ == color) return;
  color_ = color;
  colorChanged();
  for (Control *c : controls_) {
    if (c->parentColor_) c->parentPropertiesChanged();
  }
}

void Control::setParentColor(bool value) {
  parentColor_ = value;
  if (value) parentPropertiesChanged();
}

void Control::setControlFont(const Font &font) {
  parentFont_ = false;
  font_ = font;
  QWidget::setFont(toQFont(font_));
  fontChanged();
  for (Control *c : controls_) {
    if (c->parentFont_) c->parentPropertiesChanged();
  }
}

void Control::setParentFont(bool value) {
  parentFont_ = value;
  if (value) parentPropertiesChanged();
}

void Control::parentPropertiesChanged() {
  Control *parent = parentControl();
  if (parent == nullptr) return;
  if (parentColor_ && color_ != parent->color_) {
    color_ = parent->color_;
    colorChanged();
  }
  if (parentFont_ && !(font_ == parent->font_)) {
    font_ = parent->font_;
    QWidget::setFont(toQFont(font_));
    fontChanged();
  }
  for (Control *c : controls_) {
    if (c->parentColor_ || c->parentFont_) c->parentPropertiesChanged();
  }
}

void Control::setCaption(const QString &caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  captionChanged();
}

void Control::setHint(const QString &hint) {
  hint_ = hint;
  setToolTip(hint);
}

void Control::setPopupMenu(PopupMenu *menu) {
  if (popupMenu_ != nullptr) unwatch(popupMenu_);
  popupMenu_ = menu;
  if (menu != nullptr) watch(menu);
}

void Control::notification(Component *component, Operation operation) {
  if (operation == Operation::Remove && component == popupMenu_) popupMenu_ = nullptr;
}

bool Control::canFocus() const {
  if (focusPolicy() == Qt::NoFocus || !isEnabled()) return false;
  for (const Control *c = this; c != nullptr; c = c->parentControl()) {
    if (!c->visible_) return false;
  }
  return true;
}

HWND Control::handle() {
  if (isDestroying()) return bridge_ ? bridge_->handle() : 0;
  if (!bridge_) {
    bridge_ = std::make_unique<MessageBridge>([this](const platform::WindowMessage &message) -> LRESULT {
      if (isDestroying()) return 0;
      return windowMessage(message);
    });
  }
  return bridge_->handle();
}

void Control::destroyHandle() { bridge_.reset(); }

LRESULT Control::windowMessage(const platform::WindowMessage &) { return 0; }

bool Control::wantsKey(int, Qt::KeyboardModifiers) const { return false; }

bool Control::acceptsFocus() const { return focusPolicy() != Qt::NoFocus; }

bool Control::canHoldFocus() const {
  if (!isEnabled() || !acceptsFocus()) return false;
  for (const Control *c = this; c != nullptr; c = c->parentControl()) {
    if (!c->visible_) return false;
  }
  return true;
}

bool Control::dialogKey(int key, Qt::KeyboardModifiers modifiers) {
  const std::vector<Control *> children = controls_;
  for (Control *c : children) {
    if (c->visible_ && c->dialogKey(key, modifiers)) return true;
  }
  return false;
}

bool Control::dialogChar(QChar character) {
  const std::vector<Control *> children = controls_;
  for (Control *c : children) {
    if (c->visible_ && c->dialogChar(character)) return true;
  }
  return false;
}

void Control::focusChanged(Control *focused, Control *previous) {
  // A control told of the focus may click itself, and a handler free
  // others: only those still alive hear of it.
  std::vector<QPointer<Control>> children(controls_.begin(), controls_.end());
  for (const QPointer<Control> &c : children) {
    if (!c.isNull() && !c->isDying()) c->focusChanged(focused, previous);
  }
}

void Control::click() {
  if (OnClick && !isDying()) OnClick(this);
}

void Control::dblClick() {
  if (OnDblClick && !isDying()) OnDblClick(this);
}

void Control::mouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (OnMouseDown && !isDying()) OnMouseDown(this, button, shift, x, y);
}

void Control::mouseMove(ShiftState shift, int x, int y) {
  if (OnMouseMove && !isDying()) OnMouseMove(this, shift, x, y);
}

void Control::mouseUp(MouseButton button, ShiftState shift, int x, int y) {
  if (OnMouseUp && !isDying()) OnMouseUp(this, button, shift, x, y);
}

void Control::paint(QPainter &painter) {
  const QColor c = toQColor(color_);
  if (c.isValid()) painter.fillRect(rect(), c);
}

bool Control::event(QEvent *event) {
  // A handler's exception ends here, inside our own frames.
  try {
    return QWidget::event(event);
  } catch (...) {
    if (Application *app = Application::instance()) {
      app->showException(std::current_exception());
      return true;
    }
    throw;
  }
}

void Control::paintEvent(QPaintEvent *) {
  if (isDestroying()) return;
  QPainter painter(this);
  paint(painter);
}

void Control::resizeEvent(QResizeEvent *) {
  if (size() != lastSize_) sizeChanged();
}

void Control::changeEvent(QEvent *event) {
  // A disabled control gets no release: the press it had ends here, so a
  // release after it is enabled again is no click.
  if (event->type() == QEvent::EnabledChange && !isEnabled()) leftDown_ = false;
  if (event->type() == QEvent::EnabledChange && !isDestroying()) enabledChanged();
  QWidget::changeEvent(event);
}

void Control::mousePressEvent(QMouseEvent *event) {
  if (!isTrackedButton(event->button())) return;
  if (event->button() == Qt::LeftButton) leftDown_ = true;
  const QPoint p = event->position().toPoint();
  mouseDown(buttonOf(event->button()), shiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void Control::mouseMoveEvent(QMouseEvent *event) {
  const QPoint p = event->position().toPoint();
  mouseMove(shiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void Control::mouseReleaseEvent(QMouseEvent *event) {
  if (!isTrackedButton(event->button())) return;
  const QPoint p = event->position().toPoint();
  QPointer<Control> self(this);
  mouseUp(buttonOf(event->button()), shiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (self.isNull() || event->button() != Qt::LeftButton) return;
  const bool wasDown = std::exchange(leftDown_, false);
  if (wasDown && clickEvents_ && rect().contains(p)) click();
}

void Control::mouseDoubleClickEvent(QMouseEvent *event) {
  if (!doubleClicks_ || event->button() != Qt::LeftButton) {
    mousePressEvent(event);
    return;
  }
  leftDown_ = false;
  const QPoint p = event->position().toPoint();
  QPointer<Control> self(this);
  dblClick();
  if (self.isNull()) return;
  mouseDown(MouseButton::Left, shiftStateOf(event->modifiers(), event->buttons()) | ssDouble, p.x(), p.y());
}

void Control::enterEvent(QEnterEvent *) { mouseEnter(); }

void Control::leaveEvent(QEvent *) { mouseLeave(); }

void Control::contextMenuEvent(QContextMenuEvent *event) {
  if (popupMenu_ == nullptr) {
    event->ignore();
    return;
  }
  popupMenu_->popup(event->globalPos().x(), event->globalPos().y());
}

}  // namespace ui
