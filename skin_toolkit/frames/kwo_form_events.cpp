// The skinned frame's share of its form's events and of the application's
// keys: the active and inactive caption, maximising to the work area, the
// window's shape after a size change, the system-menu key and the shortcuts
// of the menu the frame shows.
#include <QEvent>
#include <QKeyEvent>

#include "platform/ui/application.h"
#include "platform/ui/mdi_client.h"
#include "platform/ui/menu.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_title_bar.h"
#include "skin_toolkit/frames/kwo_title_bar_menu.h"
#include "skin_toolkit/themes/drawing.h"

namespace kwo {
namespace {

bool isAltSpace(const QKeyEvent &key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  return key.key() == Qt::Key_Space && mods == Qt::AltModifier;
}

// The MDI client of the application's main form, or null.
ui::MdiClient *mainMdiClient() {
  const ui::Application *app = ui::Application::instance();
  const ui::Form *main = app != nullptr ? app->mainForm() : nullptr;
  return main != nullptr ? main->mdiClient() : nullptr;
}

// The frame's title bar lies at the top of the content it scrolls.
constexpr int kMaximizedChildShift = 3;

}  // namespace

void TkwoForm::formEvent(ui::Form &form, QEvent &event) {
  if (destroying_ || !active_) return;
  switch (event.type()) {
    case QEvent::WindowActivate:
      if (titleBar_ != nullptr) titleBar_->setFormActive(true);
      break;
    case QEvent::WindowDeactivate:
      if (titleBar_ != nullptr) titleBar_->setFormActive(false);
      break;
    case QEvent::KeyPress:
      // A key no control of the form took.
      if (handleShortCut(static_cast<QKeyEvent &>(event))) event.accept();
      break;
    case QEvent::Show:
      // The menu lives in the menu bar.
      if (form.menu() != nullptr) form.setMenu(nullptr);
      break;
    case QEvent::Resize:
      formResized(form);
      break;
    default:
      if (event.type() == ui::MdiChildEvent::eventType()) mdiChildEvent(form, static_cast<ui::MdiChildEvent &>(event));
      break;
  }
}

void TkwoForm::mdiChildEvent(ui::Form &form, const ui::MdiChildEvent &event) {
  ui::MdiClient *client = mainMdiClient();
  if (event.kind() == ui::MdiChildEvent::Activate) {
    const bool activated = event.activated() == &form;
    if (activated && client != nullptr) client->refreshMenu();
    if (titleBar_ != nullptr) titleBar_->setFormActive(activated);
    return;
  }
  // On its way out: the last child leaves the frame its own menu, a
  // maximised one takes the child-window buttons with it.
  if (client == nullptr) return;
  const std::vector<ui::Form *> others = client->mdiChildren();
  if (std::ranges::all_of(others, [&form](const ui::Form *f) { return f == &form; })) client->refreshMenu();
  if (form.windowState() == ui::WindowState::Maximized) client->restoreChild(&form);
}

void TkwoForm::mdiChildResized(ui::Form &form) {
  if (titleBar_ == nullptr) return;
  ui::MdiClient *client = form.mdiHost();
  const int shift = titleBar_->height() - kMaximizedChildShift;
  if (form.windowState() == ui::WindowState::Maximized) {
    titleBar_->setVisible(false);
    if (mdiChildMoved_) return;
    // The content follows the title bar up.
    shiftContent(-shift);
    mdiChildMoved_ = true;
    if (client != nullptr) client->maximizeChild(&form);
    return;
  }
  titleBar_->setVisible(true);
  if (!mdiChildMoved_) return;
  shiftContent(shift);
  mdiChildMoved_ = false;
  titleBar_->refreshMaxButtons();
  if (client != nullptr) client->restoreChild(nullptr);
}

void TkwoForm::formResized(ui::Form &form) {
  if (startedMaximized_) {
    // The first size of a normal window after a maximised start is the one
    // the frame was created with.
    if (form.windowState() != ui::WindowState::Maximized) {
      startedMaximized_ = false;
      form.setBounds(restoreBounds_.x(), restoreBounds_.y(), restoreBounds_.width(), restoreBounds_.height());
    }
    mdiChildMoved_ = true;
  }
  const bool mdiChild = form.formStyle() == ui::FormStyle::MDIChild;
  if (form.windowState() == ui::WindowState::Maximized && !mdiChild) {
    QRect area = GetWorkAreaRect(&form);
    area.setBottom(area.bottom() - 1);
    if (area.isValid() && form.geometry() != area) form.setBounds(area.x(), area.y(), area.width(), area.height());
  }
  paintBorder();
  if (titleBar_ != nullptr) titleBar_->refreshMaxButtons();
  if (mdiChild) mdiChildResized(form);
  updateRegion();
}

void TkwoForm::shiftContent(int dy) {
  if (isVisible()) {
    scroll(0, dy);
  } else {
    // A widget not shown scrolls nothing: its children move by hand.
    for (QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) w->move(w->x(), w->y() + dy);
  }
  realign();
}

bool TkwoForm::appMessageHook(const QKeyEvent &key) {
  if (destroying_ || !active_ || key.type() != QEvent::KeyPress) return false;
  if (isAltSpace(key)) {
    popUpSystemMenu();
    return true;
  }
  return handleShortCut(key);
}

void TkwoForm::popUpSystemMenu() {
  ui::Form *form = this->form();
  if (form == nullptr || titleBar_ == nullptr) return;
  if (ui::PopupMenu *menu = titleBar_->systemMenu()) {
    const QRect bounds = form->geometry();
    menu->popup(bounds.left(), bounds.top() + titleBarHeight());
  }
}

bool TkwoForm::handleShortCut(const QKeyEvent &key) {
  if (destroying_ || !active_ || menu_ == nullptr) return false;
  ui::Form *form = this->form();
  if (form == nullptr || !IsFormActive(form) || !form->isActiveWindow()) return false;
  return menu_->isShortCut(key.keyCombination());
}

}  // namespace kwo
