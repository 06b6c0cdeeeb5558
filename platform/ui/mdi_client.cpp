#include "platform/ui/mdi_client.h"

#include <QCoreApplication>
#include <QMdiSubWindow>
#include <algorithm>

#include "platform/ui/form.h"

namespace ui {

MdiChildEvent::MdiChildEvent(Kind kind, Form *activated)
    : QEvent(eventType()), kind_(kind), activated_(activated) {}

QEvent::Type MdiChildEvent::eventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

MdiClientHook::~MdiClientHook() {
  for (MdiClient *client : std::exchange(hookedClients_, {})) std::erase(client->hooks_, this);
}

MdiClient::MdiClient(Component *owner) : WidgetHost(owner, new QMdiArea) {
  area()->setActivationOrder(QMdiArea::StackingOrder);
  connect(area(), &QMdiArea::subWindowActivated, this, &MdiClient::subWindowActivated);
}

MdiClient::~MdiClient() {
  beginDestroy();
  for (MdiClientHook *hook : std::exchange(hooks_, {})) std::erase(hook->hookedClients_, this);
  // The children outlive their client as forms of their own.
  for (QMdiSubWindow *window : area()->subWindowList()) {
    if (auto *child = qobject_cast<Form *>(window->widget())) release(*child);
  }
}

QMdiSubWindow *MdiClient::adopt(Form &child) {
  auto *window = new QMdiSubWindow(nullptr, Qt::FramelessWindowHint);
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  window->setOption(QMdiSubWindow::RubberBandResize, false);
  const QRect bounds = child.geometry();
  window->setWidget(&child);
  area()->addSubWindow(window, Qt::FramelessWindowHint);
  window->setGeometry(bounds);
  window->installEventFilter(this);
  return window;
}

void MdiClient::release(Form &child) {
  QMdiSubWindow *window = child.subWindow_;
  child.subWindow_ = nullptr;
  child.mdiHost_ = nullptr;
  if (window == nullptr) return;
  {
    Control::KeepVisibleFlag keep(child);
    child.QWidget::setParent(nullptr);
  }
  if (lastActive_ == &child) lastActive_ = nullptr;
  delete window;
}

bool MdiClient::isChild(const Form *form) const {
  return form != nullptr && !form->isDying() && form->mdiHost_ == this && form->subWindow_ != nullptr;
}

Form *MdiClient::activeMDIChild() const {
  QMdiSubWindow *window = area()->currentSubWindow();
  auto *child = window != nullptr ? qobject_cast<Form *>(window->widget()) : nullptr;
  return isChild(child) ? child : nullptr;
}

std::vector<Form *> MdiClient::mdiChildren() const {
  std::vector<Form *> children;
  const QList<QMdiSubWindow *> windows = area()->subWindowList(QMdiArea::StackingOrder);
  // The list runs from the bottom of the stack up.
  for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
    auto *child = qobject_cast<Form *>((*it)->widget());
    if (isChild(child)) children.push_back(child);
  }
  return children;
}

void MdiClient::activateChild(Form *child) {
  if (isChild(child)) area()->setActiveSubWindow(child->subWindow_);
}

void MdiClient::maximizeChild(Form *child) {
  if (isChild(child)) child->setWindowState(WindowState::Maximized);
  runHooks(MdiCommand::Maximize, child);
}

void MdiClient::restoreChild(Form *child) {
  if (isChild(child)) child->setWindowState(WindowState::Normal);
  runHooks(MdiCommand::Restore, child);
}

void MdiClient::cascade() {
  area()->cascadeSubWindows();
  runHooks(MdiCommand::Cascade, nullptr);
}

void MdiClient::tile(bool vertical) {
  area()->tileSubWindows();
  runHooks(vertical ? MdiCommand::TileVertical : MdiCommand::TileHorizontal, nullptr);
}

void MdiClient::refreshMenu() { runHooks(MdiCommand::RefreshMenu, activeMDIChild()); }

void MdiClient::addHook(MdiClientHook *hook) {
  if (hook == nullptr || isDying() || std::ranges::find(hooks_, hook) != hooks_.end()) return;
  hooks_.push_back(hook);
  hook->hookedClients_.push_back(this);
}

void MdiClient::removeHook(MdiClientHook *hook) {
  if (hook == nullptr) return;
  std::erase(hooks_, hook);
  std::erase(hook->hookedClients_, this);
}

void MdiClient::runHooks(MdiCommand command, Form *child) {
  if (isDying()) return;
  QPointer<MdiClient> self(this);
  // A hook may remove itself or another one, or free the client, as it runs.
  const std::vector<MdiClientHook *> hooks = hooks_;
  for (MdiClientHook *hook : hooks) {
    if (self.isNull() || isDying()) break;
    if (std::ranges::find(hooks_, hook) == hooks_.end()) continue;
    hook->mdiCommand(*this, command, child);
  }
}

bool MdiClient::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::WindowStateChange && !isDying()) {
    auto *window = qobject_cast<QMdiSubWindow *>(watched);
    auto *child = window != nullptr ? qobject_cast<Form *>(window->widget()) : nullptr;
    if (isChild(child) && child->subWindow_ == window) child->mdiWindowStateChanged(window->windowState());
  }
  return WidgetHost::eventFilter(watched, event);
}

void MdiClient::subWindowActivated(QMdiSubWindow *window) {
  if (isDying()) return;
  auto *now = window != nullptr ? qobject_cast<Form *>(window->widget()) : nullptr;
  if (!isChild(now)) now = nullptr;
  QPointer<Form> before = lastActive_;
  if (before == now) return;
  lastActive_ = now;
  QPointer<Form> guard(now);
  if (!before.isNull() && isChild(before)) {
    MdiChildEvent lost(MdiChildEvent::Activate, now);
    QCoreApplication::sendEvent(before, &lost);
  }
  if (!guard.isNull() && isChild(guard)) {
    MdiChildEvent gained(MdiChildEvent::Activate, guard);
    QCoreApplication::sendEvent(guard, &gained);
  }
}

}  // namespace ui
