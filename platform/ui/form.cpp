#include "platform/ui/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <stdexcept>

#include "platform/ui/application.h"
#include "platform/ui/mdi_client.h"
#include "platform/ui/menu.h"
#include "platform/ui/work_area.h"

namespace ui {
namespace {

Form::ModalHandler &modalHandler() {
  static Form::ModalHandler handler;
  return handler;
}

Control *controlOf(QWidget *widget) {
  for (QWidget *w = widget; w != nullptr; w = w->parentWidget()) {
    if (auto *c = qobject_cast<Control *>(w)) return c;
  }
  return nullptr;
}

// The accelerator a key press stands for, or a null character.
QChar acceleratorOf(const QKeyEvent &key) {
  const int k = key.key();
  if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return QChar(k).toLower();
  if (!key.text().isEmpty() && key.text().at(0).isPrint()) return key.text().at(0).toLower();
  return QChar();
}

}  // namespace

Form::Form(Component *owner) : Control(owner) {
  storeVisible(false);
  setParentFont(false);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFocusPolicy(Qt::NoFocus);
  setBounds(0, 0, 320, 240);
  if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance())) {
    focusConnection_ = connect(app, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
      if (isDying() || now == nullptr || now->window() != this) return;
      focusChanged(controlOf(now), controlOf(old));
    });
  }
}

FormEventHook::~FormEventHook() {
  for (Form *form : std::exchange(hookedForms_, {})) std::erase(form->eventHooks_, this);
}

Form::~Form() {
  beginDestroy();
  disconnect(focusConnection_);
  // No hook sees the events of a form on its way out.
  if (mdiHost() != nullptr) {
    // The hooks hear of a child's end while the client still holds it; the
    // client counts it among its children no more.
    MdiChildEvent gone(MdiChildEvent::Destroy, nullptr);
    for (FormEventHook *hook : std::vector<FormEventHook *>(eventHooks_)) {
      if (std::ranges::find(eventHooks_, hook) != eventHooks_.end()) hook->formEvent(*this, gone);
    }
    if (MdiClient *host = mdiHost()) host->release(*this);
  }
  for (FormEventHook *hook : std::exchange(eventHooks_, {})) std::erase(hook->hookedForms_, this);
  endDrag();
  if (modalLoop_ != nullptr) modalLoop_->quit();
}

void Form::setVisible(bool visible) {
  if (keepingVisibleFlag()) {
    QWidget::setVisible(visible);
    return;
  }
  if (subWindow_ != nullptr && !visible && subWindow_->isMinimized()) {
    // A minimised sub-window hides its form; the child itself stays shown.
    QWidget::setVisible(false);
    return;
  }
  storeVisible(visible);
  QWidget::setVisible(visible);
  if (subWindow_ != nullptr) subWindow_->setVisible(visible);
  // A modal form hidden by code ends its loop (with mrCancel unless set).
  if (!visible && modalLoop_ != nullptr) modalLoop_->quit();
}

void Form::setBorderStyle(BorderStyle style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  applyWindowFlags();
}

void Form::applyWindowFlags() {
  // An MDI child's sub-window has no frame of its own.
  if (subWindow_ != nullptr) return;
  const bool frameless = ring_ > 0 || borderStyle_ == BorderStyle::None;
  if (windowFlags().testFlag(Qt::FramelessWindowHint) == frameless) return;
  {
    KeepVisibleFlag keep(*this);
    setWindowFlag(Qt::FramelessWindowHint, frameless);
  }
  // Changing the flags hides a shown window.
  if (visible() && !isVisible()) QWidget::setVisible(true);
}

void Form::addEventHook(FormEventHook *hook) {
  if (hook == nullptr || isDying() || std::ranges::find(eventHooks_, hook) != eventHooks_.end()) return;
  eventHooks_.push_back(hook);
  hook->hookedForms_.push_back(this);
}

void Form::removeEventHook(FormEventHook *hook) {
  if (hook == nullptr) return;
  std::erase(eventHooks_, hook);
  std::erase(hook->hookedForms_, this);
}

bool Form::event(QEvent *event) {
  const bool result = Control::event(event);
  if (eventHooks_.empty()) return result;
  QPointer<Form> self(this);
  // A hook may remove itself or another hook, or free the form, as it runs.
  const std::vector<FormEventHook *> hooks = eventHooks_;
  for (FormEventHook *hook : hooks) {
    if (self.isNull() || isDying()) break;
    if (std::ranges::find(eventHooks_, hook) == eventHooks_.end()) continue;
    hook->formEvent(*this, *event);
  }
  return result;
}

void Form::setWindowRegion(const QRegion &region) {
  region_ = region;
  // The offscreen platform has no shaped windows and only complains.
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
  if (region.isEmpty()) {
    clearMask();
  } else {
    setMask(region);
  }
}

bool Form::arrowKey(Control *focused, int key, Qt::KeyboardModifiers modifiers) {
  if (focused == nullptr || isDying() || (modifiers & (Qt::AltModifier | Qt::ControlModifier))) return false;
  Control *parent = focused->parentControl();
  if (parent == nullptr) return false;
  const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
  // The focus chain holds every widget of the window once, in tab order,
  // and closes on itself; the bound only guards against a broken chain.
  qsizetype steps = findChildren<QWidget *>().size() + 1;
  for (QWidget *w = forward ? focused->nextInFocusChain() : focused->previousInFocusChain();
       w != nullptr && w != focused && steps-- > 0;
       w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
    auto *c = qobject_cast<Control *>(w);
    if (c == nullptr || c->parentControl() != parent || !c->canHoldFocus()) continue;
    c->setFocus(Qt::OtherFocusReason);
    return true;
  }
  return false;
}

void Form::changeEvent(QEvent *event) {
  // The window manager may restore or minimise the window itself.
  if (event->type() == QEvent::WindowStateChange && !isDying()) {
    if (isMinimized() && windowState_ != WindowState::Minimized) {
      if (windowState_ == WindowState::Normal) normalBounds_ = geometry();
      windowState_ = WindowState::Minimized;
      windowStateChanged();
    } else if (!isMinimized() && windowState_ == WindowState::Minimized) {
      windowState_ = WindowState::Normal;
      if (normalBounds_.isValid()) {
        setBounds(normalBounds_.x(), normalBounds_.y(), normalBounds_.width(), normalBounds_.height());
      }
      windowStateChanged();
    }
  }
  Control::changeEvent(event);
}

QRect Form::constrained(QRect r) const {
  int w = std::max(r.width(), constraints_.minWidth);
  int h = std::max(r.height(), constraints_.minHeight);
  if (constraints_.maxWidth > 0) w = std::min(w, constraints_.maxWidth);
  if (constraints_.maxHeight > 0) h = std::min(h, constraints_.maxHeight);
  r.setSize(QSize(w, h));
  return r;
}

void Form::setBounds(int left, int top, int width, int height) {
  const QRect r = constrained(QRect(left, top, std::max(width, 0), std::max(height, 0)));
  if (subWindow_ != nullptr) {
    // The child fills its frameless sub-window.
    subWindow_->setGeometry(r);
    Control::setBounds(0, 0, r.width(), r.height());
    return;
  }
  Control::setBounds(r.x(), r.y(), r.width(), r.height());
}

QRect Form::outerBounds() const { return subWindow_ != nullptr ? subWindow_->geometry() : geometry(); }

MdiClient *Form::mdiHost() const { return mdiHost_.data(); }

QMdiSubWindow *Form::mdiSubWindow() const { return subWindow_.data(); }

void Form::setFormStyle(FormStyle style) {
  if (style == formStyle_ || isDying()) return;
  MdiClient *host = nullptr;
  if (style == FormStyle::MDIChild) {
    const Application *app = Application::instance();
    Form *main = app != nullptr ? app->mainForm() : nullptr;
    host = main != nullptr && main != this ? main->mdiClient() : nullptr;
    if (host == nullptr) throw std::logic_error("无法创建 MDI 子窗体：主窗体不是 MDI 主窗体");
  }
  leaveMdiRole();
  formStyle_ = style;
  if (style == FormStyle::MDIForm) {
    mdiClient_ = new MdiClient(this);
    watch(mdiClient_);
    mdiClient_->setParentControl(this);
    mdiClient_->setAlign(Align::Client);
  } else if (host != nullptr) {
    const bool shown = visible();
    if (windowState_ != WindowState::Normal) setWindowState(WindowState::Normal);
    mdiHost_ = host;
    subWindow_ = host->adopt(*this);
    subWindow_->setVisible(shown);
    if (shown) QWidget::setVisible(true);
  }
}

void Form::leaveMdiRole() {
  if (MdiClient *host = mdiHost()) host->release(*this);
  if (mdiClient_ != nullptr) {
    unwatch(mdiClient_);
    delete std::exchange(mdiClient_, nullptr);
  }
  formStyle_ = FormStyle::Normal;
}

void Form::mdiWindowStateChanged(Qt::WindowStates states) {
  if (isDying()) return;
  WindowState now = WindowState::Normal;
  if (states & Qt::WindowMinimized) now = WindowState::Minimized;
  if (states & Qt::WindowMaximized) now = WindowState::Maximized;
  if (now == windowState_) return;
  windowState_ = now;
  windowStateChanged();
}

void Form::setConstraints(const SizeConstraints &constraints) {
  constraints_ = constraints;
  setMinimumSize(constraints.minWidth, constraints.minHeight);
  setMaximumSize(constraints.maxWidth > 0 ? constraints.maxWidth : QWIDGETSIZE_MAX,
                 constraints.maxHeight > 0 ? constraints.maxHeight : QWIDGETSIZE_MAX);
  const QRect r = geometry();
  setBounds(r.x(), r.y(), r.width(), r.height());
}

void Form::setClientWidth(int value) { setWidth(value + width() - clientWidth()); }

void Form::setClientHeight(int value) { setHeight(value + height() - clientHeight()); }

void Form::centerOnScreen() {
  QScreen *screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  setBounds(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2, width(),
            height());
}

void Form::setWindowState(WindowState state) {
  if (state == windowState_) return;
  const WindowState previous = windowState_;
  if (previous == WindowState::Normal) normalBounds_ = outerBounds();
  windowState_ = state;
  if (subWindow_ != nullptr) {
    // The client keeps the child's place; a hidden child only takes the state.
    const Qt::WindowStates states = state == WindowState::Maximized   ? Qt::WindowMaximized
                                    : state == WindowState::Minimized ? Qt::WindowMinimized
                                                                      : Qt::WindowNoState;
    if (!visible()) {
      subWindow_->setWindowState(states);
    } else if (state == WindowState::Maximized) {
      subWindow_->showMaximized();
    } else if (state == WindowState::Minimized) {
      subWindow_->showMinimized();
    } else {
      subWindow_->showNormal();
    }
    windowStateChanged();
    return;
  }
  switch (state) {
    case WindowState::Maximized: {
      if (isMinimized()) showNormal();
      const QRect area = workAreaOf(this);
      if (area.isValid()) setBounds(area.x(), area.y(), area.width(), area.height() - 1);
      break;
    }
    case WindowState::Minimized:
      if (isVisible()) showMinimized();
      break;
    case WindowState::Normal:
      if (isMinimized()) showNormal();
      if (previous == WindowState::Maximized || normalBounds_.isValid()) {
        setBounds(normalBounds_.x(), normalBounds_.y(), normalBounds_.width(), normalBounds_.height());
      }
      break;
  }
  windowStateChanged();
}

void Form::windowStateChanged() {
  if (OnWindowStateChange && !isDying()) OnWindowStateChange(this);
}

void Form::setNonClientRing(int n) {
  ring_ = std::max(n, 0);
  applyWindowFlags();
  realign();
  update();
}

void Form::setNonClientPainter(const void *owner, NonClientPainter painter) {
  ncPainter_ = std::move(painter);
  ncPainterOwner_ = owner;
  update();
}

void Form::removeNonClientPainter(const void *owner) {
  if (ncPainterOwner_ != owner) return;
  ncPainter_ = nullptr;
  ncPainterOwner_ = nullptr;
  update();
}

void Form::adjustClientRect(QRect &rect) const { rect.adjust(ring_, ring_, -ring_, -ring_); }

void Form::paint(QPainter &painter) {
  Control::paint(painter);
  if (ncPainter_) ncPainter_(painter);
}

void Form::captionChanged() { setWindowTitle(caption()); }

void Form::doCreate() {
  if (OnCreate) OnCreate(this);
}

void Form::setModalResult(int value) {
  modalResult_ = value;
  if (modalLoop_ != nullptr && value != 0) modalLoop_->quit();
}

Form::ModalHandler Form::setModalHandlerForTests(ModalHandler handler) {
  return std::exchange(modalHandler(), std::move(handler));
}

int Form::showModal() {
  modalResult_ = 0;
  if (modalHandler()) {
    ModalHandler handler = modalHandler();
    QPointer<Form> self(this);
    const int result = handler(*this);
    if (!self.isNull()) modalResult_ = result;
    return result;
  }
  setWindowModality(Qt::ApplicationModal);
  show();
  QEventLoop loop;
  modalLoop_ = &loop;
  QPointer<Form> self(this);
  while (!self.isNull() && modalResult_ == 0 && isVisible()) {
    // Once the application is told to exit, every loop it enters returns -1
    // at once; going round again would spin without handling an event.
    if (loop.exec() < 0) break;
  }
  if (self.isNull()) return mrCancel;
  modalLoop_ = nullptr;
  const int result = modalResult_ != 0 ? modalResult_ : mrCancel;
  hide();
  setWindowModality(Qt::NonModal);
  return result;
}

void Form::setMenu(MainMenu *menu) {
  if (menu_ != nullptr) unwatch(menu_);
  menu_ = menu;
  if (menu != nullptr) watch(menu);
}

void Form::notification(Component *component, Operation operation) {
  Control::notification(component, operation);
  if (operation == Operation::Remove && component == menu_) menu_ = nullptr;
  if (operation == Operation::Remove && component == mdiClient_) mdiClient_ = nullptr;
}

Control *Form::focusedControl() const {
  QWidget *focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != this) return nullptr;
  return controlOf(focus);
}

bool Form::preProcessKey(QKeyEvent &key) {
  if (isDying()) return false;
  if (keyPreview_ && OnKeyDown) {
    bool handled = false;
    OnKeyDown(this, key.key(), shiftStateOf(key.modifiers()), handled);
    if (handled) return true;
  }
  if (menu_ != nullptr && menu_->isShortCut(key.keyCombination())) return true;
  const int k = key.key();
  Control *focused = focusedControl();
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape) {
    const int dialogKeyCode = k == Qt::Key_Escape ? Qt::Key_Escape : Qt::Key_Return;
    if (focused != nullptr && focused->wantsKey(dialogKeyCode, mods)) return false;
    if (dialogKey(dialogKeyCode, mods)) return true;
    return formDialogKey(dialogKeyCode, mods);
  }
  if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down) {
    if (focused != nullptr && focused->wantsKey(k, mods)) return false;
    return arrowKey(focused, k, mods);
  }
  const QChar accel = acceleratorOf(key);
  if (accel.isNull() || (mods & Qt::ControlModifier)) return false;
  const bool alt = (mods & Qt::AltModifier) != 0;
  if (!alt) {
    // Plain letters belong to whatever takes text input.
    QWidget *focus = QApplication::focusWidget();
    if (focus != nullptr && focus->window() == this && focus->testAttribute(Qt::WA_InputMethodEnabled)) {
      return false;
    }
    if (focused != nullptr && focused->wantsKey(k, mods)) return false;
  }
  return dialogChar(accel);
}

bool Form::formDialogKey(int key, Qt::KeyboardModifiers modifiers) {
  if ((modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0) return false;
  Control *target = key == Qt::Key_Escape ? cancelControl_.data() : defaultControl_.data();
  if (target == nullptr || target->isDying() || !target->isEnabled()) return false;
  for (const Control *c = target; c != nullptr; c = c->parentControl()) {
    if (!c->visible()) return false;
  }
  target->click();
  return true;
}

void Form::closeEvent(QCloseEvent *event) {
  event->accept();
  if (modalLoop_ != nullptr && modalResult_ == 0) modalResult_ = mrCancel;
  if (modalLoop_ != nullptr) modalLoop_->quit();
  storeVisible(false);
  Application *app = Application::instance();
  if (app != nullptr && app->mainForm() == this && modalLoop_ == nullptr) app->quit();
}

Qt::Edges Form::ringEdgesAt(QPoint pos) const {
  Qt::Edges edges;
  if (ring_ <= 0) return edges;
  if (pos.x() < ring_) edges |= Qt::LeftEdge;
  if (pos.x() >= width() - ring_) edges |= Qt::RightEdge;
  if (pos.y() < ring_) edges |= Qt::TopEdge;
  if (pos.y() >= height() - ring_) edges |= Qt::BottomEdge;
  return edges;
}

void Form::mousePressEvent(QMouseEvent *event) {
  const Qt::Edges edges = ringEdgesAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && edges && startResize(edges, event->globalPosition().toPoint())) return;
  Control::mousePressEvent(event);
}

bool Form::startResize(Qt::Edges edges, QPoint globalPress) {
  if (!edges || !isSizeable() || windowState_ != WindowState::Normal) return false;
  if (windowHandle() != nullptr && windowHandle()->startSystemResize(edges)) return true;
  // Offscreen, and on X servers without a window manager, the form follows
  // the mouse itself.
  endDrag();
  drag_ = {DragKind::Resizing, globalPress, outerBounds(), edges};
  qApp->installEventFilter(this);
  return true;
}

void Form::mouseMoveEvent(QMouseEvent *event) {
  if (event->buttons() == Qt::NoButton && isSizeable() && windowState_ == WindowState::Normal) {
    const Qt::Edges e = ringEdgesAt(event->position().toPoint());
    if ((e & Qt::LeftEdge && e & Qt::TopEdge) || (e & Qt::RightEdge && e & Qt::BottomEdge)) {
      setCursor(Qt::SizeFDiagCursor);
    } else if ((e & Qt::RightEdge && e & Qt::TopEdge) || (e & Qt::LeftEdge && e & Qt::BottomEdge)) {
      setCursor(Qt::SizeBDiagCursor);
    } else if (e & (Qt::LeftEdge | Qt::RightEdge)) {
      setCursor(Qt::SizeHorCursor);
    } else if (e & (Qt::TopEdge | Qt::BottomEdge)) {
      setCursor(Qt::SizeVerCursor);
    } else {
      unsetCursor();
    }
  }
  Control::mouseMoveEvent(event);
}

void Form::startMove(QPoint globalPress) {
  if (windowState_ != WindowState::Normal) return;
  endDrag();
  drag_ = {DragKind::MoveArmed, globalPress, outerBounds(), {}};
  qApp->installEventFilter(this);
}

void Form::endDrag() {
  if (drag_.kind == DragKind::None) return;
  drag_.kind = DragKind::None;
  qApp->removeEventFilter(this);
}

bool Form::eventFilter(QObject *watched, QEvent *event) {
  if (drag_.kind == DragKind::None) return Control::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonRelease) {
    endDrag();
    return false;
  }
  if (event->type() != QEvent::MouseMove || !watched->isWidgetType()) return false;
  auto *move = static_cast<QMouseEvent *>(event);
  if (!(move->buttons() & Qt::LeftButton)) {
    endDrag();
    return false;
  }
  const QPoint delta = move->globalPosition().toPoint() - drag_.pressGlobal;
  switch (drag_.kind) {
    case DragKind::MoveArmed:
      if (delta.manhattanLength() < QApplication::startDragDistance()) return false;
      if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        endDrag();
        return false;
      }
      drag_.kind = DragKind::Moving;
      [[fallthrough]];
    case DragKind::Moving:
      setBounds(drag_.startGeometry.x() + delta.x(), drag_.startGeometry.y() + delta.y(), width(), height());
      return true;
    case DragKind::Resizing: {
      QRect r = drag_.startGeometry;
      if (drag_.edges & Qt::LeftEdge) r.setLeft(r.left() + delta.x());
      if (drag_.edges & Qt::RightEdge) r.setRight(r.right() + delta.x());
      if (drag_.edges & Qt::TopEdge) r.setTop(r.top() + delta.y());
      if (drag_.edges & Qt::BottomEdge) r.setBottom(r.bottom() + delta.y());
      setBounds(r.x(), r.y(), r.width(), r.height());
      return true;
    }
    case DragKind::None:
      break;
  }
  return false;
}

}  // namespace ui
